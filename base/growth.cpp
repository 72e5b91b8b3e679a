#include "base/growth.h"

namespace s::col {

uint32_t growOnceFrom(uint32_t capacity) {
    uint64_t next;
    if (capacity < 100) {
        next = 100;
    } else if (capacity < 10000000) {
        next = uint64_t{capacity} * 3;
    } else if (capacity < 50000000) {
        next = uint64_t{capacity} * 2;
    } else if (capacity >= 100000000) {
        next = uint64_t{capacity} * 6 / 5;
    } else {
        next = uint64_t{capacity} * 3 / 2;
    }
    if (next > 0xFFFFFFFFu)
        next = 0xFFFFFFFFu;
    return static_cast<uint32_t>(next);
}

uint32_t grownCapacity(uint32_t capacity, uint32_t needed) {
    while (capacity < needed) {
        uint32_t next = growOnceFrom(capacity);
        if (next <= capacity)
            return needed;
        capacity = next;
    }
    return capacity;
}

uint32_t boundedCapacity(uint32_t capacity, uint32_t needed) {
    if (needed > kMaxCount)
        return 0;
    const uint32_t grown = grownCapacity(capacity, needed);
    return grown > kMaxCount ? kMaxCount : grown;
}

}  // namespace s::col
