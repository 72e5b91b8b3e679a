#include "persist/reg/mapped_data.h"

namespace s::reg {

namespace {

const char16_t kNoText[] = u"";

const char16_t* orEmpty(const char16_t* text) {
    return text != nullptr ? text : kNoText;
}

}  // namespace

MappedData::~MappedData() {
    reset();
}

MappedData* MappedData::createOn(IRegDir* base) {
    MappedData* store = take();
    if (store == nullptr) {
        if (base != nullptr)
            base->release();
        return nullptr;
    }
    store->base_ = base;
    return store;
}

void MappedData::reset() {
    if (current_ != nullptr)
        current_->release();
    if (base_ != nullptr)
        base_->release();
    current_ = nullptr;
    base_ = nullptr;
    fullPathScratch_.freeStorage();
    lastPath_.freeStorage();
    scratch_.freeStorage();
    autoSaveOn_ = false;
}

IRegDir* MappedData::keyFor(const char16_t* path) {
    if (base_ == nullptr)
        return nullptr;
    IRegDir* key = base_->newInstance();
    if (key == nullptr)
        return nullptr;
    fullPathScratch_.setText(base_->pathText());
    if (*path != 0) {
        if (!fullPathScratch_.isEmpty())
            fullPathScratch_.appendUnit(u'\\');
        fullPathScratch_.appendText(path);
    }
    key->open(base_->root(), fullPathScratch_.text());
    return key;
}

bool MappedData::resolve(const char16_t* path, bool create) {
    path = orEmpty(path);
    if (current_ == nullptr || !lastPath_.equalsIgnoreCase(path)) {
        lastPath_.setText(path);
        if (current_ != nullptr)
            current_->release();
        current_ = keyFor(path);
        if (current_ == nullptr)
            return false;
    }
    // Reopened every time rather than trusting the open handle: a key removed behind the
    // store's back (another handle, a registry editor) then reads as missing and the next
    // write creates it again, instead of failing on the handle of the deleted key.
    if (current_->exists())
        return true;
    return create && current_->create();
}

bool MappedData::openKey(const char16_t* path) {
    bool ok = resolve(path, true);
    flush();
    return ok;
}

bool MappedData::keyExists(const char16_t* path) {
    return resolve(path, false);
}

bool MappedData::deleteKey(const char16_t* path) {
    IRegDir* key = keyFor(orEmpty(path));
    if (key == nullptr)
        return false;
    bool ok = key->exists() && key->deleteTree(true);
    key->release();
    flush();
    return ok;
}

bool MappedData::hasValue(const char16_t* path, const char16_t* name) {
    IRegDir* key = existing(path);
    return key != nullptr && key->readRaw(orEmpty(name), nullptr, nullptr);
}

uint8_t MappedData::getUInt8(const char16_t* path, const char16_t* name, uint8_t fallback) {
    IRegDir* key = existing(path);
    return key != nullptr ? key->getByte(orEmpty(name), fallback) : fallback;
}
uint16_t MappedData::getUInt16(const char16_t* path, const char16_t* name, uint16_t fallback) {
    IRegDir* key = existing(path);
    return key != nullptr ? key->getWord(orEmpty(name), fallback) : fallback;
}
uint32_t MappedData::getUInt32(const char16_t* path, const char16_t* name, uint32_t fallback) {
    IRegDir* key = existing(path);
    return key != nullptr ? key->getDword(orEmpty(name), fallback) : fallback;
}
uint64_t MappedData::getUInt64(const char16_t* path, const char16_t* name, uint64_t fallback) {
    IRegDir* key = existing(path);
    return key != nullptr ? key->getQword(orEmpty(name), fallback) : fallback;
}
int8_t MappedData::getInt8(const char16_t* path, const char16_t* name, int8_t fallback) {
    IRegDir* key = existing(path);
    return key != nullptr
               ? static_cast<int8_t>(key->getByte(orEmpty(name), static_cast<uint8_t>(fallback)))
               : fallback;
}
int16_t MappedData::getInt16(const char16_t* path, const char16_t* name, int16_t fallback) {
    IRegDir* key = existing(path);
    return key != nullptr
               ? static_cast<int16_t>(key->getWord(orEmpty(name), static_cast<uint16_t>(fallback)))
               : fallback;
}
int32_t MappedData::getInt32(const char16_t* path, const char16_t* name, int32_t fallback) {
    IRegDir* key = existing(path);
    return key != nullptr
               ? static_cast<int32_t>(key->getDword(orEmpty(name), static_cast<uint32_t>(fallback)))
               : fallback;
}
int64_t MappedData::getInt64(const char16_t* path, const char16_t* name, int64_t fallback) {
    IRegDir* key = existing(path);
    return key != nullptr
               ? static_cast<int64_t>(key->getQword(orEmpty(name), static_cast<uint64_t>(fallback)))
               : fallback;
}
float MappedData::getFloat(const char16_t* path, const char16_t* name, float fallback) {
    IRegDir* key = existing(path);
    return key != nullptr ? key->getFloat(orEmpty(name), fallback) : fallback;
}
double MappedData::getDouble(const char16_t* path, const char16_t* name, double fallback) {
    IRegDir* key = existing(path);
    return key != nullptr ? key->getDouble(orEmpty(name), fallback) : fallback;
}
bool MappedData::getBool(const char16_t* path, const char16_t* name, bool fallback) {
    IRegDir* key = existing(path);
    return key != nullptr ? key->getBool(orEmpty(name), fallback) : fallback;
}

const char16_t* MappedData::getString(const char16_t* path, const char16_t* name,
                                      const char16_t* fallback, bool* isExpandable, bool expand) {
    if (isExpandable != nullptr)
        *isExpandable = false;
    IRegDir* key = existing(path);
    if (key == nullptr)
        return fallback;
    const char16_t* text = key->getText(orEmpty(name), fallback, isExpandable, expand);
    if (text == fallback || text == nullptr)
        return text;
    // The key's own text lasts only while it stays current, and any read on another path
    // gives it back to its pool: the promise is until the next getString, so keep a copy.
    scratch_.setText(text);
    return scratch_.text();
}

col::ArrayU08* MappedData::getBytes(const char16_t* path, const char16_t* name,
                                    col::ArrayU08* bytes) {
    IRegDir* key = existing(path);
    return key != nullptr ? key->getBinary(orEmpty(name), bytes) : nullptr;
}

bool MappedData::deleteValue(const char16_t* path, const char16_t* name) {
    IRegDir* key = existing(path);
    bool ok = key != nullptr && key->deleteValue(orEmpty(name));
    flush();
    return ok;
}

namespace {

template <class F>
bool writeWith(IRegDir* key, F&& write) {
    return key != nullptr && write(*key);
}

}  // namespace

bool MappedData::setUInt8(const char16_t* path, const char16_t* name, uint8_t value) {
    bool ok =
        writeWith(created(path), [&](IRegDir& k) { return k.setDword(orEmpty(name), value); });
    flush();
    return ok;
}
bool MappedData::setUInt16(const char16_t* path, const char16_t* name, uint16_t value) {
    bool ok =
        writeWith(created(path), [&](IRegDir& k) { return k.setDword(orEmpty(name), value); });
    flush();
    return ok;
}
bool MappedData::setUInt32(const char16_t* path, const char16_t* name, uint32_t value) {
    bool ok =
        writeWith(created(path), [&](IRegDir& k) { return k.setDword(orEmpty(name), value); });
    flush();
    return ok;
}
bool MappedData::setUInt64(const char16_t* path, const char16_t* name, uint64_t value) {
    bool ok =
        writeWith(created(path), [&](IRegDir& k) { return k.setQword(orEmpty(name), value); });
    flush();
    return ok;
}
// Signed values smaller than 32 bits are sign-extended into the DWORD.
bool MappedData::setInt8(const char16_t* path, const char16_t* name, int8_t value) {
    bool ok = writeWith(created(path), [&](IRegDir& k) {
        return k.setDword(orEmpty(name), static_cast<uint32_t>(static_cast<int32_t>(value)));
    });
    flush();
    return ok;
}
bool MappedData::setInt16(const char16_t* path, const char16_t* name, int16_t value) {
    bool ok = writeWith(created(path), [&](IRegDir& k) {
        return k.setDword(orEmpty(name), static_cast<uint32_t>(static_cast<int32_t>(value)));
    });
    flush();
    return ok;
}
bool MappedData::setInt32(const char16_t* path, const char16_t* name, int32_t value) {
    bool ok = writeWith(created(path), [&](IRegDir& k) {
        return k.setDword(orEmpty(name), static_cast<uint32_t>(value));
    });
    flush();
    return ok;
}
bool MappedData::setInt64(const char16_t* path, const char16_t* name, int64_t value) {
    bool ok = writeWith(created(path), [&](IRegDir& k) {
        return k.setQword(orEmpty(name), static_cast<uint64_t>(value));
    });
    flush();
    return ok;
}
bool MappedData::setFloat(const char16_t* path, const char16_t* name, float value) {
    bool ok =
        writeWith(created(path), [&](IRegDir& k) { return k.setFloat(orEmpty(name), value); });
    flush();
    return ok;
}
bool MappedData::setDouble(const char16_t* path, const char16_t* name, double value) {
    bool ok =
        writeWith(created(path), [&](IRegDir& k) { return k.setDouble(orEmpty(name), value); });
    flush();
    return ok;
}
bool MappedData::setBool(const char16_t* path, const char16_t* name, bool value) {
    bool ok = writeWith(created(path), [&](IRegDir& k) { return k.setBool(orEmpty(name), value); });
    flush();
    return ok;
}
bool MappedData::setString(const char16_t* path, const char16_t* name, const char16_t* text) {
    bool ok = writeWith(created(path), [&](IRegDir& k) { return k.setText(orEmpty(name), text); });
    flush();
    return ok;
}
bool MappedData::setExpandableString(const char16_t* path, const char16_t* name,
                                     const char16_t* text) {
    bool ok = writeWith(created(path),
                        [&](IRegDir& k) { return k.setExpandableText(orEmpty(name), text); });
    flush();
    return ok;
}
bool MappedData::setBytes(const char16_t* path, const char16_t* name, const uint8_t* bytes,
                          int32_t count) {
    bool ok = writeWith(created(path),
                        [&](IRegDir& k) { return k.setBinary(orEmpty(name), bytes, count); });
    flush();
    return ok;
}

}  // namespace s::reg
