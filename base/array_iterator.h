#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "base/streams.h"

namespace s::col::_array {

class ArrayBase;

// A cursor over an array's elements. The index is -1 before the first element and count
// after the last; next() moves on by one and returns that element's address.
class Iterator : public base::IObject, public thread::Pooled<Iterator> {
public:
    const char16_t* className() const override { return u"s_col_array_Iterator"; }
    Iterator* newInstance() const override { return take(); }

    // Binds to `array` (not owned) with the index `index`.
    void bind(ArrayBase* array, int32_t index);
    int32_t index() const { return index_; }

    bool hasNext() const;
    bool hasPrevious() const { return index_ > 0; }
    void skip(int32_t n) { index_ += n; }
    void skipBack(int32_t n) { index_ -= n; }
    void* next();
    void* previous();
    void reset() override;

private:
    ArrayBase* array_ = nullptr;
    int32_t index_ = -1;
};

// Reads the bytes of an array's elements from the start. Pooled; close() gives it back.
class CollectionInputStream : public base::IObject,
                              public io::IInputStream,
                              public thread::Pooled<CollectionInputStream> {
public:
    const char16_t* className() const override { return u"s_col_CollectionInputStream"; }
    CollectionInputStream* newInstance() const override { return take(); }

    void bind(const ArrayBase* array);  // not owned
    int32_t read(void* target, int32_t count) override;
    int32_t position() const override { return static_cast<int32_t>(pos_); }
    void rewind() override { pos_ = 0; }
    void seekEnd() override;
    void seekBy(int32_t delta) override;
    void close() override { release(); }
    void reset() override;

private:
    const ArrayBase* array_ = nullptr;
    uint32_t pos_ = 0;
};

}  // namespace s::col::_array

namespace s::col {
using _array::CollectionInputStream;
}
