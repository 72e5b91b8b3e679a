#include "persist/win/nt_api.h"

#include <string>

namespace s::reg::win {

const wchar_t kMissingEntryPointTitle[] = L"CNtRegistry: Message...";

namespace {

void showMessageBox(const wchar_t* title, const wchar_t* text) {
    MessageBoxW(nullptr, text, title, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

template <class Fn>
void assign(Fn& target, FARPROC proc) {
    target = reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

NtApi resolveNtApi() {
    NtApi api;
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr)
        ntdll = LoadLibraryW(L"ntdll.dll");
    static const char* const kRequired[] = {
        "NtOpenKey",      "NtCreateKey",         "NtQueryValueKey", "NtSetValueKey",
        "NtEnumerateKey", "NtEnumerateValueKey", "NtDeleteKey",     "NtDeleteValueKey",
    };
    constexpr int kCount = sizeof(kRequired) / sizeof(kRequired[0]);
    FARPROC procs[kCount] = {};
    resolveEntryPoints(ntdll, kRequired, procs, kCount, true, nullptr);
    assign(api.openKey, procs[0]);
    assign(api.createKey, procs[1]);
    assign(api.queryValueKey, procs[2]);
    assign(api.setValueKey, procs[3]);
    assign(api.enumerateKey, procs[4]);
    assign(api.enumerateValueKey, procs[5]);
    assign(api.deleteKey, procs[6]);
    assign(api.deleteValueKey, procs[7]);
    if (ntdll != nullptr) {
        assign(api.renameKey, GetProcAddress(ntdll, "NtRenameKey"));
        assign(api.close, GetProcAddress(ntdll, "NtClose"));
    }
    return api;
}

}  // namespace

int resolveEntryPoints(HMODULE module, const char* const* names, FARPROC* out, int count,
                       bool report, MissingEntryPointReporter reporter) {
    int resolved = 0;
    for (int i = 0; i < count; ++i) {
        out[i] = module != nullptr ? GetProcAddress(module, names[i]) : nullptr;
        if (out[i] != nullptr) {
            ++resolved;
            continue;
        }
        if (!report)
            continue;
        std::wstring text = L"Could not find ";
        for (const char* c = names[i]; *c != 0; ++c)
            text += static_cast<wchar_t>(*c);
        text += L" entry point in NTDLL.DLL";
        (reporter != nullptr ? reporter : showMessageBox)(kMissingEntryPointTitle, text.c_str());
    }
    return resolved;
}

const NtApi& ntApi() {
    // Resolved once; a function-local static is initialised exactly once even under races.
    static const NtApi api = resolveNtApi();
    return api;
}

}  // namespace s::reg::win
