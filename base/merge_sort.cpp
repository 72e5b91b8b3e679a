#include "base/merge_sort.h"

#include <cstdlib>
#include <cstring>

namespace s::col {

namespace {

constexpr int32_t kInsertionSortBelow = 7;

inline bool outOfOrder(const void* a, const void* b, SortCompare compare, void* context,
                       bool descending) {
    int32_t c = compare(a, b, context);
    return descending ? c < 0 : c > 0;
}

void sortAll(void** items, int32_t count, SortCompare compare, void* context, bool descending) {
    if (!items || count < 2 || !compare)
        return;
    const size_t size = sizeof(void*) * static_cast<size_t>(count);
    auto** scratch = static_cast<void**>(std::malloc(size));
    if (!scratch)
        return;
    std::memcpy(scratch, items, size);
    mergeSortRange(scratch, items, 0, count, 0, compare, context, descending);
    std::free(scratch);
}

}  // namespace

void mergeSortRange(void** source, void** target, int32_t low, int32_t high, int32_t offset,
                    SortCompare compare, void* context, bool descending) {
    const int32_t length = high - low;
    if (length < kInsertionSortBelow) {
        for (int32_t i = low; i < high; ++i) {
            for (int32_t j = i;
                 j > low && outOfOrder(target[j - 1], target[j], compare, context, descending);
                 --j) {
                void* t = target[j];
                target[j] = target[j - 1];
                target[j - 1] = t;
            }
        }
        return;
    }
    const int32_t targetLow = low;
    const int32_t targetHigh = high;
    low += offset;
    high += offset;
    const int32_t mid = low + (high - low) / 2;
    mergeSortRange(target, source, low, mid, -offset, compare, context, descending);
    mergeSortRange(target, source, mid, high, -offset, compare, context, descending);

    // Halves already in order: copy the range across unchanged.
    if (!outOfOrder(source[mid - 1], source[mid], compare, context, descending)) {
        std::memcpy(target + targetLow, source + low, sizeof(void*) * static_cast<size_t>(length));
        return;
    }
    // Take from the left while it is not out of order with the right head: stable.
    for (int32_t i = targetLow, p = low, q = mid; i < targetHigh; ++i) {
        if (q >= high ||
            (p < mid && !outOfOrder(source[p], source[q], compare, context, descending))) {
            target[i] = source[p++];
        } else {
            target[i] = source[q++];
        }
    }
}

void mergeSort(void** items, int32_t count, SortCompare compare, void* context) {
    sortAll(items, count, compare, context, false);
}

void mergeSortDescending(void** items, int32_t count, SortCompare compare, void* context) {
    sortAll(items, count, compare, context, true);
}

}  // namespace s::col
