#include "base/comparators.h"

#include <cstdint>

namespace s::comp {

namespace {
template <class T>
int32_t order(const void* a, const void* b) {
    T x = *static_cast<const T*>(a);
    T y = *static_cast<const T*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}
}  // namespace

int32_t CompU08::compare(const void* a, const void* b) const {
    return order<uint8_t>(a, b);
}
int32_t CompS08::compare(const void* a, const void* b) const {
    return order<int8_t>(a, b);
}
int32_t CompS32::compare(const void* a, const void* b) const {
    return order<int32_t>(a, b);
}
int32_t CompU32::compare(const void* a, const void* b) const {
    return order<uint32_t>(a, b);
}
int32_t CompP::compare(const void* a, const void* b) const {
    return order<uintptr_t>(a, b);
}

// Immortal shared instances: usable from destructors that run during static destruction.
const CompU08& CompU08::instance() {
    static const CompU08* const shared = new CompU08();
    return *shared;
}
const CompS08& CompS08::instance() {
    static const CompS08* const shared = new CompS08();
    return *shared;
}
const CompS32& CompS32::instance() {
    static const CompS32* const shared = new CompS32();
    return *shared;
}
const CompU32& CompU32::instance() {
    static const CompU32* const shared = new CompU32();
    return *shared;
}
const CompP& CompP::instance() {
    static const CompP* const shared = new CompP();
    return *shared;
}

}  // namespace s::comp
