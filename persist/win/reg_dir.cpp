#include "persist/win/reg_dir.h"

#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/obj_locker.h"
#include "base/str_array.h"
#include "persist/reg/reg_value.h"
#include "persist/win/native_root.h"
#include "persist/win/nt_api.h"

namespace s::reg::win {

namespace {

constexpr ACCESS_MASK kAllAccess = 0xF003F;   // KEY_ALL_ACCESS
constexpr ACCESS_MASK kReadAccess = 0x20019;  // KEY_READ
constexpr uint32_t kValueBufferStart = 16384;
constexpr uint32_t kValueBufferSlack = 1026;
// The registry keeps values well below this; a platform that claims more is not believed.
constexpr uint32_t kValueBufferLimit = 64u * 1024 * 1024;
constexpr uint32_t kNameBufferBytes = 1024;
constexpr uint32_t kExpandStartUnits = 520;

// A process-wide scratch buffer guarded by its own lock. Immortal, like the pools: keys may
// still be read while static objects are destroyed.
struct SharedBuffer {
    thread::ObjLocker lock;
    uint8_t* bytes = nullptr;
    uint32_t size = 0;

    bool ensure(uint32_t needed) {
        if (size >= needed)
            return true;
        auto* grown = static_cast<uint8_t*>(std::realloc(bytes, needed));
        if (grown == nullptr)
            return false;
        bytes = grown;
        size = needed;
        return true;
    }
};

SharedBuffer& valueBuffer() {
    static SharedBuffer* const buffer = new SharedBuffer;
    return *buffer;
}

SharedBuffer& nameBuffer() {
    static SharedBuffer* const buffer = new SharedBuffer;
    return *buffer;
}

// A counted native string over `units` units of `text`; false when it does not fit.
bool ntString(const char16_t* text, uint32_t units, NtUnicodeString& out) {
    if (units > 0x7FFE)
        return false;
    out.length = static_cast<USHORT>(units * 2);
    out.maximumLength = out.length;
    out.buffer = const_cast<PWSTR>(reinterpret_cast<const wchar_t*>(text));
    return true;
}

bool ntString(const char16_t* text, NtUnicodeString& out) {
    static const char16_t kEmpty[] = u"";
    if (text == nullptr)
        text = kEmpty;
    return ntString(text, textUnits(text), out);
}

NtObjectAttributes objectAttributes(NtUnicodeString* name) {
    NtObjectAttributes attributes{};
    attributes.length = sizeof(attributes);
    attributes.objectName = name;
    attributes.attributes = kObjCaseInsensitive;
    return attributes;
}

// Opens (or with `create` creates one level of) the key named by `units` units of `path`,
// with full access and else read access.
NtStatus openNative(const char16_t* path, uint32_t units, bool create, KeyHandle& out) {
    const NtApi& api = ntApi();
    if (create ? api.createKey == nullptr : api.openKey == nullptr)
        return kStatusNotImplemented;
    NtUnicodeString name;
    if (!ntString(path, units, name))
        return kStatusObjectNameNotFound;
    NtObjectAttributes attributes = objectAttributes(&name);
    NtStatus status = 0;
    for (ACCESS_MASK access : {kAllAccess, kReadAccess}) {
        HANDLE handle = nullptr;
        ULONG disposition = 0;
        status = create ? api.createKey(&handle, access, &attributes, 0, nullptr, 0, &disposition)
                        : api.openKey(&handle, access, &attributes);
        if (ntSuccess(status)) {
            out.reset(handle);
            return status;
        }
        if (status != kStatusAccessDenied)
            break;
    }
    return status;
}

// Texts are never numbers, even when their bytes happen to have a number's size ("1" and
// its terminator are 4 bytes).
bool isTextType(uint32_t type) {
    return type == kTypeSz || type == kTypeExpandSz || type == kTypeMultiSz ||
           type == 6;  // 6: link
}

bool equalsAsciiFolded(char16_t a, char16_t b) {
    auto fold = [](char16_t c) -> char16_t { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
    return fold(a) == fold(b);
}

// `text` starts with `prefix`, ignoring ASCII case.
bool startsWithFolded(const char16_t* text, const char16_t* prefix) {
    for (; *prefix != 0; ++prefix, ++text) {
        if (*text == 0 || !equalsAsciiFolded(*text, *prefix))
            return false;
    }
    return true;
}

// Reads one value into `out` through the shared buffer. Every length the platform reports
// is checked against what it actually returned.
bool queryValue(HANDLE key, const char16_t* name, uint32_t& type, col::ArrayU08& out) {
    const NtApi& api = ntApi();
    if (api.queryValueKey == nullptr)
        return false;
    NtUnicodeString valueName;
    if (!ntString(name, valueName))
        return false;
    SharedBuffer& shared = valueBuffer();
    thread::Locked guard(shared.lock);
    if (!shared.ensure(kValueBufferStart))
        return false;
    constexpr uint32_t kHeader = offsetof(KeyValuePartialInformation, data);
    for (int attempt = 0; attempt < 4; ++attempt) {
        ULONG returned = 0;
        NtStatus status = api.queryValueKey(key, &valueName, kKeyValuePartialInformation,
                                            shared.bytes, shared.size, &returned);
        if (status == kStatusBufferOverflow || status == kStatusBufferTooSmall) {
            if (returned <= shared.size || returned > kValueBufferLimit)
                return false;
            if (!shared.ensure(returned + kValueBufferSlack))
                return false;
            continue;
        }
        if (!ntSuccess(status))
            return false;
        if (returned < kHeader || returned > shared.size)
            return false;
        KeyValuePartialInformation info;
        std::memcpy(&info, shared.bytes, kHeader);
        if (info.dataLength > returned - kHeader)
            return false;
        type = info.type;
        out.clear();
        out.append(shared.bytes + kHeader, static_cast<int32_t>(info.dataLength));
        return true;
    }
    return false;
}

// Names of the subkeys of an open key, in enumeration order, until the first failure.
void enumerateSubkeyNames(HANDLE key, str::StrArray& names) {
    const NtApi& api = ntApi();
    if (api.enumerateKey == nullptr)
        return;
    SharedBuffer& shared = nameBuffer();
    thread::Locked guard(shared.lock);
    if (!shared.ensure(kNameBufferBytes))
        return;
    constexpr uint32_t kHeader = offsetof(KeyBasicInformation, name);
    for (ULONG index = 0;; ++index) {
        ULONG returned = 0;
        NtStatus status = api.enumerateKey(key, index, kKeyBasicInformation, shared.bytes,
                                           kNameBufferBytes, &returned);
        if (!ntSuccess(status) || returned < kHeader || returned > kNameBufferBytes)
            return;
        KeyBasicInformation info;
        std::memcpy(&info, shared.bytes, kHeader);
        if (info.nameLength > returned - kHeader)
            return;
        str::StrBuffer* name = str::StrBuffer::take();
        if (name == nullptr)
            return;
        textOfValue(shared.bytes + kHeader, info.nameLength, *name);
        names.add(name);
    }
}

void enumerateValueNames(HANDLE key, str::StrArray& names) {
    const NtApi& api = ntApi();
    if (api.enumerateValueKey == nullptr)
        return;
    constexpr uint32_t kHeader = offsetof(KeyValueBasicInformation, name);
    std::vector<uint8_t> buffer(kNameBufferBytes);
    for (ULONG index = 0;;) {
        ULONG returned = 0;
        NtStatus status =
            api.enumerateValueKey(key, index, kKeyValueBasicInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &returned);
        if (status == kStatusBufferOverflow || status == kStatusBufferTooSmall) {
            if (returned <= buffer.size() || returned > kValueBufferLimit)
                return;
            buffer.resize(returned);
            continue;  // the same index again
        }
        if (!ntSuccess(status) || returned < kHeader || returned > buffer.size())
            return;
        KeyValueBasicInformation info;
        std::memcpy(&info, buffer.data(), kHeader);
        if (info.nameLength > returned - kHeader)
            return;
        str::StrBuffer* name = str::StrBuffer::take();
        if (name == nullptr)
            return;
        // Value names may hold any unit but 0; textOfValue stops at one, which names never have.
        textOfValue(buffer.data() + kHeader, info.nameLength, *name);
        names.add(name);
        ++index;
    }
}

}  // namespace

RegDir::RegDir() {
    reset();
}

RegDir::~RegDir() = default;

RegDir* RegDir::takeOpen(uint32_t root, const char16_t* path) {
    RegDir* dir = take();
    if (dir != nullptr)
        dir->open(root, path);
    return dir;
}

void RegDir::reset() {
    data_.freeStorage();
    expanded_.freeStorage();
    text_.freeStorage();
    handle_.reset();
    root_ = kLocalMachine;
    path_.clear();
    composePaths();
}

void RegDir::composePaths() {
    const char16_t* prefix = rootName(root_);
    const char16_t* nativePrefix = nativeRootName(root_);
    rootPrefix_.setText(prefix != nullptr ? prefix : u"");
    nativeRootPrefix_.setText(nativePrefix != nullptr ? nativePrefix : u"");
    fullPath_.setStr(rootPrefix_);
    nativeFullPath_.clear();
    if (nativePrefix != nullptr)
        nativeFullPath_.setStr(nativeRootPrefix_);
    if (!path_.isEmpty()) {
        fullPath_.appendUnit(u'\\').appendStr(path_);
        if (nativePrefix != nullptr)
            nativeFullPath_.appendUnit(u'\\').appendStr(path_);
    }
}

bool RegDir::open(uint32_t root, const char16_t* path) {
    handle_.reset();
    root_ = root;
    path_.setText(path != nullptr ? path : u"");
    while (!path_.isEmpty() && path_.charAt(0) == u'\\')
        path_.keepRange(1, path_.length());
    while (!path_.isEmpty() && path_.charAt(path_.length() - 1) == u'\\') {
        path_.setLength(path_.length() - 1);
    }
    composePaths();
    return ensureOpen();
}

bool RegDir::openText(const char16_t* text) {
    struct Root {
        const char16_t* name;
        uint32_t root;
    };
    static const Root kRoots[] = {
        {u"HKEY_USERS", kUsers},
        {u"HKEY_LOCAL_MACHINE", kLocalMachine},
        {u"HKEY_CURRENT_USER", kCurrentUser},
        {u"HKEY_CURRENT_CONFIG", kCurrentConfig},
        {u"HKEY_CLASSES_ROOT", kClassesRoot},
    };
    if (text != nullptr) {
        for (const Root& candidate : kRoots) {
            if (!startsWithFolded(text, candidate.name))
                continue;
            const char16_t* rest = text + textUnits(candidate.name);
            // A whole name only: "HKEY_USERSfoo" names no root.
            if (*rest != 0 && *rest != u'\\')
                continue;
            if (*rest != 0)
                ++rest;  // the one separator after the root's name
            return open(candidate.root, rest);
        }
    }
    return open(kCurrentUser, u"InvalidKey");
}

bool RegDir::ensureOpen() {
    if (handle_)
        return true;
    if (nativeRootPrefix_.isEmpty())
        return false;
    NtStatus status = openNative(nativeFullPath_.rawChars(),
                                 static_cast<uint32_t>(nativeFullPath_.length()), false, handle_);
    return ntSuccess(status);
}

bool RegDir::exists() {
    handle_.reset();
    return ensureOpen();
}

bool RegDir::create() {
    if (handle_)
        return true;
    if (nativeRootPrefix_.isEmpty())
        return false;
    // Each level is created on its own (the platform does not create parents). Find the
    // deepest level that can be created, then go down again: no recursion per level.
    std::vector<uint32_t> ends;
    const char16_t* full = nativeFullPath_.text();
    uint32_t length = static_cast<uint32_t>(nativeFullPath_.length());
    for (uint32_t i = static_cast<uint32_t>(nativeRootPrefix_.length()) + 1; i < length; ++i) {
        if (full[i] == u'\\')
            ends.push_back(i);
    }
    ends.push_back(length);
    int32_t level = static_cast<int32_t>(ends.size()) - 1;
    KeyHandle created;
    for (; level >= 0; --level) {
        NtStatus status = openNative(full, ends[level], true, created);
        if (ntSuccess(status))
            break;
        if (status != kStatusObjectNameNotFound)
            return false;
    }
    if (level < 0)
        return false;
    for (++level; level < static_cast<int32_t>(ends.size()); ++level) {
        if (!ntSuccess(openNative(full, ends[level], true, created)))
            return false;
    }
    handle_ = std::move(created);
    return true;
}

RegDir* RegDir::parent() const {
    if (path_.isEmpty())
        return nullptr;
    RegDir* up = take();
    if (up == nullptr)
        return nullptr;
    int32_t cut = 0;
    if (!path_.lastIndexOf(u'\\', cut))
        cut = 0;
    up->root_ = root_;
    up->path_.setText(path_.rawChars(), cut);
    up->composePaths();
    return up;
}

str::StrBuffer* RegDir::name(str::StrBuffer* buffer, bool append) const {
    str::StrBuffer* out = buffer != nullptr ? buffer : str::StrBuffer::take();
    if (out == nullptr)
        return nullptr;
    if (!append)
        out->clear();
    int32_t cut = -1;
    int32_t from = path_.lastIndexOf(u'\\', cut) ? cut + 1 : 0;
    out->append(path_.rawChars() + from, path_.length() - from);
    return out;
}

col::ArrayP* RegDir::subkeys() {
    col::ArrayP* keys = col::ArrayP::take();
    if (keys == nullptr)
        return nullptr;
    keys->setDisposer(&pool());
    if (!ensureOpen())
        return keys;
    str::StrArray* names = str::StrArray::take();
    if (names == nullptr)
        return keys;
    enumerateSubkeyNames(handle_.get(), *names);
    for (int32_t i = 0; i < names->count(); ++i) {
        RegDir* child = take();
        if (child == nullptr)
            break;
        child->root_ = root_;
        child->path_.setStr(path_);
        if (!path_.isEmpty())
            child->path_.appendUnit(u'\\');
        child->path_.appendStr(names->at(i));
        child->composePaths();  // opened on first use
        keys->add(child);
    }
    names->release();
    return keys;
}

bool RegDir::deleteTree(bool deleteSelf) {
    if (!ensureOpen())
        return false;
    bool ok = true;
    col::ArrayP* keys = subkeys();
    if (keys != nullptr) {
        for (int32_t i = 0; i < keys->count(); ++i)
            ok = keys->getAs<RegDir>(i)->deleteTree(true) && ok;
        keys->release();
    }
    if (deleteSelf) {
        const NtApi& api = ntApi();
        ok = api.deleteKey != nullptr && ntSuccess(api.deleteKey(handle_.get())) && ok;
        handle_.reset();
    }
    return ok;
}

bool RegDir::rename(const char16_t* newName) {
    const NtApi& api = ntApi();
    if (api.renameKey == nullptr || newName == nullptr || *newName == 0 || path_.isEmpty()) {
        return false;
    }
    if (!ensureOpen())
        return false;
    NtUnicodeString name;
    if (!ntString(newName, name))
        return false;
    if (!ntSuccess(api.renameKey(handle_.get(), &name)))
        return false;
    int32_t cut = 0;
    if (!path_.lastIndexOf(u'\\', cut)) {
        path_.clear();
    } else {
        path_.setLength(cut + 1);
    }
    path_.appendText(newName);
    handle_.reset();
    composePaths();
    return true;
}

bool RegDir::readRaw(const char16_t* name, uint32_t* type, uint32_t* size, int32_t wantedType) {
    if (!ensureOpen())
        return false;
    uint32_t valueType = 0;
    if (!queryValue(handle_.get(), name, valueType, data_))
        return false;
    if (wantedType != kAnyType && static_cast<uint32_t>(wantedType) != valueType)
        return false;
    if (type != nullptr)
        *type = valueType;
    if (size != nullptr)
        *size = static_cast<uint32_t>(data_.count());
    return true;
}

bool RegDir::readSized(const char16_t* name, void* out, uint32_t size) {
    uint32_t type = 0;
    uint32_t got = 0;
    if (!readRaw(name, &type, &got) || got != size || isTextType(type))
        return false;
    std::memcpy(out, data_.data(), size);
    return true;
}

uint8_t RegDir::getByte(const char16_t* name, uint8_t fallback) {
    uint32_t v = 0;
    return readSized(name, &v, 4) ? static_cast<uint8_t>(v) : fallback;
}

uint16_t RegDir::getWord(const char16_t* name, uint16_t fallback) {
    uint32_t v = 0;
    return readSized(name, &v, 4) ? static_cast<uint16_t>(v) : fallback;
}

uint32_t RegDir::getDword(const char16_t* name, uint32_t fallback) {
    uint32_t v = 0;
    return readSized(name, &v, 4) ? v : fallback;
}

uint64_t RegDir::getQword(const char16_t* name, uint64_t fallback) {
    uint64_t v = 0;
    return readSized(name, &v, 8) ? v : fallback;
}

float RegDir::getFloat(const char16_t* name, float fallback) {
    float v = 0;
    return readSized(name, &v, 4) ? v : fallback;
}

double RegDir::getDouble(const char16_t* name, double fallback) {
    double v = 0;
    return readSized(name, &v, 8) ? v : fallback;
}

bool RegDir::getBool(const char16_t* name, bool fallback) {
    uint32_t v = 0;
    return readSized(name, &v, 4) ? v != 0 : fallback;
}

const char16_t* RegDir::getText(const char16_t* name, const char16_t* fallback, bool* isExpandable,
                                bool expand) {
    if (isExpandable != nullptr)
        *isExpandable = false;
    uint32_t type = 0;
    uint32_t size = 0;
    if (!readRaw(name, &type, &size))
        return fallback;
    if (size == 0) {
        text_.clear();
        return text_.text();
    }
    if (type != kTypeSz && type != kTypeExpandSz)
        return fallback;
    textOfValue(data_.data(), size, text_);
    if (type == kTypeSz)
        return text_.text();
    if (isExpandable != nullptr)
        *isExpandable = true;
    if (!expand)
        return text_.text();
    // Expanded texts may be longer than the room first given: grow to what the platform asks.
    const auto* source = reinterpret_cast<const wchar_t*>(text_.text());
    uint32_t room = kExpandStartUnits;
    for (int attempt = 0; attempt < 3; ++attempt) {
        expanded_.resize(static_cast<int32_t>(room * 2));
        auto* target = reinterpret_cast<wchar_t*>(expanded_.data());
        DWORD needed = ExpandEnvironmentStringsW(source, target, room);
        if (needed == 0)
            return text_.text();
        if (needed <= room) {
            target[needed - 1] = 0;
            text_.setText(reinterpret_cast<const char16_t*>(target));
            return text_.text();
        }
        room = needed;
    }
    return text_.text();
}

str::StrArray* RegDir::getTextList(const char16_t* name) {
    str::StrArray* texts = str::StrArray::take();
    if (texts == nullptr)
        return nullptr;
    uint32_t size = 0;
    if (readRaw(name, nullptr, &size, kTypeMultiSz) && size >= 4) {
        textsOfMultiValue(data_.data(), size, *texts);
    }
    return texts;
}

col::ArrayU08* RegDir::getBinary(const char16_t* name, col::ArrayU08* bytes) {
    if (!readRaw(name, nullptr, nullptr))
        return nullptr;
    col::ArrayU08* out = bytes != nullptr ? bytes : col::ArrayU08::take();
    if (out == nullptr)
        return nullptr;
    out->clear();
    out->append(data_.data(), data_.count());
    return out;
}

bool RegDir::deleteValue(const char16_t* name) {
    const NtApi& api = ntApi();
    if (api.deleteValueKey == nullptr || !ensureOpen())
        return false;
    NtUnicodeString valueName;
    if (!ntString(name, valueName))
        return false;
    return ntSuccess(api.deleteValueKey(handle_.get(), &valueName));
}

bool RegDir::setRaw(const char16_t* name, uint32_t type, const void* bytes, uint32_t size) {
    const NtApi& api = ntApi();
    if (api.setValueKey == nullptr)
        return false;
    if (!ensureOpen() && !create())
        return false;
    NtUnicodeString valueName;
    if (!ntString(name, valueName))
        return false;
    static const uint8_t kNothing[1] = {0};
    if (bytes == nullptr)
        size = 0;
    return ntSuccess(api.setValueKey(handle_.get(), &valueName, 0, type,
                                     const_cast<void*>(bytes != nullptr ? bytes : kNothing), size));
}

str::StrArray* RegDir::valueNames() {
    str::StrArray* names = str::StrArray::take();
    if (names != nullptr && ensureOpen())
        enumerateValueNames(handle_.get(), *names);
    return names;
}

uint64_t RegDir::dataSize(bool recursive, uint32_t* keys, uint32_t* values) {
    uint64_t total = 0;
    str::StrArray* names = valueNames();
    if (names != nullptr) {
        for (int32_t i = 0; i < names->count(); ++i) {
            uint32_t size = 0;
            if (readRaw(names->textAt(i), nullptr, &size))
                total += size;
        }
        if (values != nullptr)
            *values += static_cast<uint32_t>(names->count());
        names->release();
    }
    col::ArrayP* children = subkeys();
    if (children != nullptr) {
        if (keys != nullptr)
            *keys += static_cast<uint32_t>(children->count());
        if (recursive) {
            for (int32_t i = 0; i < children->count(); ++i) {
                total += children->getAs<RegDir>(i)->dataSize(true, keys, values);
            }
        }
        children->release();
    }
    return total;
}

}  // namespace s::reg::win
