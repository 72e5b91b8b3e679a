#pragma once

#include <windows.h>

#include <cstdint>

namespace s::test {

// GDI objects of this process as the system reports them (GetGuiResources; 0 where the
// platform does not count) and as the process's GDI handle table holds them.
struct GdiCount {
    DWORD reported = 0;
    int32_t live = 0;
};
GdiCount gdiCount();

}  // namespace s::test
