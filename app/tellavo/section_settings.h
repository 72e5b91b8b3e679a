#pragma once

#include <cstdint>

#include "base/str_buffer.h"

namespace s::map {
class IMappedData;
}

namespace s::time::gui::dialogs::tellavo {

// The settings of one window: every key path is taken relative to the window's own
// section ("MainWindow" for the clock window), so "View\PickUp" reaches
// MainWindow\View\PickUp. A read-only section drops every write (tools that only show the
// settings). GUI thread only: the path is built in a scratch buffer.
class SectionSettings {
public:
    static constexpr const char16_t* kMainWindowSection = u"MainWindow";

    SectionSettings() = default;
    SectionSettings(const SectionSettings&) = delete;
    SectionSettings& operator=(const SectionSettings&) = delete;

    // `store` is not owned; nullptr makes every read give its fallback and every write fail.
    void bind(map::IMappedData* store, const char16_t* section = kMainWindowSection);
    map::IMappedData* store() const { return store_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }

    bool hasValue(const char16_t* path, const char16_t* name);
    bool getBool(const char16_t* path, const char16_t* name, bool fallback);
    int32_t getInt32(const char16_t* path, const char16_t* name, int32_t fallback);
    // Valid until the next getString on the same store.
    const char16_t* getString(const char16_t* path, const char16_t* name, const char16_t* fallback);

    bool setBool(const char16_t* path, const char16_t* name, bool value);
    bool setInt32(const char16_t* path, const char16_t* name, int32_t value);
    bool setString(const char16_t* path, const char16_t* name, const char16_t* text);

    // The full path of `path` inside the section, valid until the next call.
    const char16_t* fullPath(const char16_t* path);

private:
    bool writable() const { return store_ != nullptr && !readOnly_; }

    map::IMappedData* store_ = nullptr;
    str::StrBuffer section_;
    str::StrBuffer path_;
    bool readOnly_ = false;
};

}  // namespace s::time::gui::dialogs::tellavo
