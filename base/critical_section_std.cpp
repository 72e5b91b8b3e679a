#include "base/critical_section.h"

#include <mutex>
#include <new>

namespace s::thread {

namespace {
std::recursive_mutex& mutexIn(unsigned char* storage) {
    return *std::launder(reinterpret_cast<std::recursive_mutex*>(storage));
}
}  // namespace

static_assert(sizeof(std::recursive_mutex) <= CriticalSection::kStorageSize);
static_assert(alignof(std::recursive_mutex) <= 16);

CriticalSection::CriticalSection() {
    new (storage_) std::recursive_mutex();
}

CriticalSection::~CriticalSection() {
    mutexIn(storage_).~recursive_mutex();
}

void CriticalSection::enter() {
    mutexIn(storage_).lock();
}

void CriticalSection::leave() {
    mutexIn(storage_).unlock();
}

bool CriticalSection::tryEnter() {
    return mutexIn(storage_).try_lock();
}

}  // namespace s::thread
