#include "base/object.h"

namespace s::base {

int32_t IComparable::compare(const IComparable* other, const IComparator* comparator) const {
    if (comparator)
        return comparator->compare(this, other);
    return compareAddresses(this, other);
}

int32_t IComparable::compareIgnoreCase(const IComparable* other,
                                       const IComparator* comparator) const {
    if (comparator)
        return comparator->compareIgnoreCase(this, other);
    return compare(other, nullptr);
}

bool IComparable::equals(const IComparable* other, const IComparator* comparator) const {
    return compare(other, comparator) == 0;
}

bool IComparable::equalsIgnoreCase(const IComparable* other, const IComparator* comparator) const {
    return compareIgnoreCase(other, comparator) == 0;
}

uint32_t IComparable::hashCode() const {
    return 0;
}

uint32_t IComparable::hashCodeIgnoreCase() const {
    return hashCode();
}

uint32_t IObject::hashCode() const {
    // The same rotation hash as the text buffer, over the class id.
    uint32_t h = 0;
    for (const char16_t* p = className(); p && *p; ++p) {
        h = ((h << 1) | ((h >> 30) & 1u)) ^ *p;
    }
    return h;
}

}  // namespace s::base
