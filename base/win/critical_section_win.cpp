#include "base/critical_section.h"

#include <windows.h>

#include <new>

namespace s::thread {

namespace {
CRITICAL_SECTION* sectionIn(unsigned char* storage) {
    return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}
}  // namespace

static_assert(sizeof(CRITICAL_SECTION) <= CriticalSection::kStorageSize);
static_assert(alignof(CRITICAL_SECTION) <= 16);

CriticalSection::CriticalSection() {
    InitializeCriticalSection(new (storage_) CRITICAL_SECTION);
}

CriticalSection::~CriticalSection() {
    DeleteCriticalSection(sectionIn(storage_));
}

void CriticalSection::enter() {
    EnterCriticalSection(sectionIn(storage_));
}

void CriticalSection::leave() {
    LeaveCriticalSection(sectionIn(storage_));
}

bool CriticalSection::tryEnter() {
    return TryEnterCriticalSection(sectionIn(storage_)) != 0;
}

}  // namespace s::thread
