#pragma once

#include <cstdint>

// Heap allocations made by this process so far: the linker routes every malloc, calloc and
// realloc (operator new included, which calls malloc) through a counter.
namespace s::bench {

uint64_t allocationCount();

}  // namespace s::bench
