#pragma once

#include <cstdint>
#include <type_traits>

#include "base/code_page.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/streams.h"

namespace s::col::_array {
class ArrayU08;
}
namespace s::digest {
class IDigester;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::str {

// Root of the text classes.
class IStr : public base::IObject {
public:
    // The zero-terminated text (a shared empty text when empty).
    virtual const char16_t* text() const = 0;
    virtual int32_t length() const = 0;
};

// Character types that must not be taken for numbers (appendInt(u'a') does not compile).
template <class T>
concept CharLike =
    std::is_same_v<T, char> || std::is_same_v<T, char8_t> || std::is_same_v<T, char16_t> ||
    std::is_same_v<T, char32_t> || std::is_same_v<T, wchar_t> || std::is_same_v<T, bool>;

}  // namespace s::str

namespace s::str::strbuffer {

class Iterator;

// A growable buffer of UTF-16 code units, pooled (StrBuffer::take() / release()).
// Positions and counts are code units; a count of -1 means "up to the terminator" of a
// text argument. Searches return false and leave `out` untouched when nothing is found.
// The text is not kept terminated; text() and endPointer() write the terminator.
// Case folding touches ASCII letters only.
class StrBuffer : public IStr,
                  public io::IInputStream,
                  public io::IOutputStream,
                  public thread::Pooled<StrBuffer> {
public:
    // `before` value of the backward searches meaning "from the end".
    static constexpr int32_t kFromEnd = 0xFFFFFF;

    StrBuffer() = default;
    explicit StrBuffer(const char16_t* text) { setText(text); }
    ~StrBuffer() override;
    StrBuffer(const StrBuffer&) = delete;
    StrBuffer& operator=(const StrBuffer&) = delete;

    // A pooled buffer holding `text` (or empty).
    static StrBuffer* takeText(const char16_t* text);

    // --- comparison and hash (IComparable) ---
    // Exact order, code-unit order for texts below U+0100 (storage bytes compared); a shorter
    // text with an equal common part is smaller. `other` must be a StrBuffer (or nullptr,
    // read as the empty text) unless a comparator is given.
    int32_t compare(const base::IComparable* other,
                    const base::IComparator* comparator = nullptr) const override;
    int32_t compareIgnoreCase(const base::IComparable* other,
                              const base::IComparator* comparator = nullptr) const override;
    bool equals(const base::IComparable* other,
                const base::IComparator* comparator = nullptr) const override;
    bool equalsIgnoreCase(const base::IComparable* other,
                          const base::IComparator* comparator = nullptr) const override;
    uint32_t hashCode() const override;
    uint32_t hashCodeIgnoreCase() const override;
    // Same operations against plain texts (count -1: to the terminator).
    int32_t compare(const char16_t* text, int32_t count = -1) const;
    int32_t compareIgnoreCase(const char16_t* text, int32_t count = -1) const;
    bool equals(const char16_t* text, int32_t count = -1) const;
    bool equalsIgnoreCase(const char16_t* text, int32_t count = -1) const;
    bool equals(const StrBuffer& other) const;
    bool equalsIgnoreCase(const StrBuffer& other) const;
    int32_t compareIgnoreCase(const StrBuffer& other) const;

    const char16_t* className() const override { return u"s_str_strbuffer_StrBuffer"; }
    StrBuffer* newInstance() const override { return take(); }
    void reset() override { freeStorage(); }

    // --- storage ---
    // Terminates and returns the address just past the last unit; nullptr when empty.
    char16_t* endPointer();
    int32_t length() const override { return static_cast<int32_t>(length_); }
    bool isEmpty() const { return length_ == 0; }
    void setLength(int32_t n);  // n is clipped to the capacity
    int32_t capacity() const { return static_cast<int32_t>(capacity_); }
    void reserveExact(int32_t n);
    bool growOnce();  // false when out of memory
    void reserve(int32_t n);
    StrBuffer& clear();  // length and stream position 0, storage kept
    void freeStorage();  // frees the storage (the pool's reset)
    char16_t* rawChars() { return chars_; }
    const char16_t* rawChars() const { return chars_; }
    const char16_t* text() const override;

    // --- in-place case and order ---
    StrBuffer& reverse();
    StrBuffer& toLowerCase();
    StrBuffer& toUpperCase();
    StrBuffer& capitalize();

    // --- units (positions are not checked) ---
    char16_t charAt(int32_t i) const { return chars_[i]; }
    char16_t charAtLower(int32_t i) const;
    char16_t charAtUpper(int32_t i) const;
    char16_t* unitPointer(int32_t i) { return chars_ + i; }
    const char16_t* unitPointer(int32_t i) const { return chars_ + i; }

    // --- searching ---
    bool indexOf(char16_t unit, int32_t& out, int32_t from = 0) const;
    bool indexOfIgnoreCase(char16_t unit, int32_t& out, int32_t from = 0) const;
    bool indexOfAny(const char16_t* set, int32_t count, int32_t& out, int32_t from = 0) const;
    bool indexOfAnyIgnoreCase(const char16_t* set, int32_t count, int32_t& out,
                              int32_t from = 0) const;
    // Last position below `before`; kFromEnd or any value >= length searches everything.
    bool lastIndexOf(char16_t unit, int32_t& out, int32_t before = kFromEnd) const;
    bool lastIndexOfIgnoreCase(char16_t unit, int32_t& out, int32_t before = kFromEnd) const;
    bool lastIndexOfAny(const char16_t* set, int32_t count, int32_t& out,
                        int32_t before = kFromEnd) const;
    bool lastIndexOfAnyIgnoreCase(const char16_t* set, int32_t count, int32_t& out,
                                  int32_t before = kFromEnd) const;
    // An empty text is never found.
    bool find(const char16_t* text, int32_t& out, int32_t from = 0) const;
    bool findIgnoreCase(const char16_t* text, int32_t& out, int32_t from = 0) const;
    // Last occurrence lying wholly below `before`.
    bool findLast(const char16_t* text, int32_t& out, int32_t before = kFromEnd) const;
    bool findLastIgnoreCase(const char16_t* text, int32_t& out, int32_t before = kFromEnd) const;
    bool contains(const char16_t* text) const;

    // The `count` units at `at` equal those of `text` from `textFrom`. With count -1 the
    // rest of `text` must also reach exactly to the end of this buffer.
    bool regionEquals(int32_t at, const char16_t* text, int32_t textFrom, int32_t count) const;
    bool regionEqualsIgnoreCase(int32_t at, const char16_t* text, int32_t textFrom,
                                int32_t count) const;
    bool endsWith(const char16_t* text, int32_t count = -1) const;
    bool endsWithIgnoreCase(const char16_t* text, int32_t count = -1) const;
    bool startsWith(const char16_t* text, int32_t count = -1) const;
    bool startsWithIgnoreCase(const char16_t* text, int32_t count = -1) const;
    // -1 when `at` is beyond the length; else code-unit order of the text from `at` against
    // `text` from `textFrom` (over `count` units, or to the terminators with -1).
    int32_t compareAt(int32_t at, const char16_t* text, int32_t textFrom, int32_t count) const;
    int32_t compareAtIgnoreCase(int32_t at, const char16_t* text, int32_t textFrom,
                                int32_t count) const;

    // --- trimming (whitespace: space, LF, U+3000, tab, CR) ---
    StrBuffer& trimEnd();
    StrBuffer& trimEndTo(int32_t minLength);
    StrBuffer& trimEndOf(const char16_t* set, int32_t count = -1);
    StrBuffer& trimEndOfTo(const char16_t* set, int32_t minLength, int32_t count = -1);
    StrBuffer& trimStart();
    StrBuffer& trimStartOf(const char16_t* set, int32_t count = -1);
    StrBuffer& trim() { return trimEnd().trimStart(); }

    // --- appending ---
    StrBuffer& prepend(const char16_t* units, int32_t count = -1);
    // 7-bit ASCII bytes, one unit each (count -1: to a 0 byte).
    StrBuffer& appendNarrow(const char* bytes, int32_t count);
    StrBuffer& appendNarrowText(const char* text) { return appendNarrow(text, -1); }
    StrBuffer& append(const char16_t* units, int32_t count);
    StrBuffer& appendText(const char16_t* text) { return append(text, -1); }
    StrBuffer& appendStr(const StrBuffer& other);
    StrBuffer& appendStr(const StrBuffer* other);  // nullptr appends nothing
    StrBuffer& appendUnit(char16_t unit) {
        if (length_ == capacity_ && !growOnce())
            return *this;
        chars_[length_++] = unit;
        return *this;
    }
    template <class T>
    StrBuffer& appendUnit(T) = delete;  // only char16_t is a code unit
    StrBuffer& appendUnits(char16_t unit, int32_t count);

    // Lower-case hexadecimal, fixed width, no separators.
    StrBuffer& appendHexU08(uint8_t v);
    StrBuffer& appendHexU16(uint16_t v);
    StrBuffer& appendHexU32(uint32_t v);
    StrBuffer& appendHexU64(uint64_t v);
    StrBuffer& appendHexBytes(const uint8_t* bytes, int32_t count);
    StrBuffer& appendHexU16s(const uint16_t* values, int32_t count);
    StrBuffer& appendHexU32s(const uint32_t* values, int32_t count);
    StrBuffer& appendHexU64s(const uint64_t* values, int32_t count);
    // n 64-bit values as 2n 32-bit ones in memory order (low word first).
    StrBuffer& appendHexU64sAsU32s(const uint64_t* values, int32_t count);

    // Numbers in decimal, independent of the C locale.
    StrBuffer& appendInt(int32_t v);
    StrBuffer& appendInt64(int64_t v);
    StrBuffer& appendUInt32(uint32_t v);
    StrBuffer& appendUInt64(uint64_t v);
    StrBuffer& appendUInt16(uint32_t v) { return appendUInt32(v & 0xFFFFu); }
    StrBuffer& appendUInt8(uint32_t v) { return appendUInt32(v & 0xFFu); }
    StrBuffer& appendInt16(int32_t v) { return appendInt(static_cast<int16_t>(v)); }
    StrBuffer& appendInt8(int32_t v) { return appendInt(static_cast<int8_t>(v)); }
    // "%f": six decimals, '.' as decimal point.
    StrBuffer& appendFloat(float v) { return appendDouble(v); }
    StrBuffer& appendDouble(double v);
    template <CharLike T>
    StrBuffer& appendInt(T) = delete;
    template <CharLike T>
    StrBuffer& appendInt64(T) = delete;
    template <CharLike T>
    StrBuffer& appendUInt32(T) = delete;
    template <CharLike T>
    StrBuffer& appendUInt64(T) = delete;

    // --- replacing the text ---
    StrBuffer& setText(const char16_t* text) { return clear().append(text, -1); }
    StrBuffer& setText(const char16_t* units, int32_t count) {
        return clear().append(units, count);
    }
    StrBuffer& setStr(const StrBuffer& other);
    StrBuffer& setStr(const StrBuffer* other);
    StrBuffer& setInt(int32_t v);
    StrBuffer& setInt64(int64_t v);
    StrBuffer& setUInt32(uint32_t v);
    StrBuffer& setUInt16(uint32_t v) { return setUInt32(v & 0xFFFFu); }
    StrBuffer& setUInt8(uint32_t v) { return setUInt32(v & 0xFFu); }
    StrBuffer& setInt16(int32_t v) { return setInt(static_cast<int16_t>(v)); }
    StrBuffer& setInt8(int32_t v) { return setInt(static_cast<int8_t>(v)); }
    StrBuffer& setFloat(float v) { return setDouble(v); }
    StrBuffer& setDouble(double v);
    template <CharLike T>
    StrBuffer& setInt(T) = delete;
    template <CharLike T>
    StrBuffer& setInt64(T) = delete;
    template <CharLike T>
    StrBuffer& setUInt32(T) = delete;

    // Every non-overlapping occurrence, left to right; replaced text is not searched again.
    // An empty `find` replaces nothing.
    StrBuffer& replaceAll(const char16_t* find, const char16_t* replacement);
    StrBuffer& replaceAllIgnoreCase(const char16_t* find, const char16_t* replacement);

    // --- new pooled buffers (the caller releases them) ---
    StrBuffer* copy() const;
    StrBuffer& keepRange(int32_t start, int32_t end);  // [start, end), end cut to the length
    StrBuffer* substring(int32_t start, int32_t end) const;
    // The units before the position the named search finds; empty when nothing is found.
    StrBuffer* beforeLastIndexOf(char16_t unit, int32_t before = kFromEnd) const;
    StrBuffer* beforeLastIndexOfIgnoreCase(char16_t unit, int32_t before = kFromEnd) const;
    StrBuffer* beforeLastIndexOfAny(const char16_t* set, int32_t count,
                                    int32_t before = kFromEnd) const;
    StrBuffer* beforeLastIndexOfAnyIgnoreCase(const char16_t* set, int32_t count,
                                              int32_t before = kFromEnd) const;
    StrBuffer* beforeFindLast(const char16_t* text, int32_t before = kFromEnd) const;
    StrBuffer* beforeFindLastIgnoreCase(const char16_t* text, int32_t before = kFromEnd) const;

    // Digest of the storage bytes (MD5 when none given) into `out` or a new pooled array.
    col::_array::ArrayU08* digest(digest::IDigester* digester = nullptr,
                                  col::_array::ArrayU08* out = nullptr) const;

    // --- byte encodings; `bytes` nullptr: a new pooled array; returns the array used ---
    // UTF-8 with a 0 written after the end, not counted in the array's length.
    col::_array::ArrayU08* toUtf8(col::_array::ArrayU08* bytes = nullptr,
                                  bool append = false) const;
    // UTF-8 with a counted 0 byte at the end.
    col::_array::ArrayU08* toUtf8WithZero(col::_array::ArrayU08* bytes = nullptr,
                                          bool append = false) const;
    // Decodes UTF-8 (count -1: up to a 0 byte); invalid or truncated sequences become U+FFFD.
    StrBuffer& fromUtf8(const uint8_t* bytes, int32_t count = -1, bool append = false);
    StrBuffer& fromUtf8(const char* bytes, int32_t count = -1, bool append = false) {
        return fromUtf8(reinterpret_cast<const uint8_t*>(bytes), count, append);
    }
    StrBuffer& fromUtf8(const char8_t* bytes, int32_t count = -1, bool append = false) {
        return fromUtf8(reinterpret_cast<const uint8_t*>(bytes), count, append);
    }
    col::_array::ArrayU08* encode(CodePage codePage, col::_array::ArrayU08* bytes = nullptr,
                                  bool append = false) const;  // uncounted 0 after the end
    col::_array::ArrayU08* encodeWithZero(CodePage codePage, col::_array::ArrayU08* bytes = nullptr,
                                          bool append = false) const;
    // count -1: up to a 0 byte (a 0 unit for UTF-16). An odd last byte of UTF-16 is ignored.
    StrBuffer& decode(CodePage codePage, const uint8_t* bytes, int32_t count = -1,
                      bool append = false);
    col::_array::ArrayU08* toOem(col::_array::ArrayU08* bytes = nullptr, bool append = false) const;
    col::_array::ArrayU08* toOemWithZero(col::_array::ArrayU08* bytes = nullptr,
                                         bool append = false) const;
    StrBuffer& fromOem(const uint8_t* bytes, int32_t count = -1, bool append = false);

    // --- numbers from the text ---
    // Leading blanks (space, tab) and a sign accepted; stops at the first non-digit; 0 when
    // there are no digits; values beyond the type's range saturate at its limits.
    int32_t toInt() const;
    int64_t toInt64() const;
    float toFloat() const;
    double toDouble() const;
    bool isHex() const;
    int32_t hexDigitAt(int32_t i) const;
    // Two units per byte, first unit the high nibble; non-digits count as 0; an odd last
    // unit is ignored.
    col::_array::ArrayU08* hexToBytes(col::_array::ArrayU08* bytes = nullptr,
                                      bool append = false) const;
    bool isInteger() const;

    // --- pieces (pooled StrArray; the caller releases it) ---
    // Pieces between separators; empty pieces are skipped.
    strarray::StrArray* split(char16_t separator) const;
    // Distinct words (case-insensitive) in order of first appearance.
    strarray::StrArray* words(bool skipCommon) const;

    // --- iterators (pooled) ---
    Iterator* iterator();
    Iterator* iteratorAtEnd();
    Iterator* iteratorAt(int32_t i);       // next() yields unit i; -1: the end
    Iterator* iteratorFromEnd(int32_t n);  // next() yields unit length - n; -1: the start

    // --- byte stream over the storage (little-endian units, shared position) ---
    int32_t read(void* target, int32_t count) override;
    int32_t write(const void* data, int32_t count) override;
    int32_t position() const override { return static_cast<int32_t>(streamPos_); }
    void rewind() override { streamPos_ = 0; }
    void seekEnd() override;
    void seekBy(int32_t delta) override;

private:
    bool growTo(uint32_t capacity);
    bool ensure(uint32_t units);  // growth rule until `units` fit
    // Appends a number's text; `tail` first makes room for 256 more units.
    StrBuffer& appendNumber(const char* digits, int32_t count, bool tail);
    void insertAt(uint32_t at, const char16_t* units, uint32_t count);
    bool ownsUnits(const char16_t* p) const;
    bool lastMatch(char16_t unit, bool fold, int32_t& out, int32_t before) const;
    bool lastMatchAny(const char16_t* set, int32_t count, bool fold, int32_t& out,
                      int32_t before) const;
    bool findText(const char16_t* text, bool fold, int32_t& out, int32_t from) const;
    bool findLastText(const char16_t* text, bool fold, int32_t& out, int32_t before) const;
    StrBuffer& replaceAllFolded(const char16_t* find, const char16_t* replacement, bool fold);
    StrBuffer* prefix(bool found, int32_t end) const;

    char16_t* chars_ = nullptr;
    uint32_t length_ = 0;
    uint32_t capacity_ = 0;
    uint32_t streamPos_ = 0;
};

// A cursor over a buffer's units: index -1 before the first, length after the last.
class Iterator : public base::IObject, public thread::Pooled<Iterator> {
public:
    const char16_t* className() const override { return u"s_str_strbuffer_Iterator"; }
    Iterator* newInstance() const override { return take(); }

    void bind(StrBuffer* buffer, int32_t index);  // not owned
    int32_t index() const { return index_; }
    bool hasNext() const { return buffer_ && index_ < buffer_->length() - 1; }
    bool hasPrevious() const { return index_ > 0; }
    void skip(int32_t n) { index_ += n; }
    void skipBack(int32_t n) { index_ -= n; }
    char16_t* next();
    char16_t* previous();
    void reset() override;

private:
    StrBuffer* buffer_ = nullptr;
    int32_t index_ = -1;
};

}  // namespace s::str::strbuffer

namespace s::str {
using strbuffer::StrBuffer;
}
