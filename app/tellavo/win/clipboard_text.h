#pragma once

#include <windows.h>

#include "base/str_buffer.h"

namespace s::time::gui::dialogs::tellavo {

// Replaces every run of three spaces by one, left to right without overlap.
void collapseTripleSpaces(str::StrBuffer& text);

// Puts `text` on the clipboard as Unicode text owned by `owner`. The clipboard is closed and
// a block the clipboard did not take is freed on every path. False when nothing was copied.
bool putClipboardText(HWND owner, const char16_t* text);

}  // namespace s::time::gui::dialogs::tellavo
