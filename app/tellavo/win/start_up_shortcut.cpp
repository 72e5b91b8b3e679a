#include "app/tellavo/win/start_up_shortcut.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace s::time::gui::dialogs::tellavo {

namespace {

const wchar_t* wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

}  // namespace

bool startupShortcutPath(const char16_t* productTitle, const char16_t* version,
                         str::StrBuffer& path) {
    path.clear();
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE))
        return false;
    path.setText(reinterpret_cast<const char16_t*>(folder));
    path.append(u"\\", 1);
    path.append(productTitle ? productTitle : u"", -1);
    path.append(u" ", 1);
    path.append(version ? version : u"", -1);
    path.append(u".lnk", -1);
    return true;
}

bool startupShortcutExists(const char16_t* path) {
    if (path == nullptr || *path == 0)
        return false;
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool createStartupShortcut(const char16_t* path, const char16_t* target,
                           const char16_t* arguments) {
    if (path == nullptr || target == nullptr ||
        GetFileAttributesW(wide(target)) == INVALID_FILE_ATTRIBUTES)
        return false;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    bool saved = false;
    link->SetPath(wide(target));
    link->SetArguments(wide(arguments ? arguments : u""));
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(wide(path), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

}  // namespace s::time::gui::dialogs::tellavo
