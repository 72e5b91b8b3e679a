#include "lang/win/system_language.h"

#include <windows.h>

#include "lang/ui_language.h"

namespace s::lang::win {
namespace {

// Assumed when the system does not say: a current one, whose texts need no adjustment.
constexpr int32_t kFallbackMajorVersion = 10;

}  // namespace

uint16_t systemLanguageId() {
    return GetUserDefaultUILanguage();
}

void useSystemLanguageId() {
    if (!languageIdSource())
        setLanguageIdSource(&systemLanguageId);
}

int32_t osMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // Without a supportedOS entry newer systems report 6.2; the major version is what counts.
    if (!GetVersionExW(&info))
        return kFallbackMajorVersion;
    return static_cast<int32_t>(info.dwMajorVersion);
}

}  // namespace s::lang::win
