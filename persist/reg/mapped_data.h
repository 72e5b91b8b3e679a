#pragma once

#include <cstdint>

#include "base/pool.h"
#include "base/str_buffer.h"
#include "persist/map/i_mapped_data.h"
#include "persist/reg/i_reg_dir.h"

namespace s::reg {

// The settings store over registry keys below one top key. Each typed value is written
// with one registry type (32-bit and smaller values REG_DWORD, 64-bit values, floats and
// doubles 8 or 4 bytes of REG_BINARY, texts REG_SZ / REG_EXPAND_SZ) and read back by its
// size, so values of another size read as the caller's default. The registry writes at
// once: save() does nothing. Written against IRegDir, so any key implementation serves.
class MappedData final : public thread::Pooled<MappedData, map::IMappedData> {
public:
    MappedData() = default;
    ~MappedData() override;
    MappedData(const MappedData&) = delete;
    MappedData& operator=(const MappedData&) = delete;

    // A pooled store whose top key is `base` (the store takes ownership of the pooled key).
    static MappedData* createOn(IRegDir* base);

    const char16_t* className() const override { return u"s_reg_MappedData"; }
    MappedData* newInstance() const override { return take(); }
    void reset() override;

    IRegDir* base() const { return base_; }
    // The key of the last resolved path (not owned by the caller).
    IRegDir* current() const { return current_; }

    bool save() override { return true; }
    bool openKey(const char16_t* path) override;
    bool deleteKey(const char16_t* path) override;
    bool keyExists(const char16_t* path) override;
    bool hasValue(const char16_t* path, const char16_t* name) override;

    uint8_t getUInt8(const char16_t* path, const char16_t* name, uint8_t fallback) override;
    uint16_t getUInt16(const char16_t* path, const char16_t* name, uint16_t fallback) override;
    uint32_t getUInt32(const char16_t* path, const char16_t* name, uint32_t fallback) override;
    uint64_t getUInt64(const char16_t* path, const char16_t* name, uint64_t fallback) override;
    int8_t getInt8(const char16_t* path, const char16_t* name, int8_t fallback) override;
    int16_t getInt16(const char16_t* path, const char16_t* name, int16_t fallback) override;
    int32_t getInt32(const char16_t* path, const char16_t* name, int32_t fallback) override;
    int64_t getInt64(const char16_t* path, const char16_t* name, int64_t fallback) override;
    float getFloat(const char16_t* path, const char16_t* name, float fallback) override;
    double getDouble(const char16_t* path, const char16_t* name, double fallback) override;
    bool getBool(const char16_t* path, const char16_t* name, bool fallback) override;
    const char16_t* getString(const char16_t* path, const char16_t* name, const char16_t* fallback,
                              bool* isExpandable = nullptr, bool expand = false) override;
    col::ArrayU08* getBytes(const char16_t* path, const char16_t* name,
                            col::ArrayU08* bytes = nullptr) override;
    bool deleteValue(const char16_t* path, const char16_t* name) override;

    bool setUInt8(const char16_t* path, const char16_t* name, uint8_t value) override;
    bool setUInt16(const char16_t* path, const char16_t* name, uint16_t value) override;
    bool setUInt32(const char16_t* path, const char16_t* name, uint32_t value) override;
    bool setUInt64(const char16_t* path, const char16_t* name, uint64_t value) override;
    bool setInt8(const char16_t* path, const char16_t* name, int8_t value) override;
    bool setInt16(const char16_t* path, const char16_t* name, int16_t value) override;
    bool setInt32(const char16_t* path, const char16_t* name, int32_t value) override;
    bool setInt64(const char16_t* path, const char16_t* name, int64_t value) override;
    bool setFloat(const char16_t* path, const char16_t* name, float value) override;
    bool setDouble(const char16_t* path, const char16_t* name, double value) override;
    bool setBool(const char16_t* path, const char16_t* name, bool value) override;
    bool setString(const char16_t* path, const char16_t* name, const char16_t* text) override;
    bool setExpandableString(const char16_t* path, const char16_t* name,
                             const char16_t* text) override;
    bool flush() override { return autoSaveOn_ ? save() : true; }
    using map::IMappedData::setBytes;
    bool setBytes(const char16_t* path, const char16_t* name, const uint8_t* bytes,
                  int32_t count) override;
    bool autoSave() const override { return autoSaveOn_; }
    void setAutoSave(bool on) override { autoSaveOn_ = on; }

private:
    // A new key handle on the base path, "\" and `path` (the base key itself when empty).
    IRegDir* keyFor(const char16_t* path);
    // Makes `current_` the key of `path`; true when it exists (or, with `create`, was made).
    bool resolve(const char16_t* path, bool create);
    // The current key when `path` exists, else nullptr.
    IRegDir* existing(const char16_t* path) { return resolve(path, false) ? current_ : nullptr; }
    IRegDir* created(const char16_t* path) { return resolve(path, true) ? current_ : nullptr; }

    str::StrBuffer fullPathScratch_;
    str::StrBuffer lastPath_;
    str::StrBuffer scratch_;      // the text of the last getString
    IRegDir* base_ = nullptr;     // owned
    IRegDir* current_ = nullptr;  // owned
    bool autoSaveOn_ = false;
};

}  // namespace s::reg
