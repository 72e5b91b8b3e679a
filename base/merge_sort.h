#pragma once

#include <cstdint>
#include <utility>

namespace s::col {

// Compare function of the merge sort: a and b are two elements (the stored pointers).
using SortCompare = int32_t (*)(const void* a, const void* b, void* context);

// Stable merge sorts of an array of pointers. Ranges below 7 elements are insertion-sorted;
// larger ones split at the middle and merge, skipping the merge when already in order.
// The ascending sort moves a pair apart when compare(a, b) > 0, the descending when < 0.
void mergeSort(void** items, int32_t count, SortCompare compare, void* context = nullptr);
void mergeSortDescending(void** items, int32_t count, SortCompare compare, void* context = nullptr);

// One step of the sort: sorts [low, high) from `source` into `target`; `offset` maps the
// target range to the source range. Both must hold the same elements on entry.
void mergeSortRange(void** source, void** target, int32_t low, int32_t high, int32_t offset,
                    SortCompare compare, void* context, bool descending);

// compare(const void* a, const void* b) -> negative, 0 or positive; any callable.
template <class F>
void mergeSortBy(void** items, int32_t count, F&& compare, bool descending = false) {
    using Fn = std::remove_reference_t<F>;
    SortCompare thunk = [](const void* a, const void* b, void* context) -> int32_t {
        return static_cast<int32_t>((*static_cast<Fn*>(context))(a, b));
    };
    void* context = const_cast<void*>(static_cast<const void*>(&compare));
    if (descending) {
        mergeSortDescending(items, count, thunk, context);
    } else {
        mergeSort(items, count, thunk, context);
    }
}

}  // namespace s::col
