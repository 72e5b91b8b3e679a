#pragma once

#include <cstdint>

// The user's default user-interface language as a language name of the pack's engName kind.
namespace s::lang {

// Supplies the user's default user-interface language as a Windows LANGID.
using LanguageIdSource = uint16_t (*)();

// The upper-case English name of a LANGID ("CHINESE_SIMPLIFIED", "GERMAN"), or "Unknown".
const char16_t* languageNameOfId(uint16_t languageId);

// Where userLanguageName() takes the LANGID from; nullptr restores the default source,
// which answers LANG_NEUTRAL (a name that matches no language) until the platform layer
// installs the system's source. Setting a source forgets the cached name.
void setLanguageIdSource(LanguageIdSource source);
LanguageIdSource languageIdSource();

// languageNameOfId() of the source's LANGID, lower-cased with its first letter raised
// ("Chinese_simplified"); computed on first use and cached for the process.
const char16_t* userLanguageName();

}  // namespace s::lang
