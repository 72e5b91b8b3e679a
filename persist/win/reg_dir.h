#pragma once

// Usage (link tellavo_persist_win; Windows build only): a RegDir is a pooled handle on one
// registry key over ntdll's native calls.
//   RegDir* zones = RegDir::take();
//   zones->open(s::reg::kLocalMachine, u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time
//   Zones"); col::ArrayP* keys = zones->subkeys();           // RegDir* elements, enumeration order
//   for (int32_t i = 0; i < keys->count(); ++i) {
//     RegDir* zone = keys->getAs<RegDir>(i);        // owned by the array
//     const char16_t* display = zone->getText(u"Display", u"");  // valid until zone's next read
//     col::ArrayU08* tzi = zone->getBinary(u"TZI"); // new pooled array or nullptr; release it
//     str::StrBuffer* name = zone->name();          // last path component; release it
//   }
//   keys->release();                                 // gives the RegDirs back to their pool
//   zones->release();
// Keys open on demand with full access and fall back to read access where writing is
// denied (HKEY_LOCAL_MACHINE for a standard user). getText reads REG_SZ and REG_EXPAND_SZ
// (expanded when asked) and gives the fallback for other types; getDword and the other
// typed getters take any non-text value of the right size (4 or 8 bytes). A missing ntdll entry
// point is reported once in a "CNtRegistry: Message..." box and the calls that need it fail. Roots
// and value types: persist/reg/reg_types.h. Not locked: one holder uses each RegDir.

#include <cstdint>

#include "base/array.h"
#include "base/pool.h"
#include "base/str_buffer.h"
#include "persist/reg/i_reg_dir.h"
#include "persist/win/key_handle.h"

namespace s::reg::win {

class RegDir final : public thread::Pooled<RegDir, IRegDir> {
public:
    RegDir();
    ~RegDir() override;
    RegDir(const RegDir&) = delete;
    RegDir& operator=(const RegDir&) = delete;

    // A pooled RegDir opened on root and path (open or not: see isOpen()).
    static RegDir* takeOpen(uint32_t root, const char16_t* path);

    const char16_t* className() const override { return u"s_reg_win_RegDir"; }
    RegDir* newInstance() const override { return take(); }
    // Closes the key; root HKEY_LOCAL_MACHINE with an empty path.
    void reset() override;

    RegDir* parent() const override;
    col::ArrayP* subkeys() override;
    uint32_t root() const override { return root_; }
    const char16_t* pathText() const override { return path_.text(); }
    const char16_t* fullPathText() const override { return fullPath_.text(); }
    const char16_t* nativePathText() const { return nativeFullPath_.text(); }
    const char16_t* rootPrefix() const { return rootPrefix_.text(); }
    const char16_t* nativeRootPrefix() const { return nativeRootPrefix_.text(); }
    str::StrBuffer* name(str::StrBuffer* buffer = nullptr, bool append = false) const override;

    bool openText(const char16_t* text) override;
    bool open(uint32_t root, const char16_t* path) override;
    void close() override { handle_.reset(); }
    bool isOpen() const override { return static_cast<bool>(handle_); }
    bool exists() override;
    bool create() override;
    bool deleteTree(bool deleteSelf) override;
    bool rename(const char16_t* newName) override;

    bool readRaw(const char16_t* name, uint32_t* type, uint32_t* size,
                 int32_t wantedType = kAnyType) override;
    const col::ArrayU08& data() const override { return data_; }
    str::StrArray* valueNames() override;
    uint64_t dataSize(bool recursive, uint32_t* keys = nullptr,
                      uint32_t* values = nullptr) override;

    uint8_t getByte(const char16_t* name, uint8_t fallback) override;
    uint16_t getWord(const char16_t* name, uint16_t fallback) override;
    uint32_t getDword(const char16_t* name, uint32_t fallback) override;
    uint64_t getQword(const char16_t* name, uint64_t fallback) override;
    float getFloat(const char16_t* name, float fallback) override;
    double getDouble(const char16_t* name, double fallback) override;
    bool getBool(const char16_t* name, bool fallback) override;
    const char16_t* getText(const char16_t* name, const char16_t* fallback,
                            bool* isExpandable = nullptr, bool expand = false) override;
    str::StrArray* getTextList(const char16_t* name) override;
    col::ArrayU08* getBinary(const char16_t* name, col::ArrayU08* bytes = nullptr) override;
    bool deleteValue(const char16_t* name) override;

    bool setRaw(const char16_t* name, uint32_t type, const void* bytes, uint32_t size) override;

private:
    // Opens the bound key when it is not open; true when open.
    bool ensureOpen();
    // Reads a value of exactly `size` bytes into `out`.
    bool readSized(const char16_t* name, void* out, uint32_t size);
    void composePaths();

    col::ArrayU08 data_;      // bytes of the last value read
    col::ArrayU08 expanded_;  // UTF-16 expansion of a REG_EXPAND_SZ text
    str::StrBuffer text_;     // the last text handed out by getText
    KeyHandle handle_;
    uint32_t root_ = kLocalMachine;
    str::StrBuffer rootPrefix_;
    str::StrBuffer nativeRootPrefix_;
    str::StrBuffer path_;
    str::StrBuffer fullPath_;
    str::StrBuffer nativeFullPath_;
};

}  // namespace s::reg::win
