#pragma once

#include <cstdint>

// The toolkit's private window messages (WM_USER + n and WM_APP + n values).
namespace s::gui::win::msg {

constexpr uint32_t kRect = 0x401;         // wparam: RectRecord*; lparam 1: the record is owned
constexpr uint32_t kTray = 0x402;         // lparam: the mouse message
constexpr uint32_t kBringBack = 0x403;    // sent by a second copy of the program
constexpr uint32_t kInformation = 0x404;  // wparam: the text
constexpr uint32_t kError = 0x405;        // wparam: the text
constexpr uint32_t kYesNo = 0x406;        // wparam: the text; answers 1 for yes
constexpr uint32_t kWake = 0x407;         // listeners of event 15
constexpr uint32_t kRegisterHotKey = 0x40C;
constexpr uint32_t kUnregisterHotKey = 0x40D;
constexpr uint32_t kUnregisterAllHotKeys = 0x40E;
constexpr uint32_t kDestroyControl = 0x40F;  // to a control
constexpr uint32_t kLinkDropped = 0x416;     // to a box: a link arrived
constexpr uint32_t kStartTimer = 0x414;      // wparam: int32_t[2] (id, milliseconds)
constexpr uint32_t kStopTimer = 0x415;       // wparam: int32_t* (id)
constexpr uint32_t kDestroy = 0x8001;        // forwarded to the hidden owner
constexpr uint32_t kAttach = 0x8002;         // wparam: IComponent*, attached to the receiver
// Notifications reflected to the control that sent them.
constexpr uint32_t kReflectCtlColor = 0x8003;
constexpr uint32_t kReflectClicked = 0x8004;
constexpr uint32_t kReflectDoubleClicked = 0x8005;
constexpr uint32_t kReflectItemChanged = 0x8006;
constexpr uint32_t kReflectOdStateChanged = 0x8007;
constexpr uint32_t kReflectBeginDrag = 0x8008;
constexpr uint32_t kReflectEndLabelEdit = 0x8009;
constexpr uint32_t kReflectEditChange = 0x800C;
constexpr uint32_t kReflectSelChange = 0x800A;
constexpr uint32_t kReflectTabSelChange = 0x800B;
constexpr uint32_t kReflectColumnClick = 0x800D;
constexpr uint32_t kReflectCustomDraw = 0x800E;
constexpr uint32_t kReflectDropDown = 0x800F;
constexpr uint32_t kReflectCloseUp = 0x8010;
constexpr uint32_t kReflectHeaderBeginDrag = 0x8011;
constexpr uint32_t kReflectHeaderEndDrag = 0x8012;
constexpr uint32_t kReflectItemChanging = 0x8013;
constexpr uint32_t kReflectKillFocus = 0x8015;
// The hand-over to a window's thread: wparam the operation, lparam its block.
constexpr uint32_t kRunOnThread = 0x8016;

// Message 1025's four integers.
struct RectRecord {
    int32_t a, b, c, d;
};

}  // namespace s::gui::win::msg
