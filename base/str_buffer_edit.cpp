#include "base/str_buffer.h"

#include <cstdlib>
#include <cstring>

#include "base/str_units.h"

namespace s::str::strbuffer {

namespace {

constexpr char16_t kWhitespace[] = {u' ', u'\n', 0x3000, u'\t', u'\r'};
constexpr int32_t kWhitespaceCount = 5;

inline bool inSet(char16_t u, const char16_t* set, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (set[i] == u)
            return true;
    }
    return false;
}

constexpr char kHexDigits[] = "0123456789abcdef";

}  // namespace

// --- trimming ---

StrBuffer& StrBuffer::trimEnd() {
    return trimEndOfTo(kWhitespace, 0, kWhitespaceCount);
}

StrBuffer& StrBuffer::trimEndTo(int32_t minLength) {
    return trimEndOfTo(kWhitespace, minLength, kWhitespaceCount);
}

StrBuffer& StrBuffer::trimEndOf(const char16_t* set, int32_t count) {
    return trimEndOfTo(set, 0, count);
}

StrBuffer& StrBuffer::trimEndOfTo(const char16_t* set, int32_t minLength, int32_t count) {
    count = resolveCount(set, count);
    const uint32_t floor = minLength < 0 ? 0 : static_cast<uint32_t>(minLength);
    while (length_ > floor && inSet(chars_[length_ - 1], set, count))
        --length_;
    return *this;
}

StrBuffer& StrBuffer::trimStart() {
    return trimStartOf(kWhitespace, kWhitespaceCount);
}

StrBuffer& StrBuffer::trimStartOf(const char16_t* set, int32_t count) {
    count = resolveCount(set, count);
    uint32_t skip = 0;
    while (skip < length_ && inSet(chars_[skip], set, count))
        ++skip;
    if (skip > 0) {
        std::memmove(chars_, chars_ + skip, (length_ - skip) * sizeof(char16_t));
        length_ -= skip;
    }
    return *this;
}

// --- appending ---

void StrBuffer::insertAt(uint32_t at, const char16_t* units, uint32_t count) {
    if (!units || count == 0)
        return;
    if (at > length_)
        at = length_;
    // The units may lie in this buffer's own storage, which growing frees.
    char16_t* copy = nullptr;
    if (ownsUnits(units)) {
        copy = static_cast<char16_t*>(std::malloc(size_t{count} * sizeof(char16_t)));
        if (!copy)
            return;
        std::memcpy(copy, units, size_t{count} * sizeof(char16_t));
        units = copy;
    }
    const uint64_t total = uint64_t{length_} + count;
    if (total < 0x7FFFFFFF && ensure(static_cast<uint32_t>(total))) {
        std::memmove(chars_ + at + count, chars_ + at, (length_ - at) * sizeof(char16_t));
        std::memcpy(chars_ + at, units, size_t{count} * sizeof(char16_t));
        length_ = static_cast<uint32_t>(total);
    }
    std::free(copy);
}

StrBuffer& StrBuffer::prepend(const char16_t* units, int32_t count) {
    insertAt(0, units, static_cast<uint32_t>(resolveCount(units, count)));
    return *this;
}

StrBuffer& StrBuffer::append(const char16_t* units, int32_t count) {
    insertAt(length_, units, static_cast<uint32_t>(resolveCount(units, count)));
    return *this;
}

StrBuffer& StrBuffer::appendNarrow(const char* bytes, int32_t count) {
    if (!bytes)
        return *this;
    if (count < 0)
        count = static_cast<int32_t>(std::strlen(bytes));
    if (count == 0 || !ensure(length_ + static_cast<uint32_t>(count)))
        return *this;
    for (int32_t i = 0; i < count; ++i)
        chars_[length_++] = static_cast<uint8_t>(bytes[i]);
    return *this;
}

StrBuffer& StrBuffer::appendStr(const StrBuffer& other) {
    return append(other.chars_, other.length());
}

StrBuffer& StrBuffer::appendStr(const StrBuffer* other) {
    return other ? appendStr(*other) : *this;
}

StrBuffer& StrBuffer::appendUnits(char16_t unit, int32_t count) {
    if (count <= 0 || !ensure(length_ + static_cast<uint32_t>(count)))
        return *this;
    for (int32_t i = 0; i < count; ++i)
        chars_[length_++] = unit;
    return *this;
}

StrBuffer& StrBuffer::setStr(const StrBuffer& other) {
    if (&other == this)
        return *this;
    return clear().appendStr(other);
}

StrBuffer& StrBuffer::setStr(const StrBuffer* other) {
    return other ? setStr(*other) : clear();
}

// --- hexadecimal dumps ---

namespace {
void appendHex(StrBuffer& out, uint64_t v, int digits) {
    char text[16];
    for (int i = digits - 1; i >= 0; --i, v >>= 4)
        text[i] = kHexDigits[v & 15];
    out.appendNarrow(text, digits);
}
}  // namespace

StrBuffer& StrBuffer::appendHexU08(uint8_t v) {
    appendHex(*this, v, 2);
    return *this;
}

StrBuffer& StrBuffer::appendHexU16(uint16_t v) {
    appendHex(*this, v, 4);
    return *this;
}

StrBuffer& StrBuffer::appendHexU32(uint32_t v) {
    appendHex(*this, v, 8);
    return *this;
}

StrBuffer& StrBuffer::appendHexU64(uint64_t v) {
    appendHex(*this, v, 16);
    return *this;
}

