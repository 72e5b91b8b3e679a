#pragma once

#include <cstdint>

#include "base/collection.h"
#include "base/growth.h"
#include "base/merge_sort.h"
#include "base/pool.h"
#include "base/streams.h"

namespace s::digest {
class IDigester;
}
namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::col::_array {

class ArrayU08;

// A dynamic array of elements of 1 << elementShift bytes. Positions and counts are in
// elements; a count of -1 reaches to the last element. Accessors do not check positions;
// the operations that take ranges from outside clip them to the elements in use.
class ArrayBase : public ICollection,
                  public io::IInputStreamable,
                  public thread::IPoolable,
                  public IEnumerable,
                  public io::IInputStream,
                  public io::IOutputStream {
public:
    explicit ArrayBase(uint8_t elementShift) : elementShift_(elementShift) {}
    ~ArrayBase() override;
    ArrayBase(const ArrayBase&) = delete;
    ArrayBase& operator=(const ArrayBase&) = delete;

    // Different counts order by count; equal counts element by element (elementComparator).
    int32_t compare(const base::IComparable* other,
                    const base::IComparator* comparator = nullptr) const override;
    int32_t compareIgnoreCase(const base::IComparable* other,
                              const base::IComparator* comparator = nullptr) const override;
    // Hash of the storage bytes (string hash rule over bytes).
    uint32_t hashCode() const override;
    uint32_t hashCodeIgnoreCase() const override { return hashCode(); }
    const char16_t* className() const override { return u"s_col_array_ArrayBase"; }

    int32_t count() const override { return static_cast<int32_t>(count_); }
    int32_t capacity() const { return static_cast<int32_t>(capacity_); }
    bool isEmpty() const { return count_ == 0; }
    uint8_t elementShift() const { return elementShift_; }
    int32_t elementSize() const { return 1 << elementShift_; }
    int32_t byteSize(int32_t n = -1) const override;
    void* rawItems() { return items_; }
    const void* rawItems() const { return items_; }

    // Sets the count, growing storage to exactly n when needed; new elements are zeroed.
    virtual void resize(int32_t n);
    void reserve(int32_t n);       // growth rule until n fit
    void reserveExact(int32_t n);  // exactly n when smaller
    // Takes `items`, n elements kept alive by someone else (a document's arena), as the
    // storage of an empty array; false when it holds elements. Borrowed storage
    // is never freed here: growing moves the elements into storage of the array's own.
    bool borrowStorage(void* items, int32_t n);
    bool borrowsStorage() const { return borrowed_; }

    // Writes elements [from, from + count) to the stream; returns the bytes written.
    int32_t writeTo(io::IOutputStream& stream, int32_t from = 0, int32_t count = -1) const;
    // Copies elements [from, from + count) of `source` (same element size) to position `at`.
    bool readFrom(const ArrayBase& source, int32_t at, int32_t from = 0, int32_t count = -1);
    // Copies elements [from, from + count) to element position `at` of raw memory `target`.
    void copyOut(void* target, int32_t at, int32_t from, int32_t count) const;
    // Copies n elements from raw memory (starting at element `from`) to position `at`,
    // growing and raising the count as needed.
    void putAt(const void* source, int32_t n, int32_t from, int32_t at);
    void append(const void* source, int32_t n, int32_t from = 0);
    void prepend(const void* source, int32_t n, int32_t from = 0);
    void insert(int32_t at, const void* source, int32_t n, int32_t from = 0);
    // Dropping and removing: ArrayP passes the dropped elements to its disposer.
    virtual void dropLast(int32_t n);
    virtual void dropFirst(int32_t n);
    virtual void removeRange(int32_t at, int32_t n);
    // Moving out: the elements go to raw memory `target` (at element `at`) and are removed
    // without disposal.
    void popLast(void* target, int32_t n, int32_t at = 0);
    void popFirst(void* target, int32_t n, int32_t at = 0);
    void removeRangeTo(int32_t at, void* target, int32_t n, int32_t targetAt = 0);
    // Byte order comparison of n elements at `at` with raw data; a shorter range is smaller.
    int32_t compareRange(int32_t at, const void* data, int32_t n) const;
    virtual void clear();        // count and stream position 0, storage kept
    virtual void freeStorage();  // also frees the storage
    void swap(int32_t i, int32_t j);
    void swapVia(int32_t i, int32_t j, void* scratch);
    void reverse();

    // Element text: numbers in decimal; ArrayP: class id and "(address)".
    virtual void appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const = 0;
    virtual void appendElementMarkup(int32_t i, str::strbuffer::StrBuffer& out) const;
    // Class id, " [", element texts separated by " ", "]". nullptr: a new pooled buffer.
    str::strbuffer::StrBuffer* toText(str::strbuffer::StrBuffer* out = nullptr,
                                      bool append = false) const;
    // "<" class id " length=\"" count "\">" element markup "</" class id ">".
    str::strbuffer::StrBuffer* toMarkup(str::strbuffer::StrBuffer* out = nullptr,
                                        bool append = false) const;
    // Digest of the storage bytes (MD5 when none given) into a pooled array (or `out`).
    ArrayU08* digest(digest::IDigester* digester = nullptr, ArrayU08* out = nullptr) const;
    virtual const base::IComparator& elementComparator() const = 0;

    // IEnumerable
    Iterator* iterator() override;
    Iterator* iteratorAtEnd() override;
    Iterator* iteratorAt(int32_t i) override;
    Iterator* iteratorFromEnd(int32_t n) override;
    void* elementAddress(int32_t i) override {
        return static_cast<uint8_t*>(items_) + (i << elementShift_);
    }

    // IInputStreamable: a pooled CollectionInputStream at position 0.
    io::IInputStream* streamOf() override;

    // Byte stream over the storage (shared position for reading and writing).
    int32_t read(void* target, int32_t count) override;
    int32_t write(const void* data, int32_t count) override;
    int32_t position() const override { return static_cast<int32_t>(streamPos_); }
    void rewind() override { streamPos_ = 0; }
    void seekEnd() override;
    void seekBy(int32_t delta) override;

protected:
    // Moves the elements into new storage of `capacity` elements; false when out of memory.
    bool growTo(uint32_t capacity);
    // Room for n elements by the growth rule; false when out of memory.
    bool ensure(uint32_t n);
    // Removes [at, at + n) without disposal (ranges already clipped).
    void eraseRaw(uint32_t at, uint32_t n);
    uint8_t* bytes() { return static_cast<uint8_t*>(items_); }
    const uint8_t* bytes() const { return static_cast<const uint8_t*>(items_); }
    // Clips [from, from + n) to the elements in use; false when empty.
    bool clip(int32_t& from, int32_t& n) const;

    uint8_t elementShift_;
    bool borrowed_ = false;  // items_ belongs to someone else
    void* items_ = nullptr;
    uint32_t count_ = 0;
    uint32_t capacity_ = 0;
    uint32_t streamPos_ = 0;
};

template <class E, uint8_t kShift>
class ArrayOf : public ArrayBase {
public:
    static_assert(sizeof(E) == (1u << kShift));
    ArrayOf() : ArrayBase(kShift) {}

    E* data() { return static_cast<E*>(items_); }
    const E* data() const { return static_cast<const E*>(items_); }
    E& operator[](int32_t i) { return data()[i]; }
    const E& operator[](int32_t i) const { return data()[i]; }
    E get(int32_t i) const { return data()[i]; }
    void set(int32_t i, E value) { data()[i] = value; }
    E last() const { return data()[count_ - 1]; }
    void add(E value) {
        if (count_ == capacity_ && !ensure(capacity_ + 1))
            return;
        data()[count_++] = value;
    }
    void addAll(const E* values, int32_t n) { append(values, n, 0); }
    bool indexOf(E value, int32_t& out, int32_t from = 0) const {
        for (uint32_t i = from < 0 ? 0 : static_cast<uint32_t>(from); i < count_; ++i) {
            if (data()[i] == value) {
                out = static_cast<int32_t>(i);
                return true;
            }
        }
        return false;
    }
    void reset() override { freeStorage(); }
};

class ArrayU08 final : public thread::Pooled<ArrayU08, ArrayOf<uint8_t, 0>> {
public:
    const char16_t* className() const override { return u"s_col__array_ArrayU08"; }
    ArrayU08* newInstance() const override { return take(); }
    const base::IComparator& elementComparator() const override;
    void appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const override;
};

class ArrayS08 final : public thread::Pooled<ArrayS08, ArrayOf<int8_t, 0>> {
public:
    const char16_t* className() const override { return u"s_col__array_ArrayS08"; }
    ArrayS08* newInstance() const override { return take(); }
    const base::IComparator& elementComparator() const override;
    void appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const override;
};

class ArrayS32 final : public thread::Pooled<ArrayS32, ArrayOf<int32_t, 2>> {
public:
    const char16_t* className() const override { return u"s_col__array_ArrayS32"; }
    ArrayS32* newInstance() const override { return take(); }
    const base::IComparator& elementComparator() const override;
    void appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const override;
};

class ArrayU32 final : public thread::Pooled<ArrayU32, ArrayOf<uint32_t, 2>> {
public:
    const char16_t* className() const override { return u"s_col__array_ArrayU32"; }
    ArrayU32* newInstance() const override { return take(); }
    const base::IComparator& elementComparator() const override;
    void appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const override;
};

inline constexpr uint8_t kPointerShift = sizeof(void*) == 8 ? 3 : 2;

// An array of object pointers. With a disposer, every element the array drops (clear,
// dropLast/dropFirst/removeRange, shrinking resize, reset, destruction) is passed to
// disposer->dispose; a pool (poolOf<T>()) is the usual disposer, so the elements go back to
// their pool. Elements must then be stored as the pointer type the disposer expects (T* for
// poolOf<T>(), IObject* for CleanerIObject). popLast/popFirst/removeRangeTo/detach move
// elements out without disposal.
class ArrayP final : public thread::Pooled<ArrayP, ArrayOf<void*, kPointerShift>> {
public:
    ArrayP() = default;
    explicit ArrayP(base::IDestructor* disposer) : disposer_(disposer) {}
    ~ArrayP() override;

    const char16_t* className() const override { return u"s_col__array_ArrayP"; }
    ArrayP* newInstance() const override { return take(); }
    const base::IComparator& elementComparator() const override;
    void appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const override;

    base::IDestructor* disposer() const { return disposer_; }
    void setDisposer(base::IDestructor* disposer) { disposer_ = disposer; }

    template <class T>
    T* getAs(int32_t i) const {
        return static_cast<T*>(get(i));
    }
    // Removes element i without disposing it and returns it.
    void* detach(int32_t i);
    // Stores p at i, disposing the element it replaces.
    void replace(int32_t i, void* p);

    void resize(int32_t n) override;
    void dropLast(int32_t n) override;
    void dropFirst(int32_t n) override;
    void removeRange(int32_t at, int32_t n) override;
    void clear() override;
    void freeStorage() override;
    // Drops the elements and frees the storage; the disposer is cleared.
    void reset() override;

    // Stable merge sorts of the elements.
    void sort(SortCompare compare, void* context = nullptr);
    void sortDescending(SortCompare compare, void* context = nullptr);
    // compare(const T* a, const T* b) -> negative, 0 or positive.
    template <class T, class F>
    void sortAs(F&& compare);

private:
    void disposeRange(uint32_t from, uint32_t to);

    base::IDestructor* disposer_ = nullptr;
};

template <class T, class F>
void ArrayP::sortAs(F&& compare) {
    col::mergeSortBy(data(), count(), [&](const void* a, const void* b) {
        return compare(static_cast<const T*>(a), static_cast<const T*>(b));
    });
}

}  // namespace s::col::_array

namespace s::col {
using _array::ArrayBase;
using _array::ArrayP;
using _array::ArrayS08;
using _array::ArrayS32;
using _array::ArrayU08;
using _array::ArrayU32;
}  // namespace s::col
