#include "persist/xml/mapped_data.h"

#include "persist/file/file_io.h"
#include "persist/xml/escape.h"
#include "persist/xml/number_text.h"

namespace s::xml {

namespace {

const char16_t kNoText[] = u"";

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

const char16_t* orEmpty(const char16_t* text) {
    return text != nullptr ? text : kNoText;
}

}  // namespace

MappedData::~MappedData() {
    if (root_ != nullptr)
        root_->release();
}

MappedData* MappedData::createForFile(const char16_t* path) {
    MappedData* store = take();
    if (store == nullptr)
        return nullptr;
    store->bindFile(path);
    Node* root = Node::take();
    if (root == nullptr)
        return store;
    // A file that is missing, unreadable or holds no element gives an empty document.
    bool read = root->loadFile(path);
    if (!read || root->nameLength() == 0) {
        root->clear();
        root->setName(u"savedata");
    }
    // A file that is there but could not be read is not the store's to overwrite: its
    // settings may be whole, and saving the empty document would lose them.
    if (!read && io::fileExists(path))
        store->bindFile(nullptr);
    store->setRoot(root);
    return store;
}

void MappedData::reset() {
    if (root_ != nullptr)
        root_->release();
    root_ = nullptr;
    current_ = nullptr;
    file_.freeStorage();
    scratch_.freeStorage();
    lastPath_.freeStorage();
    autoSaveOn_ = false;
}

void MappedData::bindFile(const char16_t* path) {
    file_.setText(orEmpty(path));
}

void MappedData::setRoot(Node* root) {
    if (root_ != nullptr && root_ != root)
        root_->release();
    root_ = root;
    lastPath_.clear();
    current_ = root_;
}

Node* MappedData::resolve(const char16_t* path, bool create) {
    path = orEmpty(path);
    if (current_ != nullptr && lastPath_.equalsIgnoreCase(path))
        return current_;
    lastPath_.setText(path);
    current_ = nullptr;
    if (root_ == nullptr) {
        if (!create)
            return nullptr;
        Node* root = Node::take();
        if (root == nullptr)
            return nullptr;
        root->setName(u"savedata");
        root_ = root;
    }
    Node* node = root_;
    const char16_t* p = path;
    while (*p != 0) {
        while (isSeparator(*p))
            ++p;
        const char16_t* component = p;
        while (*p != 0 && !isSeparator(*p))
            ++p;
        int32_t length = static_cast<int32_t>(p - component);
        if (length == 0)
            break;  // a trailing separator adds no component
        Node* next = node->childNamed(component, length);
        if (next == nullptr) {
            if (!create)
                return nullptr;
            next = node->addChild(component, length);
            if (next == nullptr)
                return nullptr;
        }
        node = next;
    }
    current_ = node;
    return node;
}

bool MappedData::save() {
    if (file_.isEmpty() || root_ == nullptr)
        return false;
    return root_->saveFile(file_.text());
}

bool MappedData::deleteKey(const char16_t* path) {
    str::StrBuffer parent(orEmpty(path));
    while (!parent.isEmpty() && isSeparator(parent.charAt(parent.length() - 1))) {
        parent.setLength(parent.length() - 1);
    }
    if (parent.isEmpty())
        return false;  // the document element stays
    int32_t cut = parent.length();
    while (cut > 0 && !isSeparator(parent.charAt(cut - 1)))
        --cut;
    str::StrBuffer last;
    last.append(parent.rawChars() + cut, parent.length() - cut);
    parent.setLength(cut > 0 ? cut - 1 : 0);
    // Resolving the parent makes it the current element, so the remembered element can
    // never be the one removed below.
    Node* node = resolve(parent.text(), false);
    if (node == nullptr)
        return false;
    int32_t i = 0;
    if (!node->findChild(last.text(), i, last.length()))
        return false;
    node->removeChild(i);
    flush();
    return true;
}

const char16_t* MappedData::valueOf(const char16_t* path, const char16_t* name) {
    Node* node = resolve(path, false);
    return node != nullptr ? node->rawValue(orEmpty(name)) : nullptr;
}

bool MappedData::hasValue(const char16_t* path, const char16_t* name) {
    return valueOf(path, name) != nullptr;
}

uint8_t MappedData::getUInt8(const char16_t* path, const char16_t* name, uint8_t fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? static_cast<uint8_t>(parseUnsignedDecimal(v)) : fallback;
}
uint16_t MappedData::getUInt16(const char16_t* path, const char16_t* name, uint16_t fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? static_cast<uint16_t>(parseUnsignedDecimal(v)) : fallback;
}
uint32_t MappedData::getUInt32(const char16_t* path, const char16_t* name, uint32_t fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? static_cast<uint32_t>(parseUnsignedDecimal(v)) : fallback;
}
uint64_t MappedData::getUInt64(const char16_t* path, const char16_t* name, uint64_t fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? static_cast<uint64_t>(parseSignedDecimal(v)) : fallback;
}
int8_t MappedData::getInt8(const char16_t* path, const char16_t* name, int8_t fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? static_cast<int8_t>(parseSignedDecimal(v)) : fallback;
}
int16_t MappedData::getInt16(const char16_t* path, const char16_t* name, int16_t fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? static_cast<int16_t>(parseSignedDecimal(v)) : fallback;
}
int32_t MappedData::getInt32(const char16_t* path, const char16_t* name, int32_t fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? static_cast<int32_t>(parseSignedDecimal(v)) : fallback;
}
int64_t MappedData::getInt64(const char16_t* path, const char16_t* name, int64_t fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? parseSignedDecimal(v) : fallback;
}
float MappedData::getFloat(const char16_t* path, const char16_t* name, float fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? static_cast<float>(parseDecimalDouble(v)) : fallback;
}
double MappedData::getDouble(const char16_t* path, const char16_t* name, double fallback) {
    const char16_t* v = valueOf(path, name);
    return v != nullptr ? parseDecimalDouble(v) : fallback;
}

bool MappedData::getBool(const char16_t* path, const char16_t* name, bool fallback) {
    Node* node = resolve(path, false);
    return node != nullptr ? node->getBool(orEmpty(name), fallback) : fallback;
}

const char16_t* MappedData::getString(const char16_t* path, const char16_t* name,
                                      const char16_t* fallback, bool* isExpandable, bool expand) {
    if (isExpandable != nullptr)
        *isExpandable = false;
    Node* node = resolve(path, false);
    if (node == nullptr || !node->hasAttribute(orEmpty(name)))
        return fallback;
    node->getText(&scratch_, orEmpty(name));
    return scratch_.text();
}

col::ArrayU08* MappedData::getBytes(const char16_t* path, const char16_t* name,
                                    col::ArrayU08* bytes) {
    const char16_t* v = valueOf(path, name);
    if (v == nullptr)
        return nullptr;
    str::StrBuffer hex(v);
    return hex.hexToBytes(bytes, false);
}

bool MappedData::deleteValue(const char16_t* path, const char16_t* name) {
    Node* node = resolve(path, false);
    if (node == nullptr)
        return false;
    bool removed = node->removeAttribute(orEmpty(name));
    flush();
    return removed;
}

bool MappedData::writeRaw(const char16_t* path, const char16_t* name, const char16_t* text,
                          int32_t count) {
    Node* node = resolve(path, true);
    if (node == nullptr)
        return false;
    name = orEmpty(name);
    node->removeAttribute(name);
    node->setRaw(name, text, count);
    return flush();
}

bool MappedData::setUInt8(const char16_t* path, const char16_t* name, uint8_t value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendUInt8(value); });
}
bool MappedData::setUInt16(const char16_t* path, const char16_t* name, uint16_t value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendUInt16(value); });
}
bool MappedData::setUInt32(const char16_t* path, const char16_t* name, uint32_t value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendUInt32(value); });
}
bool MappedData::setUInt64(const char16_t* path, const char16_t* name, uint64_t value) {
    // Read back as signed 64 bits, which round-trips every value.
    return writeNumber(path, name,
                       [&](str::StrBuffer& t) { t.appendInt64(static_cast<int64_t>(value)); });
}
bool MappedData::setInt8(const char16_t* path, const char16_t* name, int8_t value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendInt8(value); });
}
bool MappedData::setInt16(const char16_t* path, const char16_t* name, int16_t value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendInt16(value); });
}
bool MappedData::setInt32(const char16_t* path, const char16_t* name, int32_t value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendInt(value); });
}
bool MappedData::setInt64(const char16_t* path, const char16_t* name, int64_t value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendInt64(value); });
}
bool MappedData::setFloat(const char16_t* path, const char16_t* name, float value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendFloat(value); });
}
bool MappedData::setDouble(const char16_t* path, const char16_t* name, double value) {
    return writeNumber(path, name, [&](str::StrBuffer& t) { t.appendDouble(value); });
}
bool MappedData::setBool(const char16_t* path, const char16_t* name, bool value) {
    return writeRaw(path, name, value ? u"1" : u"0", 1);
}

bool MappedData::setString(const char16_t* path, const char16_t* name, const char16_t* text) {
    name = orEmpty(name);
    str::StrBuffer escaped;
    if (name[0] == 0) {
        escapeText(text, -1, escaped);
    } else {
        escapeAttribute(text, -1, escaped);
    }
    return writeRaw(path, name, escaped.text(), escaped.length());
}

bool MappedData::setBytes(const char16_t* path, const char16_t* name, const uint8_t* bytes,
                          int32_t count) {
    str::StrBuffer hex;
    if (bytes != nullptr && count > 0)
        hex.appendHexBytes(bytes, count);
    return writeRaw(path, name, hex.text(), hex.length());
}

}  // namespace s::xml
