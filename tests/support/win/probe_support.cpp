#include "tests/support/win/probe_support.h"

#include <shlobj.h>
#include <shobjidl.h>

namespace s::tests::probe {

void print(const std::wstring& text) {
    std::wstring line = text + L"\n";
    int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), n,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

int fail(const std::wstring& why) {
    print(L"error: " + why);
    return 1;
}

int readLink(const wchar_t* path) {
    ComScope com;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.p))) ||
        FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) ||
        FAILED(file.p->Load(path, STGM_READ)))
        return fail(L"cannot read the link");
    wchar_t target[MAX_PATH] = {};
    wchar_t args[1024] = {};
    link.p->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link.p->GetArguments(args, 1024);
    print(std::wstring(target) + L"\t" + args);
    return 0;
}

}  // namespace s::tests::probe
