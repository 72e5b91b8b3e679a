#include "persist/win/native_root.h"

#include <windows.h>

#include <sddl.h>  // after windows.h, which it needs

#include <string>

#include "persist/reg/reg_types.h"

namespace s::reg::win {

namespace {

using NtStatus = LONG;

struct NativeUnicodeString {
    USHORT length;
    USHORT maximumLength;
    PWSTR buffer;
};

// "S-1-5-21-..." of the user the process runs as; empty when the token cannot be read.
std::u16string tokenUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    std::u16string sid;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size >= sizeof(TOKEN_USER)) {
        std::string buffer(size, '\0');
        if (GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
            auto* user = reinterpret_cast<TOKEN_USER*>(buffer.data());
            LPWSTR text = nullptr;
            if (ConvertSidToStringSidW(user->User.Sid, &text) && text != nullptr) {
                sid = reinterpret_cast<const char16_t*>(text);
                LocalFree(text);
            }
        }
    }
    CloseHandle(token);
    return sid;
}

// Asks ntdll for the current user's key path, for a token without a readable user.
std::u16string formattedCurrentUserPath() {
    using Fn = NtStatus(NTAPI*)(NativeUnicodeString*);
    using FreeFn = void(NTAPI*)(NativeUnicodeString*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr)
        return {};
    auto format = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlFormatCurrentUserKeyPath")));
    auto release = reinterpret_cast<FreeFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlFreeUnicodeString")));
    if (format == nullptr)
        return {};
    NativeUnicodeString text{};
    if (format(&text) < 0 || text.buffer == nullptr)
        return {};
    std::u16string path(reinterpret_cast<const char16_t*>(text.buffer), text.length / 2);
    if (release != nullptr)
        release(&text);
    return path;
}

std::u16string currentUserRoot() {
    std::u16string sid = tokenUserSid();
    if (!sid.empty())
        return u"\\Registry\\User\\" + sid;
    std::u16string formatted = formattedCurrentUserPath();
    if (!formatted.empty())
        return formatted;
    return u"\\Registry\\User\\.Default";
}

}  // namespace

const char16_t* rootName(uint32_t root) {
    switch (root) {
        case kClassesRoot:
            return u"HKEY_CLASSES_ROOT";
        case kCurrentUser:
            return u"HKEY_CURRENT_USER";
        case kLocalMachine:
            return u"HKEY_LOCAL_MACHINE";
        case kUsers:
            return u"HKEY_USERS";
        case kCurrentConfig:
            return u"HKEY_CURRENT_CONFIG";
        default:
            return nullptr;
    }
}

const char16_t* nativeRootName(uint32_t root) {
    switch (root) {
        case kClassesRoot:
            return u"\\Registry\\Machine\\Software\\Classes";
        case kCurrentUser: {
            static const std::u16string path = currentUserRoot();
            return path.c_str();
        }
        case kLocalMachine:
            return u"\\Registry\\Machine";
        case kUsers:
            return u"\\Registry\\User";
        case kCurrentConfig:
            return u"\\Registry\\Machine\\System\\CurrentControlSet\\Hardware Profiles\\Current";
        default:
            return nullptr;
    }
}

}  // namespace s::reg::win
