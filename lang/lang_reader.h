#pragma once

#include <cstdint>

#include "lang/localizer.h"

namespace s::xml {
class Node;
}

namespace s::lang {

// Systems before this major version show the Venetian "ƚ" as "ł" (their fonts lack it).
inline constexpr int32_t kVenetianNativeMajorVersion = 6;

// Reads a language-pack document into the localizer: its "languages" become LangPacks and
// every entry of "entries" gives each language one text (its own element's, else the
// entry's first element's). `osMajorVersion` is the operating system's major version.
// Malformed documents give fewer languages or texts, never a failure; a pack too large to
// be real is read only up to the reader's limits.
void readLanguagePack(Localizer& localizer, const xml::Node& document, int32_t osMajorVersion);

// Takes a localizer from its pool and fills it from the UTF-8 bytes of a pack (nullptr or
// an empty range gives a localizer without languages); the current language is then chosen
// as on first use. The caller releases the localizer.
Localizer* loadLanguagePack(const uint8_t* bytes, int32_t count, int32_t osMajorVersion);

}  // namespace s::lang
