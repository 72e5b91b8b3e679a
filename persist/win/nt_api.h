#pragma once

#include <windows.h>

#include <cstdint>

// The native registry calls of ntdll, resolved once per process at run time. The structs are
// declared here under our own names so that nothing depends on how complete the SDK's
// winternl.h is.
namespace s::reg::win {

using NtStatus = LONG;

inline bool ntSuccess(NtStatus status) {
    return status >= 0;
}

constexpr NtStatus kStatusBufferOverflow = static_cast<NtStatus>(0x80000005);
constexpr NtStatus kStatusNoMoreEntries = static_cast<NtStatus>(0x8000001A);
constexpr NtStatus kStatusBufferTooSmall = static_cast<NtStatus>(0xC0000023);
constexpr NtStatus kStatusAccessDenied = static_cast<NtStatus>(0xC0000022);
constexpr NtStatus kStatusObjectNameNotFound = static_cast<NtStatus>(0xC0000034);
constexpr NtStatus kStatusNotImplemented = static_cast<NtStatus>(0xC0000002);

struct NtUnicodeString {
    USHORT length;         // bytes, without terminator
    USHORT maximumLength;  // bytes
    PWSTR buffer;
};

struct NtObjectAttributes {
    ULONG length;
    HANDLE rootDirectory;
    NtUnicodeString* objectName;
    ULONG attributes;
    PVOID securityDescriptor;
    PVOID securityQualityOfService;
};

constexpr ULONG kObjCaseInsensitive = 0x40;

// Information classes and the records they fill.
constexpr ULONG kKeyBasicInformation = 0;
constexpr ULONG kKeyValueBasicInformation = 0;
constexpr ULONG kKeyValuePartialInformation = 2;

struct KeyBasicInformation {
    LARGE_INTEGER lastWriteTime;
    ULONG titleIndex;
    ULONG nameLength;  // bytes
    WCHAR name[1];
};

struct KeyValueBasicInformation {
    ULONG titleIndex;
    ULONG type;
    ULONG nameLength;  // bytes
    WCHAR name[1];
};

struct KeyValuePartialInformation {
    ULONG titleIndex;
    ULONG type;
    ULONG dataLength;  // bytes
    UCHAR data[1];
};

using NtOpenKeyFn = NtStatus(NTAPI*)(HANDLE*, ACCESS_MASK, NtObjectAttributes*);
using NtCreateKeyFn = NtStatus(NTAPI*)(HANDLE*, ACCESS_MASK, NtObjectAttributes*, ULONG,
                                       NtUnicodeString*, ULONG, ULONG*);
using NtQueryValueKeyFn = NtStatus(NTAPI*)(HANDLE, NtUnicodeString*, ULONG, PVOID, ULONG, ULONG*);
using NtSetValueKeyFn = NtStatus(NTAPI*)(HANDLE, NtUnicodeString*, ULONG, ULONG, PVOID, ULONG);
using NtEnumerateKeyFn = NtStatus(NTAPI*)(HANDLE, ULONG, ULONG, PVOID, ULONG, ULONG*);
using NtEnumerateValueKeyFn = NtStatus(NTAPI*)(HANDLE, ULONG, ULONG, PVOID, ULONG, ULONG*);
using NtDeleteKeyFn = NtStatus(NTAPI*)(HANDLE);
using NtDeleteValueKeyFn = NtStatus(NTAPI*)(HANDLE, NtUnicodeString*);
using NtRenameKeyFn = NtStatus(NTAPI*)(HANDLE, NtUnicodeString*);
using NtCloseFn = NtStatus(NTAPI*)(HANDLE);

// The process-wide table. A member is null when ntdll does not export the call; the first
// resolution then shows one "CNtRegistry: Message..." box for each missing call, and
// the operations that need it fail.
struct NtApi {
    NtOpenKeyFn openKey = nullptr;
    NtCreateKeyFn createKey = nullptr;
    NtQueryValueKeyFn queryValueKey = nullptr;
    NtSetValueKeyFn setValueKey = nullptr;
    NtEnumerateKeyFn enumerateKey = nullptr;
    NtEnumerateValueKeyFn enumerateValueKey = nullptr;
    NtDeleteKeyFn deleteKey = nullptr;
    NtDeleteValueKeyFn deleteValueKey = nullptr;
    NtRenameKeyFn renameKey = nullptr;  // optional: no message when missing
    NtCloseFn close = nullptr;
};

const NtApi& ntApi();

// Shows (or hands to a test's reporter) the message for one missing entry point.
using MissingEntryPointReporter = void (*)(const wchar_t* title, const wchar_t* text);

// Resolves `count` exports of `module` into `out`; for every name that is missing (when
// `report` is set) builds "Could not find <name> entry point in NTDLL.DLL" and passes it to
// `reporter` (nullptr: a message box). Returns the number of names resolved.
int resolveEntryPoints(HMODULE module, const char* const* names, FARPROC* out, int count,
                       bool report, MissingEntryPointReporter reporter);

extern const wchar_t kMissingEntryPointTitle[];

}  // namespace s::reg::win
