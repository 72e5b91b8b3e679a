#include "app/tellavo/win/clipboard_text.h"

#include <cstring>
#include <string>

namespace s::time::gui::dialogs::tellavo {

void collapseTripleSpaces(str::StrBuffer& text) {
    str::StrBuffer out;
    const char16_t* p = text.text();
    while (*p) {
        if (p[0] == u' ' && p[1] == u' ' && p[2] == u' ') {
            out.append(p, 1);
            p += 3;
        } else {
            out.append(p, 1);
            ++p;
        }
    }
    text.setText(out.text());
}

bool putClipboardText(HWND owner, const char16_t* text) {
    if (text == nullptr)
        return false;
    const size_t units = std::char_traits<char16_t>::length(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, units * sizeof(char16_t));
    if (block == nullptr)
        return false;
    void* data = GlobalLock(block);
    if (data == nullptr) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(data, text, units * sizeof(char16_t));
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    if (!taken)
        GlobalFree(block);
    return taken;
}

}  // namespace s::time::gui::dialogs::tellavo
