#pragma once

#include <cstddef>

namespace s::thread {

// A recursive lock for the owning thread. The storage is opaque here so that the platform
// type (CRITICAL_SECTION on Windows, std::recursive_mutex elsewhere) stays out of headers.
class CriticalSection {
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter();
    void leave();
    bool tryEnter();

    static constexpr std::size_t kStorageSize = 64;

private:
    alignas(16) unsigned char storage_[kStorageSize];
};

}  // namespace s::thread
