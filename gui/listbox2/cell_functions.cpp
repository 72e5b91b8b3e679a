#include "gui/listbox2/cell_functions.h"

#include <atomic>
#include <cstdlib>

#include "base/str_buffer.h"
#include "gui/listbox2/record.h"

namespace s::gui::listbox2 {

namespace {

char16_t folded(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

// Null values sort before every value; two nulls are equal.
bool orderNulls(const void* a, const void* b, int32_t& result) {
    if (a && b)
        return false;
    result = a == b ? 0 : (a ? 1 : -1);
    return true;
}

}  // namespace

int32_t compareText(const void* a, const void* b) {
    int32_t result;
    if (orderNulls(a, b, result))
        return result;
    const auto& x = *static_cast<const str::StrBuffer*>(a);
    const auto& y = *static_cast<const str::StrBuffer*>(b);
    int32_t common = x.length() < y.length() ? x.length() : y.length();
    for (int32_t i = 0; i < common; ++i) {
        char16_t p = folded(x.charAt(i));
        char16_t q = folded(y.charAt(i));
        if (p != q)
            return p < q ? -1 : 1;
    }
    return x.length() == y.length() ? 0 : (x.length() < y.length() ? -1 : 1);
}

int32_t compareInt64(const void* a, const void* b) {
    int32_t result;
    if (orderNulls(a, b, result))
        return result;
    int64_t x = loadInt64Value(a);
    int64_t y = loadInt64Value(b);
    return x == y ? 0 : (x < y ? -1 : 1);
}

int32_t compareDisplayPosition(const Record* a, const Record* b) {
    uint32_t x = a->index();
    uint32_t y = b->index();
    return x == y ? 0 : (x < y ? -1 : 1);
}

void textOfString(const void* value, str::StrBuffer& out) {
    if (value)
        out.appendStr(*static_cast<const str::StrBuffer*>(value));
}

void textOfInt64(const void* value, str::StrBuffer& out) {
    if (value)
        out.appendInt64(loadInt64Value(value));
}

int64_t* newInt64Value(int64_t value) {
    auto* block = static_cast<int64_t*>(std::malloc(sizeof(int64_t)));
    if (block)
        *block = value;
    return block;
}

int64_t loadInt64Value(const void* value) {
    if (!value)
        return 0;
    // The block is only ever written through storeInt64Value (or before it is shared).
    auto& number = *static_cast<int64_t*>(const_cast<void*>(value));
    return std::atomic_ref<int64_t>(number).load(std::memory_order_acquire);
}

void storeInt64Value(void* value, int64_t number) {
    if (value)
        std::atomic_ref<int64_t>(*static_cast<int64_t*>(value))
            .store(number, std::memory_order_release);
}

}  // namespace s::gui::listbox2
