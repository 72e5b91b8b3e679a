#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/object.h"
#include "base/pool.h"

namespace s::map {

// The settings store: typed values addressed by a key path (components separated by "\";
// the XML store also takes "/") and a value name (the empty name is the key's unnamed
// value). Getters leave the store unchanged and give `fallback` for a missing key or value;
// setters create the key path first. No lock: its users call it from the GUI thread.
class IMappedData : public base::IObject, public thread::IPoolable {
public:
    // Writes the store to its medium; false when that failed.
    virtual bool save() = 0;
    // Makes the key current, creating it and every missing parent.
    virtual bool openKey(const char16_t* path) = 0;
    // Removes the key with everything below it.
    virtual bool deleteKey(const char16_t* path) = 0;
    // Makes the key current when it exists; reports whether it does.
    virtual bool keyExists(const char16_t* path) = 0;
    virtual bool hasValue(const char16_t* path, const char16_t* name) = 0;

    virtual uint8_t getUInt8(const char16_t* path, const char16_t* name, uint8_t fallback) = 0;
    virtual uint16_t getUInt16(const char16_t* path, const char16_t* name, uint16_t fallback) = 0;
    virtual uint32_t getUInt32(const char16_t* path, const char16_t* name, uint32_t fallback) = 0;
    virtual uint64_t getUInt64(const char16_t* path, const char16_t* name, uint64_t fallback) = 0;
    virtual int8_t getInt8(const char16_t* path, const char16_t* name, int8_t fallback) = 0;
    virtual int16_t getInt16(const char16_t* path, const char16_t* name, int16_t fallback) = 0;
    virtual int32_t getInt32(const char16_t* path, const char16_t* name, int32_t fallback) = 0;
    virtual int64_t getInt64(const char16_t* path, const char16_t* name, int64_t fallback) = 0;
    virtual float getFloat(const char16_t* path, const char16_t* name, float fallback) = 0;
    virtual double getDouble(const char16_t* path, const char16_t* name, double fallback) = 0;
    virtual bool getBool(const char16_t* path, const char16_t* name, bool fallback) = 0;
    // The text, valid until the next getString on this store, or `fallback`. `isExpandable`
    // (optional) reports a registry REG_EXPAND_SZ value; `expand` asks the registry store to
    // expand its environment references. The XML store ignores both.
    virtual const char16_t* getString(const char16_t* path, const char16_t* name,
                                      const char16_t* fallback, bool* isExpandable = nullptr,
                                      bool expand = false) = 0;
    // An unused operation of the interface; every store answers 0.
    virtual int32_t reserved() { return 0; }
    // The stored bytes into `bytes` (nullptr: a new pooled array); nullptr and `bytes`
    // unchanged when missing.
    virtual col::ArrayU08* getBytes(const char16_t* path, const char16_t* name,
                                    col::ArrayU08* bytes = nullptr) = 0;
    virtual bool deleteValue(const char16_t* path, const char16_t* name) = 0;

    virtual bool setUInt8(const char16_t* path, const char16_t* name, uint8_t value) = 0;
    virtual bool setUInt16(const char16_t* path, const char16_t* name, uint16_t value) = 0;
    virtual bool setUInt32(const char16_t* path, const char16_t* name, uint32_t value) = 0;
    virtual bool setUInt64(const char16_t* path, const char16_t* name, uint64_t value) = 0;
    virtual bool setInt8(const char16_t* path, const char16_t* name, int8_t value) = 0;
    virtual bool setInt16(const char16_t* path, const char16_t* name, int16_t value) = 0;
    virtual bool setInt32(const char16_t* path, const char16_t* name, int32_t value) = 0;
    virtual bool setInt64(const char16_t* path, const char16_t* name, int64_t value) = 0;
    virtual bool setFloat(const char16_t* path, const char16_t* name, float value) = 0;
    virtual bool setDouble(const char16_t* path, const char16_t* name, double value) = 0;
    virtual bool setBool(const char16_t* path, const char16_t* name, bool value) = 0;
    virtual bool setString(const char16_t* path, const char16_t* name, const char16_t* text) = 0;
    // The registry store writes REG_EXPAND_SZ; the XML store is as setString.
    virtual bool setExpandableString(const char16_t* path, const char16_t* name,
                                     const char16_t* text) = 0;
    // save() when auto-save is on.
    virtual bool flush() = 0;
    virtual bool setBytes(const char16_t* path, const char16_t* name, const uint8_t* bytes,
                          int32_t count) = 0;
    bool setBytes(const char16_t* path, const char16_t* name, const col::ArrayU08& bytes) {
        return setBytes(path, name, bytes.data(), bytes.count());
    }
    virtual bool autoSave() const = 0;
    // When on, every set and delete ends with save(). Off in a new store.
    virtual void setAutoSave(bool on) = 0;
};

}  // namespace s::map
