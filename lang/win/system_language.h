#pragma once

#include <cstdint>

namespace s::lang::win {

// The user's default user-interface language (GetUserDefaultUILanguage).
uint16_t systemLanguageId();

// Makes the system's LANGID the source of s::lang::userLanguageName(), unless a source was
// set already (tests set their own).
void useSystemLanguageId();

// The operating system's major version (5 for XP and 2003, 6 for Vista to 8.1, 10 after).
int32_t osMajorVersion();

}  // namespace s::lang::win
