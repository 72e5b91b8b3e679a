#include "base/str_buffer.h"

#include <cstring>

#include "base/array.h"
#include "base/digest.h"
#include "base/growth.h"
#include "base/utf8.h"

namespace s::str {

namespace {
constexpr char16_t kReplacement = 0xFFFD;
}  // namespace

uint32_t decodeUtf8(const uint8_t* bytes, uint32_t count, char16_t* out) {
    char16_t* start = out;
    uint32_t i = 0;
    while (i < count) {
        // The common forms first, without the checks of the general path below: ASCII (in
        // runs eight bytes at a time), and well-formed two- and three-byte sequences.
        const uint8_t b = bytes[i];
        if (b < 0x80) {
            while (count - i >= 8) {
                uint64_t word;
                std::memcpy(&word, bytes + i, sizeof word);
                if ((word & 0x8080808080808080ull) != 0)
                    break;
                for (int k = 0; k < 8; ++k)
                    out[k] = bytes[i + k];
                out += 8;
                i += 8;
            }
            while (i < count && bytes[i] < 0x80)
                *out++ = bytes[i++];
            continue;
        }
        if (b >= 0xC2 && b <= 0xDF && count - i >= 2 && (bytes[i + 1] & 0xC0) == 0x80) {
            *out++ = static_cast<char16_t>(((b & 0x1Fu) << 6) | (bytes[i + 1] & 0x3Fu));
            i += 2;
            continue;
        }
        if ((b & 0xF0) == 0xE0 && count - i >= 3 && (bytes[i + 1] & 0xC0) == 0x80 &&
            (bytes[i + 2] & 0xC0) == 0x80) {
            const uint32_t c =
                ((b & 0x0Fu) << 12) | ((bytes[i + 1] & 0x3Fu) << 6) | (bytes[i + 2] & 0x3Fu);
            if (c >= 0x800 && (c & 0xF800) != 0xD800) {  // else overlong or a surrogate
                *out++ = static_cast<char16_t>(c);
                i += 3;
                continue;
            }
        }
        // One sequence of any form, checked strictly.
        uint32_t need;
        uint32_t c;
        uint8_t low = 0x80, high = 0xBF;  // range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2;
            c = b & 0x0F;
            if (b == 0xE0)
                low = 0xA0;  // no overlong forms
            if (b == 0xED)
                high = 0x9F;  // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3;
            c = b & 0x07;
            if (b == 0xF0)
                low = 0x90;
            if (b == 0xF4)
                high = 0x8F;  // nothing above U+10FFFF
        } else {
            *out++ = kReplacement;
            ++i;
            continue;
        }
        uint32_t k = 1;
        for (; k <= need; ++k) {
            if (i + k >= count)
                break;
            const uint8_t next = bytes[i + k];
            if (k == 1 ? (next < low || next > high) : (next < 0x80 || next > 0xBF))
                break;
            c = (c << 6) | (next & 0x3F);
        }
        if (k <= need) {
            *out++ = kReplacement;
            i += k;  // skip the valid prefix only; the offending byte starts anew
            continue;
        }
        i += need + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (c >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(c);
        }
    }
    return static_cast<uint32_t>(out - start);
}

}  // namespace s::str

namespace s::str::strbuffer {

using col::_array::ArrayU08;

namespace {

inline bool isHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
inline bool isLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// Prepares the target array: a new pooled one when none is given, cleared unless appending.
ArrayU08* targetArray(ArrayU08* bytes, bool append) {
    if (!bytes)
        bytes = ArrayU08::take();
    if (bytes && !append)
        bytes->clear();
    return bytes;
}

// A 0 byte after the end: counted in the array's length, or only present in the storage.
void terminate(ArrayU08& bytes, bool counted, int zeros) {
    if (counted) {
        bytes.add(0);
        return;
    }
    const int32_t n = bytes.count();
    bytes.reserve(n + zeros);
    if (bytes.capacity() >= n + zeros)
        std::memset(bytes.data() + n, 0, size_t(zeros));
}

// Room for `more` bytes after the array's count, in signed 32-bit counts; false (and the
// array untouched) when that is beyond what an array holds.
bool fits(const ArrayU08& out, uint64_t more) {
    return uint64_t(out.count()) + more + 2 <= col::kMaxCount;
}

void encodeUtf8(const char16_t* units, uint32_t length, ArrayU08& out) {
    // Three bytes per unit at most (a surrogate pair takes four for two units), plus 2.
    if (!fits(out, uint64_t{length} * 3))
        return;
    const int32_t start = out.count();
    const int32_t most = start + static_cast<int32_t>(length) * 3;
    out.reserve(most + 2);
    out.resize(most);
    if (out.count() != most)
        return;
    uint8_t* p = out.data() + start;
    for (uint32_t i = 0; i < length; ++i) {
        uint32_t c = units[i];
        if (isHighSurrogate(units[i]) && i + 1 < length && isLowSurrogate(units[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        } else if (isHighSurrogate(units[i]) || isLowSurrogate(units[i])) {
            c = kReplacement;  // a lone surrogate has no UTF-8 form
        }
        if (c < 0x80) {
            *p++ = static_cast<uint8_t>(c);
        } else if (c < 0x800) {
            *p++ = static_cast<uint8_t>(0xC0 | (c >> 6));
            *p++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *p++ = static_cast<uint8_t>(0xE0 | (c >> 12));
            *p++ = static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F));
            *p++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
        } else {
            *p++ = static_cast<uint8_t>(0xF0 | (c >> 18));
            *p++ = static_cast<uint8_t>(0x80 | ((c >> 12) & 0x3F));
            *p++ = static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F));
            *p++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
        }
    }
    out.resize(static_cast<int32_t>(p - out.data()));
}

}  // namespace

