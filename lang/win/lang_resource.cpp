#include "lang/win/lang_resource.h"

#include "lang/lang_reader.h"
#include "lang/win/system_language.h"

namespace s::lang::win {

bool resourceBytes(HMODULE module, const char16_t* typeName, int32_t id, const uint8_t*& bytes,
                   uint32_t& size) {
    if (!module)
        module = GetModuleHandleW(nullptr);
    // Loaded resources belong to the module: nothing here is freed or closed.
    HRSRC info =
        FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<const wchar_t*>(typeName));
    if (!info)
        return false;
    HGLOBAL loaded = LoadResource(module, info);
    if (!loaded)
        return false;
    const void* data = LockResource(loaded);
    const DWORD length = SizeofResource(module, info);
    if (!data || length == 0)
        return false;
    bytes = static_cast<const uint8_t*>(data);
    size = length;
    return true;
}

Localizer* loadLanguagePack(HMODULE module, const char16_t* typeName, int32_t id) {
    useSystemLanguageId();
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    if (!resourceBytes(module, typeName, id, bytes, size) || size > INT32_MAX) {
        return s::lang::loadLanguagePack(nullptr, 0, osMajorVersion());
    }
    return s::lang::loadLanguagePack(bytes, static_cast<int32_t>(size), osMajorVersion());
}

}  // namespace s::lang::win
