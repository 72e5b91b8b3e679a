#pragma once

#include <cstdint>

#include "base/object.h"

namespace s::col {

namespace _array {
class Iterator;
}

class ICollection : public base::IObject {
public:
    virtual int32_t count() const = 0;
    // n elements in bytes; -1: all elements in use.
    virtual int32_t byteSize(int32_t n = -1) const = 0;
};

// Iterators are pooled: release() them when done.
class IEnumerable {
public:
    virtual ~IEnumerable() = default;
    virtual _array::Iterator* iterator() = 0;                  // before the first element
    virtual _array::Iterator* iteratorAtEnd() = 0;             // after the last element
    virtual _array::Iterator* iteratorAt(int32_t i) = 0;       // next() yields element i; -1: end
    virtual _array::Iterator* iteratorFromEnd(int32_t n) = 0;  // next() yields count - n; -1: start
    virtual void* elementAddress(int32_t i) = 0;
};

}  // namespace s::col
