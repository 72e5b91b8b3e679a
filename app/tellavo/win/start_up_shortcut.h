#pragma once

#include "base/str_buffer.h"

// The "Start on System Boot" shortcut in the user's start-up folder.
namespace s::time::gui::dialogs::tellavo {

// The folder, then "<product title> <version>.lnk". False when the folder is unknown.
bool startupShortcutPath(const char16_t* productTitle, const char16_t* version,
                         str::StrBuffer& path);
bool startupShortcutExists(const char16_t* path);
// A shell link to `target` with `arguments`, replacing any file of that name. Needs COM
// initialised on the calling thread (the window threads have it).
bool createStartupShortcut(const char16_t* path, const char16_t* target, const char16_t* arguments);

}  // namespace s::time::gui::dialogs::tellavo
