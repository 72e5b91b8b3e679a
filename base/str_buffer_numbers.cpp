#include "base/str_buffer.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "base/array.h"

// Number texts are produced and read without the C locale: the decimal point is always '.'.
namespace s::str::strbuffer {

namespace {

// Room the appending number slots make at the buffer's tail, and the most they write.
constexpr int32_t kNumberTail = 256;

inline bool isBlank(char16_t u) {
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
}

inline int hexValue(char16_t u) {
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Signed decimal with saturation at the limits of T.
template <class T>
T parseInteger(const char16_t* chars, uint32_t length) {
    uint32_t i = 0;
    while (i < length && isBlank(chars[i]))
        ++i;
    bool negative = false;
    if (i < length && (chars[i] == u'-' || chars[i] == u'+'))
        negative = chars[i++] == u'-';
    using U = std::make_unsigned_t<T>;
    const U limit =
        negative ? U(std::numeric_limits<T>::max()) + 1u : U(std::numeric_limits<T>::max());
    U value = 0;
    for (; i < length && chars[i] >= u'0' && chars[i] <= u'9'; ++i) {
        const U digit = U(chars[i] - u'0');
        if (value > (limit - digit) / 10u) {
            value = limit;
            break;
        }
        value = value * 10u + digit;
    }
    if (!negative)
        return static_cast<T>(value);
    return value == limit ? std::numeric_limits<T>::min() : static_cast<T>(-static_cast<T>(value));
}

double parseDouble(const char16_t* chars, uint32_t length, bool single, float& asFloat) {
    uint32_t i = 0;
    while (i < length && isBlank(chars[i]))
        ++i;
    // Copy the number's units (ASCII only) so that std::from_chars can read them.
    char text[128];
    int32_t n = 0;
    if (i < length && chars[i] == u'+')
        ++i;
    for (; i < length && n < static_cast<int32_t>(sizeof(text)) - 1; ++i) {
        char16_t u = chars[i];
        bool part = (u >= u'0' && u <= u'9') || u == u'.' || u == u'-' || u == u'+' || u == u'e' ||
                    u == u'E';
        if (!part)
            break;
        text[n++] = static_cast<char>(u);
    }
    double value = 0;
    asFloat = 0;
    if (single) {
        std::from_chars(text, text + n, asFloat, std::chars_format::general);
    } else {
        std::from_chars(text, text + n, value, std::chars_format::general);
    }
    return value;
}

}  // namespace

StrBuffer& StrBuffer::appendNumber(const char* digits, int32_t count, bool tail) {
    if (tail)
        reserve(static_cast<int32_t>(length_) + kNumberTail);
    if (count > kNumberTail)
        count = kNumberTail;
    return appendNarrow(digits, count);
}

namespace {
constexpr int32_t kIntegerText = 24;  // enough for any 64-bit value and its sign

template <class T>
int32_t formatInteger(T v, char* text) {
    auto result = std::to_chars(text, text + kIntegerText, v);
    return static_cast<int32_t>(result.ptr - text);
}
}  // namespace

StrBuffer& StrBuffer::appendInt(int32_t v) {
    char text[kIntegerText];
    return appendNumber(text, formatInteger(v, text), true);
}

StrBuffer& StrBuffer::appendInt64(int64_t v) {
    char text[kIntegerText];
    return appendNumber(text, formatInteger(v, text), true);
}

StrBuffer& StrBuffer::appendUInt32(uint32_t v) {
    char text[kIntegerText];
    return appendNumber(text, formatInteger(v, text), true);
}

StrBuffer& StrBuffer::appendUInt64(uint64_t v) {
    char text[kIntegerText];
    return appendNumber(text, formatInteger(v, text), true);
}

// The set slots format apart and copy the text in: no room is made at the tail.
StrBuffer& StrBuffer::setInt(int32_t v) {
    char text[kIntegerText];
    return clear().appendNumber(text, formatInteger(v, text), false);
}

StrBuffer& StrBuffer::setInt64(int64_t v) {
    char text[kIntegerText];
    return clear().appendNumber(text, formatInteger(v, text), false);
}

StrBuffer& StrBuffer::setUInt32(uint32_t v) {
    char text[kIntegerText];
    return clear().appendNumber(text, formatInteger(v, text), false);
}

namespace {
// "%f": fixed, six decimals.
int32_t formatFixed(double v, char* text, int32_t size) {
    auto result = std::to_chars(text, text + size, v, std::chars_format::fixed, 6);
    if (result.ec != std::errc())
        return 0;
    return static_cast<int32_t>(result.ptr - text);
}
}  // namespace

StrBuffer& StrBuffer::appendDouble(double v) {
    char text[400];  // the largest double in fixed notation is 309 digits + 7
    return appendNumber(text, formatFixed(v, text, sizeof(text)), true);
}

StrBuffer& StrBuffer::setDouble(double v) {
    char text[400];
    clear();
    return appendNumber(text, formatFixed(v, text, sizeof(text)), false);
}

int32_t StrBuffer::toInt() const {
    return parseInteger<int32_t>(chars_, length_);
}

int64_t StrBuffer::toInt64() const {
    return parseInteger<int64_t>(chars_, length_);
}

float StrBuffer::toFloat() const {
    float value;
    parseDouble(chars_, length_, true, value);
    return value;
}

double StrBuffer::toDouble() const {
    float unused;
    return parseDouble(chars_, length_, false, unused);
}

bool StrBuffer::isHex() const {
    if (length_ == 0)
        return false;
    for (uint32_t i = 0; i < length_; ++i) {
        if (hexValue(chars_[i]) < 0)
            return false;
    }
    return true;
}

int32_t StrBuffer::hexDigitAt(int32_t i) const {
    if (i < 0 || static_cast<uint32_t>(i) >= length_)
        return 0;
    int v = hexValue(chars_[i]);
    return v < 0 ? 0 : v;
}

col::_array::ArrayU08* StrBuffer::hexToBytes(col::_array::ArrayU08* bytes, bool append) const {
    if (!bytes)
        bytes = col::_array::ArrayU08::take();
    if (!bytes)
        return nullptr;
    if (!append)
        bytes->clear();
    const uint32_t pairs = length_ / 2;  // an odd last unit is ignored
    bytes->reserve(bytes->count() + static_cast<int32_t>(pairs));
    for (uint32_t i = 0; i < pairs; ++i) {
        int high = hexValue(chars_[2 * i]);
        int low = hexValue(chars_[2 * i + 1]);
        bytes->add(static_cast<uint8_t>(((high < 0 ? 0 : high) << 4) | (low < 0 ? 0 : low)));
    }
    return bytes;
}

bool StrBuffer::isInteger() const {
    if (length_ == 0)
        return false;
    uint32_t i = (chars_[0] == u'-' && length_ > 1) ? 1 : 0;
    for (; i < length_; ++i) {
        if (chars_[i] < u'0' || chars_[i] > u'9')
            return false;
    }
    return true;
}

}  // namespace s::str::strbuffer
