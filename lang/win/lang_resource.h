#pragma once

#include <windows.h>

#include <cstdint>

#include "lang/localizer.h"

namespace s::lang::win {

// Resource type and id of the language pack built into the executable.
inline constexpr const char16_t* kPackResourceType = u"IDR_XML";
inline constexpr int32_t kPackResourceId = 130;

// The bytes of a resource of `module` (nullptr: the executable), given by type name and
// numeric id. The bytes stay valid while the module is loaded; false when there is none.
bool resourceBytes(HMODULE module, const char16_t* typeName, int32_t id, const uint8_t*& bytes,
                   uint32_t& size);

// Takes a localizer from its pool and fills it with the language pack in the resource,
// then chooses the user's default user-interface language (GetUserDefaultUILanguage unless
// another source was set). A missing resource gives a localizer without languages. The
// caller releases the localizer.
Localizer* loadLanguagePack(HMODULE module = nullptr, const char16_t* typeName = kPackResourceType,
                            int32_t id = kPackResourceId);

}  // namespace s::lang::win