StrBuffer& StrBuffer::appendHexBytes(const uint8_t* bytes, int32_t count) {
    if (!bytes || count <= 0)
        return *this;
    reserve(static_cast<int32_t>(length_) + count * 2);
    for (int32_t i = 0; i < count; ++i)
        appendHex(*this, bytes[i], 2);
    return *this;
}

StrBuffer& StrBuffer::appendHexU16s(const uint16_t* values, int32_t count) {
    for (int32_t i = 0; values && i < count; ++i)
        appendHex(*this, values[i], 4);
    return *this;
}

StrBuffer& StrBuffer::appendHexU32s(const uint32_t* values, int32_t count) {
    for (int32_t i = 0; values && i < count; ++i)
        appendHex(*this, values[i], 8);
    return *this;
}

StrBuffer& StrBuffer::appendHexU64s(const uint64_t* values, int32_t count) {
    for (int32_t i = 0; values && i < count; ++i)
        appendHex(*this, values[i], 16);
    return *this;
}

StrBuffer& StrBuffer::appendHexU64sAsU32s(const uint64_t* values, int32_t count) {
    for (int32_t i = 0; values && i < count; ++i) {
        appendHex(*this, values[i] & 0xFFFFFFFFu, 8);
        appendHex(*this, values[i] >> 32, 8);
    }
    return *this;
}

// --- replacing ---

StrBuffer& StrBuffer::replaceAllFolded(const char16_t* find, const char16_t* replacement,
                                       bool fold) {
    const uint32_t n = static_cast<uint32_t>(unitLength(find));
    if (n == 0 || n > length_)
        return *this;
    const uint32_t r = static_cast<uint32_t>(unitLength(replacement));
    StrBuffer result;
    uint32_t copied = 0;
    bool any = false;
    for (uint32_t i = 0; i + n <= length_;) {
        uint32_t k = 0;
        while (k < n && (fold ? lowerAscii(chars_[i + k]) == lowerAscii(find[k])
                              : chars_[i + k] == find[k])) {
            ++k;
        }
        if (k < n) {
            ++i;
            continue;
        }
        any = true;
        result.append(chars_ + copied, static_cast<int32_t>(i - copied));
        result.append(replacement, static_cast<int32_t>(r));
        i += n;
        copied = i;
    }
    if (!any)
        return *this;
    result.append(chars_ + copied, static_cast<int32_t>(length_ - copied));
    // Take over the result's storage.
    std::free(chars_);
    chars_ = result.chars_;
    length_ = result.length_;
    capacity_ = result.capacity_;
    streamPos_ = 0;
    result.chars_ = nullptr;
    result.length_ = result.capacity_ = 0;
    return *this;
}

StrBuffer& StrBuffer::replaceAll(const char16_t* find, const char16_t* replacement) {
    return replaceAllFolded(find, replacement, false);
}

StrBuffer& StrBuffer::replaceAllIgnoreCase(const char16_t* find, const char16_t* replacement) {
    return replaceAllFolded(find, replacement, true);
}

// --- new buffers ---

StrBuffer* StrBuffer::copy() const {
    StrBuffer* result = take();
    if (result)
        result->appendStr(*this);
    return result;
}

StrBuffer& StrBuffer::keepRange(int32_t start, int32_t end) {
    uint32_t e = end < 0 ? 0 : static_cast<uint32_t>(end);
    if (e > length_)
        e = length_;
    uint32_t b = start < 0 ? 0 : static_cast<uint32_t>(start);
    if (b >= e) {
        length_ = 0;
        return *this;
    }
    if (b > 0)
        std::memmove(chars_, chars_ + b, (e - b) * sizeof(char16_t));
    length_ = e - b;
    return *this;
}

StrBuffer* StrBuffer::substring(int32_t start, int32_t end) const {
    StrBuffer* result = take();
    if (!result)
        return nullptr;
    uint32_t e = end < 0 ? 0 : static_cast<uint32_t>(end);
    if (e > length_)
        e = length_;
    uint32_t b = start < 0 ? 0 : static_cast<uint32_t>(start);
    if (b < e)
        result->append(chars_ + b, static_cast<int32_t>(e - b));
    return result;
}

StrBuffer* StrBuffer::prefix(bool found, int32_t end) const {
    return found ? substring(0, end) : take();
}

StrBuffer* StrBuffer::beforeLastIndexOf(char16_t unit, int32_t before) const {
    int32_t at = 0;
    bool found = lastIndexOf(unit, at, before);
    return prefix(found, at);
}

StrBuffer* StrBuffer::beforeLastIndexOfIgnoreCase(char16_t unit, int32_t before) const {
    int32_t at = 0;
    bool found = lastIndexOfIgnoreCase(unit, at, before);
    return prefix(found, at);
}

StrBuffer* StrBuffer::beforeLastIndexOfAny(const char16_t* set, int32_t count,
                                           int32_t before) const {
    int32_t at = 0;
    bool found = lastIndexOfAny(set, count, at, before);
    return prefix(found, at);
}

StrBuffer* StrBuffer::beforeLastIndexOfAnyIgnoreCase(const char16_t* set, int32_t count,
                                                     int32_t before) const {
    int32_t at = 0;
    bool found = lastIndexOfAnyIgnoreCase(set, count, at, before);
    return prefix(found, at);
}

StrBuffer* StrBuffer::beforeFindLast(const char16_t* text, int32_t before) const {
    int32_t at = 0;
    bool found = findLast(text, at, before);
    return prefix(found, at);
}

StrBuffer* StrBuffer::beforeFindLastIgnoreCase(const char16_t* text, int32_t before) const {
    int32_t at = 0;
    bool found = findLastIgnoreCase(text, at, before);
    return prefix(found, at);
}

}  // namespace s::str::strbuffer
