#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/str_array.h"
#include "base/str_buffer.h"
#include "persist/reg/reg_types.h"

namespace s::reg {

// A handle on one registry key, named by a predefined root and a path of subkey names
// joined by "\". The key is opened on demand; reads of a missing key or value give the
// caller's default, writes create the key first. Not locked: one holder uses it.
class IRegDir : public base::IObject, public thread::IPoolable {
public:
    IRegDir* newInstance() const override = 0;

    // A new key handle (the caller releases it) on the path up to its last "\"; on the root
    // itself for a one-component path; nullptr for the root.
    virtual IRegDir* parent() const = 0;
    // A pooled array of new key handles, one per subkey in the registry's enumeration order;
    // releasing the array gives them back to their pool. Elements are of the concrete class.
    virtual col::ArrayP* subkeys() = 0;
    virtual uint32_t root() const = 0;
    virtual const char16_t* pathText() const = 0;
    // The documented full name, e.g. "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft".
    virtual const char16_t* fullPathText() const = 0;
    // The last component of the path into `buffer` (nullptr: a new pooled buffer).
    virtual str::StrBuffer* name(str::StrBuffer* buffer = nullptr, bool append = false) const = 0;

    // "HKEY_CURRENT_USER\Software\..." and the like (root names ignore case); any other text
    // opens HKEY_CURRENT_USER "InvalidKey". Returns whether the key could be opened.
    virtual bool openText(const char16_t* text) = 0;
    // Binds the handle to root and path (leading and trailing "\" dropped) and opens the key
    // when it exists; returns whether it is open.
    virtual bool open(uint32_t root, const char16_t* path) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Closes and reopens: true when the key exists (and is now open).
    virtual bool exists() = 0;
    // Creates the key and every missing parent; true when it is open afterwards.
    virtual bool create() = 0;
    // Deletes every subkey (with their subkeys) and, when asked, the key itself.
    virtual bool deleteTree(bool deleteSelf) = 0;
    // Renames the key's last component.
    virtual bool rename(const char16_t* newName) = 0;

    // Reads a value into data(); reports its type and byte size. With `wantedType` other than
    // kAnyType the read succeeds only for a value of that type.
    virtual bool readRaw(const char16_t* name, uint32_t* type, uint32_t* size,
                         int32_t wantedType = kAnyType) = 0;
    // The bytes of the last successful readRaw.
    virtual const col::ArrayU08& data() const = 0;
    // A pooled array of the value names, in enumeration order (the caller releases it).
    virtual str::StrArray* valueNames() = 0;
    // Total data bytes of the key's values (and of every subkey's, when recursive); counts
    // the keys below it and the values.
    virtual uint64_t dataSize(bool recursive, uint32_t* keys = nullptr,
                              uint32_t* values = nullptr) = 0;

    // Typed getters take a value of any type but the text types, by its size: 4 bytes for
    // byte, word, dword, float and bool, 8 bytes for qword and double; anything else gives
    // `fallback`.
    virtual uint8_t getByte(const char16_t* name, uint8_t fallback) = 0;
    virtual uint16_t getWord(const char16_t* name, uint16_t fallback) = 0;
    virtual uint32_t getDword(const char16_t* name, uint32_t fallback) = 0;
    virtual uint64_t getQword(const char16_t* name, uint64_t fallback) = 0;
    virtual float getFloat(const char16_t* name, float fallback) = 0;
    virtual double getDouble(const char16_t* name, double fallback) = 0;
    virtual bool getBool(const char16_t* name, bool fallback) = 0;
    // REG_SZ or REG_EXPAND_SZ text, valid until the next read on this handle; `fallback` for
    // a missing value or another type, the empty text for an empty value. `isExpandable`
    // (optional) tells whether the value is REG_EXPAND_SZ; `expand` expands its environment
    // references.
    virtual const char16_t* getText(const char16_t* name, const char16_t* fallback,
                                    bool* isExpandable = nullptr, bool expand = false) = 0;
    // The texts of a REG_MULTI_SZ value; empty for any other value (the caller releases it).
    virtual str::StrArray* getTextList(const char16_t* name) = 0;
    // The value's bytes whatever its type, into `bytes` (nullptr: a new pooled array); nullptr
    // when the value cannot be read.
    virtual col::ArrayU08* getBinary(const char16_t* name, col::ArrayU08* bytes = nullptr) = 0;
    virtual bool deleteValue(const char16_t* name) = 0;

    // Writers create the key first when it is not open; they return the platform's success.
    virtual bool setRaw(const char16_t* name, uint32_t type, const void* bytes, uint32_t size) = 0;
    bool setDword(const char16_t* name, uint32_t value) {
        return setRaw(name, kTypeDword, &value, 4);
    }
    bool setBool(const char16_t* name, bool value) { return setDword(name, value ? 1 : 0); }
    // 8 bytes of binary data, little-endian.
    bool setQword(const char16_t* name, uint64_t value) {
        return setRaw(name, kTypeBinary, &value, 8);
    }
    bool setFloat(const char16_t* name, float value) {
        return setRaw(name, kTypeBinary, &value, 4);
    }
    bool setDouble(const char16_t* name, double value) {
        return setRaw(name, kTypeBinary, &value, 8);
    }
    bool setText(const char16_t* name, const char16_t* text);            // REG_SZ
    bool setExpandableText(const char16_t* name, const char16_t* text);  // REG_EXPAND_SZ
    bool setBinary(const char16_t* name, const uint8_t* bytes, int32_t count);
    bool setTextList(const char16_t* name, const str::StrArray& texts);  // REG_MULTI_SZ
};

}  // namespace s::reg
