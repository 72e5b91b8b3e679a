#include "gui/win/window_class.h"

#include <commctrl.h>

#include <mutex>

#include "gui/win/messages.h"

namespace s::gui::win {
namespace {

std::once_flag registration;
bool registered = false;

void registerOnce() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    // Double clicks must reach the clients.
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = reflectingProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kWindowClassName;
    if (RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
        registered = true;
        return;
    }
    MessageBoxW(nullptr, L"Window Registration Failed!", L"Error!", MB_ICONWARNING | MB_OK);
}

}  // namespace

bool registerWindowClass() {
    std::call_once(registration, registerOnce);
    return registered;
}

HWND createToolkitWindow(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width,
                         int height, HWND parent, IMessageTarget* target) {
    return CreateWindowExW(exStyle, kWindowClassName, title, style, x, y, width, height, parent,
                           nullptr, GetModuleHandleW(nullptr), target);
}

void setMessageTarget(HWND hwnd, IMessageTarget* target) {
    if (hwnd)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
}

IMessageTarget* messageTarget(HWND hwnd) {
    return reinterpret_cast<IMessageTarget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

uint32_t reflectedCommand(uint32_t code) {
    switch (code) {
        case BN_CLICKED:
            return msg::kReflectClicked;
        case CBN_SELCHANGE:
            return msg::kReflectSelChange;
        case BN_DOUBLECLICKED:
            return msg::kReflectDoubleClicked;
        case CBN_DROPDOWN:
            return msg::kReflectDropDown;
        case CBN_CLOSEUP:
            return msg::kReflectCloseUp;
        case EN_KILLFOCUS:
            return msg::kReflectKillFocus;
        case EN_CHANGE:
            return msg::kReflectEditChange;
        default:
            return 0;
    }
}

uint32_t reflectedNotify(int32_t code) {
    switch (code) {
        case -12:
            return msg::kReflectCustomDraw;
        case -100:
            return msg::kReflectItemChanging;
        case -101:
            return msg::kReflectItemChanged;
        case -108:
            return msg::kReflectColumnClick;
        case -109:
            return msg::kReflectBeginDrag;
        case -115:
            return msg::kReflectOdStateChanged;
        case -176:
            return msg::kReflectEndLabelEdit;
        case -310:
            return msg::kReflectHeaderBeginDrag;
        case -311:
            return msg::kReflectHeaderEndDrag;
        case -551:
            return msg::kReflectTabSelChange;
        default:
            return 0;
    }
}

namespace {

// The reflection and default part of the procedure; `handled` false means default
// processing ran.
LRESULT reflectOrDefault(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND: {
            // Only control notifications are reflected; a menu command (lparam 0) that no
            // menu took goes to the default processing.
            uint32_t reflected = reflectedCommand(HIWORD(wparam));
            if (lparam != 0 && reflected != 0) {
                SendMessageW(reinterpret_cast<HWND>(lparam), reflected, wparam, lparam);
                return 0;
            }
            break;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lparam);
            if (!header || !header->hwndFrom)
                break;
            int32_t code = static_cast<int32_t>(header->code);
            uint32_t reflected = reflectedNotify(code);
            if (reflected == 0)
                break;
            LRESULT answer = SendMessageW(header->hwndFrom, reflected, wparam, lparam);
            if (code == -101 || code == -109 || code == -115)
                return 0;
            return answer;
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case 0x19:  // WM_CTLCOLOR of old
            if (lparam != 0)
                return SendMessageW(reinterpret_cast<HWND>(lparam), msg::kReflectCtlColor, wparam,
                                    lparam);
            break;
        case WM_HSCROLL:
            if (lparam != 0)
                return SendMessageW(reinterpret_cast<HWND>(lparam), message, wparam, lparam);
            break;
        case WM_INITMENU:
        case WM_LBUTTONDOWN:
            SendMessageW(hwnd, WM_ACTIVATE, WA_CLICKACTIVE, 0);
            break;
        case WM_INITMENUPOPUP: {
            MENUINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = MIM_MENUDATA;
            if (GetMenuInfo(reinterpret_cast<HMENU>(wparam), &info)) {
                HWND menuOwner = reinterpret_cast<HWND>(info.dwMenuData);
                if (menuOwner && menuOwner != hwnd && IsWindow(menuOwner))
                    return SendMessageW(menuOwner, message, wparam, lparam);
            }
            break;
        }
        case WM_SETCURSOR: {
            // The class has no cursor of its own.
            LRESULT answer = DefWindowProcW(hwnd, message, wparam, lparam);
            if (!answer && LOWORD(lparam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
            return answer;
        }
        case msg::kDestroy:
            return DefWindowProcW(hwnd, WM_CLOSE, 0, 0);
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK reflectingProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        setMessageTarget(hwnd, static_cast<IMessageTarget*>(create->lpCreateParams));
    }
    IMessageTarget* target = messageTarget(hwnd);
    intptr_t result = 0;
    if (target && target->handleMessage(result, message, wparam, lparam))
        return result;
    result = reflectOrDefault(hwnd, message, wparam, lparam);
    // The target may have let go of the window meanwhile (destruction).
    target = messageTarget(hwnd);
    if (target)
        target->afterMessage(result, message, wparam, lparam);
    if (message == WM_NCDESTROY)
        setMessageTarget(hwnd, nullptr);
    return result;
}

}  // namespace s::gui::win
