#include "gui/win/control.h"

#include <commctrl.h>

namespace s::gui::win {
namespace {

constexpr UINT_PTR kSubclassId = 0x7E11;

LRESULT CALLBACK subclassProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR /*id*/, DWORD_PTR data) {
    auto* target = reinterpret_cast<IMessageTarget*>(data);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, subclassProcedure, kSubclassId);
    intptr_t result = 0;
    if (target && target->handleMessage(result, message, wparam, lparam))
        return result;
    result = DefSubclassProc(hwnd, message, wparam, lparam);
    if (target)
        target->afterMessage(result, message, wparam, lparam);
    return result;
}

}  // namespace

bool subclassControl(HWND hwnd, IMessageTarget* target) {
    return hwnd && SetWindowSubclass(hwnd, subclassProcedure, kSubclassId,
                                     reinterpret_cast<DWORD_PTR>(target)) != FALSE;
}

void unsubclassControl(HWND hwnd) {
    if (hwnd)
        RemoveWindowSubclass(hwnd, subclassProcedure, kSubclassId);
}

void paintBuffered(HWND hwnd, void (*paint)(void* context, HDC dc, int32_t w, int32_t h),
                   void* context) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc)
        return;
    RECT client;
    GetClientRect(hwnd, &client);
    const int32_t w = client.right, h = client.bottom;
    HDC memory = w > 0 && h > 0 ? CreateCompatibleDC(dc) : nullptr;
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, w, h) : nullptr;
    if (bitmap) {
        HGDIOBJ before = SelectObject(memory, bitmap);
        paint(context, memory, w, h);
        BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, before);
    } else if (w > 0 && h > 0) {
        paint(context, dc, w, h);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    EndPaint(hwnd, &ps);
}

void reportCreationFailure() {
    MessageBoxW(nullptr, L"Window Creation Failed!", L"Error!", MB_ICONWARNING | MB_OK);
}

}  // namespace s::gui::win
