#include "alloc_counter.h"

#include <atomic>
#include <cstddef>

// Linked with --wrap for these three: the real functions are reached as __real_*.
extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void* __real_realloc(void* block, size_t size);
void* __wrap_malloc(size_t size);
void* __wrap_calloc(size_t count, size_t size);
void* __wrap_realloc(void* block, size_t size);
}

namespace {
std::atomic<uint64_t> allocations{0};
}

extern "C" void* __wrap_malloc(size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __real_malloc(size);
}

extern "C" void* __wrap_calloc(size_t count, size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __real_calloc(count, size);
}

extern "C" void* __wrap_realloc(void* block, size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __real_realloc(block, size);
}

namespace s::bench {

uint64_t allocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

}  // namespace s::bench
