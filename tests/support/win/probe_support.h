#pragma once

// What the test probes (small console programs the shell-script tests run under Wine) share:
// UTF-8 output one item per line, COM for the calling thread, and reading a shell link.
#include <windows.h>

#include <objbase.h>

#include <string>

namespace s::tests::probe {

template <class T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p)
            p->Release();
    }
};

struct ComScope {
    ComScope() { CoInitialize(nullptr); }
    ~ComScope() { CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

// One line of UTF-8 on standard output (wprintf drops non-ASCII text when redirected).
void print(const std::wstring& text);
// "error: why" and 1, the probes' failure.
int fail(const std::wstring& why);
// lnk PATH: the link's target and arguments, tab-separated.
int readLink(const wchar_t* path);

}  // namespace s::tests::probe
