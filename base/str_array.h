#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/str_buffer.h"

namespace s::str::strarray {

// A list of pooled string buffers. The array owns its buffers: removing or clearing
// elements gives them back to the StrBuffer pool.
class StrArray : public base::IObject, public thread::Pooled<StrArray> {
public:
    StrArray();
    const char16_t* className() const override { return u"s_str_strarray_StrArray"; }
    StrArray* newInstance() const override { return take(); }
    void reset() override;

    int32_t count() const { return items_.count(); }
    bool isEmpty() const { return items_.count() == 0; }
    // Positions often come from stored settings: out of range gives nullptr (at) or the
    // empty text (textAt) rather than a read past the array.
    StrBuffer* at(int32_t i) const {
        return i >= 0 && i < items_.count() ? items_.getAs<StrBuffer>(i) : nullptr;
    }
    const char16_t* textAt(int32_t i) const {
        StrBuffer* item = at(i);
        return item ? item->text() : u"";
    }
    // Takes ownership of a pooled buffer.
    void add(StrBuffer* buffer) { items_.add(buffer); }
    // Adds a pooled copy of `text` (count -1: to the terminator); returns it.
    StrBuffer* addText(const char16_t* text, int32_t count = -1);
    void removeAt(int32_t i) { items_.removeRange(i, 1); }
    // Removes element i and hands it to the caller, who then releases it.
    StrBuffer* detach(int32_t i) { return static_cast<StrBuffer*>(items_.detach(i)); }
    void clear() { items_.clear(); }
    // First element equal to `text` (ignoring case when asked); false when none.
    bool indexOf(const char16_t* text, int32_t& out, bool ignoreCase = false) const;
    // Stable sort by compareIgnoreCase.
    void sort();

    col::_array::ArrayP& array() { return items_; }
    const col::_array::ArrayP& array() const { return items_; }

private:
    col::_array::ArrayP items_;
};

}  // namespace s::str::strarray

namespace s::str {
using strarray::StrArray;
}