ArrayU08* StrBuffer::toUtf8(ArrayU08* bytes, bool append) const {
    bytes = targetArray(bytes, append);
    if (!bytes)
        return nullptr;
    encodeUtf8(chars_, length_, *bytes);
    terminate(*bytes, false, 1);
    return bytes;
}

ArrayU08* StrBuffer::toUtf8WithZero(ArrayU08* bytes, bool append) const {
    bytes = targetArray(bytes, append);
    if (!bytes)
        return nullptr;
    encodeUtf8(chars_, length_, *bytes);
    terminate(*bytes, true, 1);
    return bytes;
}

StrBuffer& StrBuffer::fromUtf8(const uint8_t* bytes, int32_t count, bool append) {
    if (!append)
        clear();
    if (!bytes)
        return *this;
    if (count < 0)
        count = static_cast<int32_t>(std::strlen(reinterpret_cast<const char*>(bytes)));
    // A byte never yields more than one unit (four bytes yield two).
    if (count == 0 || !ensure(length_ + static_cast<uint32_t>(count)))
        return *this;
    length_ += decodeUtf8(bytes, static_cast<uint32_t>(count), chars_ + length_);
    return *this;
}

namespace {

bool encodeTo(CodePage codePage, const char16_t* chars, uint32_t length, ArrayU08& out) {
    if (codePage == kCodePageUtf8) {
        encodeUtf8(chars, length, out);
        return true;
    }
    if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be) {
        if (!fits(out, uint64_t{length} * 2))
            return false;
        const int32_t start = out.count();
        out.resize(start + static_cast<int32_t>(length) * 2);
        if (out.count() != start + static_cast<int32_t>(length) * 2)
            return false;
        uint8_t* p = out.data() + start;
        const bool big = codePage == kCodePageUtf16Be;
        for (uint32_t i = 0; i < length; ++i) {
            const uint8_t lo = static_cast<uint8_t>(chars[i]);
            const uint8_t hi = static_cast<uint8_t>(chars[i] >> 8);
            *p++ = big ? hi : lo;
            *p++ = big ? lo : hi;
        }
        return true;
    }
    return length == 0 || platform::encode(codePage, chars, static_cast<int32_t>(length), out);
}

}  // namespace

ArrayU08* StrBuffer::encode(CodePage codePage, ArrayU08* bytes, bool append) const {
    bytes = targetArray(bytes, append);
    if (!bytes)
        return nullptr;
    encodeTo(codePage, chars_, length_, *bytes);
    terminate(*bytes, false, 2);
    return bytes;
}

ArrayU08* StrBuffer::encodeWithZero(CodePage codePage, ArrayU08* bytes, bool append) const {
    bytes = targetArray(bytes, append);
    if (!bytes)
        return nullptr;
    encodeTo(codePage, chars_, length_, *bytes);
    terminate(*bytes, true, 1);
    return bytes;
}

StrBuffer& StrBuffer::decode(CodePage codePage, const uint8_t* bytes, int32_t count, bool append) {
    if (codePage == kCodePageUtf8)
        return fromUtf8(bytes, count, append);
    if (!append)
        clear();
    if (!bytes)
        return *this;
    if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be) {
        const int shiftFirst = codePage == kCodePageUtf16Be ? 8 : 0;
        uint32_t units = 0;
        if (count < 0) {
            while (bytes[2 * units] != 0 || bytes[2 * units + 1] != 0)
                ++units;
        } else {
            units = static_cast<uint32_t>(count) / 2;  // an odd last byte is ignored
        }
        if (units == 0 || !ensure(length_ + units))
            return *this;
        for (uint32_t i = 0; i < units; ++i) {
            chars_[length_++] = static_cast<char16_t>((bytes[2 * i] << shiftFirst) |
                                                      (bytes[2 * i + 1] << (8 - shiftFirst)));
        }
        return *this;
    }
    if (count < 0)
        count = static_cast<int32_t>(std::strlen(reinterpret_cast<const char*>(bytes)));
    if (count > 0)
        platform::decode(codePage, bytes, count, *this);
    return *this;
}

ArrayU08* StrBuffer::toOem(ArrayU08* bytes, bool append) const {
    return encode(kCodePageOem, bytes, append);
}

ArrayU08* StrBuffer::toOemWithZero(ArrayU08* bytes, bool append) const {
    return encodeWithZero(kCodePageOem, bytes, append);
}

StrBuffer& StrBuffer::fromOem(const uint8_t* bytes, int32_t count, bool append) {
    return decode(kCodePageOem, bytes, count, append);
}

ArrayU08* StrBuffer::digest(digest::IDigester* digester, ArrayU08* out) const {
    digest::Md5 md5;
    if (!digester)
        digester = &md5;
    if (!out)
        out = ArrayU08::take();
    if (!out)
        return nullptr;
    digester->restart();
    digester->update(chars_, static_cast<int32_t>(length_ * 2));
    out->resize(digester->digestSize());
    digester->finish(out->data());
    return out;
}

}  // namespace s::str::strbuffer
