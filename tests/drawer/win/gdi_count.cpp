#include "tests/drawer/win/gdi_count.h"

#include <winternl.h>

namespace s::test {
namespace {

// One entry of the GDI handle table that the process environment block points to; the
// same 24-byte layout on 64-bit Windows and in Wine.
struct HandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t extType;
    uint8_t type;
    uint8_t generation;
    uint64_t user;
};
static_assert(sizeof(HandleEntry) == 24);
constexpr int32_t kMaxHandles = 0x10000;

int32_t liveHandles() {
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info = {};
    if (!query ||
        query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
        return -1;
    // GdiSharedHandleTable sits at offset 0xF8 of the 64-bit environment block.
    const auto* peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
    const auto* table = *reinterpret_cast<const HandleEntry* const*>(peb + 0xF8);
    if (!table)
        return -1;
    const DWORD pid = GetCurrentProcessId();
    int32_t n = 0;
    for (int32_t i = 0; i < kMaxHandles; ++i) {
        const HandleEntry& e = table[i];
        if (e.type == 0 || e.object == 0)
            continue;
        const uint32_t owner = e.owner & 0xFFFF;
        if (owner == (pid & 0xFFFF) || owner == ((pid >> 2) & 0xFFFF) || owner == 0)
            ++n;
    }
    return n;
}

}  // namespace

GdiCount gdiCount() {
    GdiCount c;
    c.reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    c.live = liveHandles();
    return c;
}

}  // namespace s::test
