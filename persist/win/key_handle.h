#pragma once

#include <windows.h>

#include <utility>

#include "persist/win/nt_api.h"

namespace s::reg::win {

// Owns one native key handle; closes it with NtClose. Non-copyable, movable.
class KeyHandle {
public:
    KeyHandle() = default;
    explicit KeyHandle(HANDLE handle) : handle_(handle) {}
    ~KeyHandle() { close(); }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    KeyHandle(KeyHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    KeyHandle& operator=(KeyHandle&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(HANDLE handle = nullptr) {
        close();
        handle_ = handle;
    }

private:
    void close() {
        if (handle_ == nullptr)
            return;
        const NtApi& api = ntApi();
        if (api.close != nullptr) {
            api.close(handle_);
        } else {
            CloseHandle(handle_);
        }
        handle_ = nullptr;
    }

    HANDLE handle_ = nullptr;
};

}  // namespace s::reg::win
