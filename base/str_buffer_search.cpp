#include "base/str_buffer.h"

#include "base/str_units.h"

namespace s::str::strbuffer {

namespace {

inline bool sameUnit(char16_t a, char16_t b, bool fold) {
    return fold ? lowerAscii(a) == lowerAscii(b) : a == b;
}

inline bool inSet(char16_t u, const char16_t* set, int32_t count, bool fold) {
    for (int32_t i = 0; i < count; ++i) {
        if (sameUnit(u, set[i], fold))
            return true;
    }
    return false;
}

// `before` read as an unsigned position: negative values and kFromEnd mean the end.
inline uint32_t searchEnd(int32_t before, uint32_t length) {
    uint32_t b = static_cast<uint32_t>(before);
    return b >= length ? length : b;
}

inline uint32_t searchStart(int32_t from) {
    return from < 0 ? 0 : static_cast<uint32_t>(from);
}

}  // namespace

bool StrBuffer::indexOf(char16_t unit, int32_t& out, int32_t from) const {
    for (uint32_t i = searchStart(from); i < length_; ++i) {
        if (chars_[i] == unit) {
            out = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool StrBuffer::indexOfIgnoreCase(char16_t unit, int32_t& out, int32_t from) const {
    for (uint32_t i = searchStart(from); i < length_; ++i) {
        if (sameUnit(chars_[i], unit, true)) {
            out = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool StrBuffer::indexOfAny(const char16_t* set, int32_t count, int32_t& out, int32_t from) const {
    count = resolveCount(set, count);
    for (uint32_t i = searchStart(from); i < length_; ++i) {
        if (inSet(chars_[i], set, count, false)) {
            out = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool StrBuffer::indexOfAnyIgnoreCase(const char16_t* set, int32_t count, int32_t& out,
                                     int32_t from) const {
    count = resolveCount(set, count);
    for (uint32_t i = searchStart(from); i < length_; ++i) {
        if (inSet(chars_[i], set, count, true)) {
            out = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool StrBuffer::lastMatch(char16_t unit, bool fold, int32_t& out, int32_t before) const {
    for (uint32_t i = searchEnd(before, length_); i > 0; --i) {
        if (sameUnit(chars_[i - 1], unit, fold)) {
            out = static_cast<int32_t>(i - 1);
            return true;
        }
    }
    return false;
}

bool StrBuffer::lastMatchAny(const char16_t* set, int32_t count, bool fold, int32_t& out,
                             int32_t before) const {
    count = resolveCount(set, count);
    for (uint32_t i = searchEnd(before, length_); i > 0; --i) {
        if (inSet(chars_[i - 1], set, count, fold)) {
            out = static_cast<int32_t>(i - 1);
            return true;
        }
    }
    return false;
}

bool StrBuffer::lastIndexOf(char16_t unit, int32_t& out, int32_t before) const {
    return lastMatch(unit, false, out, before);
}

bool StrBuffer::lastIndexOfIgnoreCase(char16_t unit, int32_t& out, int32_t before) const {
    return lastMatch(unit, true, out, before);
}

bool StrBuffer::lastIndexOfAny(const char16_t* set, int32_t count, int32_t& out,
                               int32_t before) const {
    return lastMatchAny(set, count, false, out, before);
}

bool StrBuffer::lastIndexOfAnyIgnoreCase(const char16_t* set, int32_t count, int32_t& out,
                                         int32_t before) const {
    return lastMatchAny(set, count, true, out, before);
}

bool StrBuffer::findText(const char16_t* text, bool fold, int32_t& out, int32_t from) const {
    const uint32_t n = static_cast<uint32_t>(unitLength(text));
    if (n == 0 || n > length_)
        return false;
    for (uint32_t i = searchStart(from); i + n <= length_; ++i) {
        uint32_t k = 0;
        while (k < n && sameUnit(chars_[i + k], text[k], fold))
            ++k;
        if (k == n) {
            out = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool StrBuffer::findLastText(const char16_t* text, bool fold, int32_t& out, int32_t before) const {
    const uint32_t n = static_cast<uint32_t>(unitLength(text));
    const uint32_t end = searchEnd(before, length_);
    if (n == 0 || n > end)
        return false;
    for (uint32_t i = end - n + 1; i > 0; --i) {
        uint32_t k = 0;
        while (k < n && sameUnit(chars_[i - 1 + k], text[k], fold))
            ++k;
        if (k == n) {
            out = static_cast<int32_t>(i - 1);
            return true;
        }
    }
    return false;
}

bool StrBuffer::find(const char16_t* text, int32_t& out, int32_t from) const {
    return findText(text, false, out, from);
}

bool StrBuffer::findIgnoreCase(const char16_t* text, int32_t& out, int32_t from) const {
    return findText(text, true, out, from);
}

bool StrBuffer::findLast(const char16_t* text, int32_t& out, int32_t before) const {
    return findLastText(text, false, out, before);
}

bool StrBuffer::findLastIgnoreCase(const char16_t* text, int32_t& out, int32_t before) const {
    return findLastText(text, true, out, before);
}

bool StrBuffer::contains(const char16_t* text) const {
    int32_t at;
    return find(text, at, 0);
}

namespace {

bool regionMatches(const char16_t* chars, uint32_t length, int32_t at, const char16_t* text,
                   int32_t textFrom, int32_t count, bool fold) {
    if (at < 0 || textFrom < 0 || static_cast<uint32_t>(at) > length)
        return false;
    if (!text)
        return count <= 0 && (count == 0 || static_cast<uint32_t>(at) == length);
    const uint32_t left = length - static_cast<uint32_t>(at);
    if (count < 0) {
        // The rest of `text` must reach exactly to the end of this buffer.
        const int32_t textLength = unitLength(text);
        if (textFrom > textLength)
            return false;
        if (static_cast<uint32_t>(textLength - textFrom) != left)
            return false;
        count = static_cast<int32_t>(left);
    } else if (static_cast<uint32_t>(count) > left) {
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (!sameUnit(chars[at + i], text[textFrom + i], fold))
            return false;
    }
    return true;
}

int32_t compareFrom(const char16_t* chars, uint32_t length, int32_t at, const char16_t* text,
                    int32_t textFrom, int32_t count, bool fold) {
    if (at < 0 || static_cast<uint32_t>(at) > length)
        return -1;
    if (!text)
        text = u"";
    if (textFrom < 0)
        textFrom = 0;
    for (int64_t i = 0; count < 0 || i < count; ++i) {
        const uint64_t pos = uint64_t(at) + uint64_t(i);
        char16_t a = pos < length ? chars[pos] : 0;
        char16_t b = text[textFrom + i];
        if (fold) {
            a = lowerAscii(a);
            b = lowerAscii(b);
        }
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            return 0;  // both texts ended
    }
    return 0;
}

}  // namespace

bool StrBuffer::regionEquals(int32_t at, const char16_t* text, int32_t textFrom,
                             int32_t count) const {
    return regionMatches(chars_, length_, at, text, textFrom, count, false);
}

bool StrBuffer::regionEqualsIgnoreCase(int32_t at, const char16_t* text, int32_t textFrom,
                                       int32_t count) const {
    return regionMatches(chars_, length_, at, text, textFrom, count, true);
}

bool StrBuffer::startsWith(const char16_t* text, int32_t count) const {
    return regionMatches(chars_, length_, 0, text, 0, resolveCount(text, count), false);
}

bool StrBuffer::startsWithIgnoreCase(const char16_t* text, int32_t count) const {
    return regionMatches(chars_, length_, 0, text, 0, resolveCount(text, count), true);
}

bool StrBuffer::endsWith(const char16_t* text, int32_t count) const {
    const int32_t n = resolveCount(text, count);
    if (static_cast<uint32_t>(n) > length_)
        return false;
    return regionMatches(chars_, length_, static_cast<int32_t>(length_) - n, text, 0, n, false);
}

bool StrBuffer::endsWithIgnoreCase(const char16_t* text, int32_t count) const {
    const int32_t n = resolveCount(text, count);
    if (static_cast<uint32_t>(n) > length_)
        return false;
    return regionMatches(chars_, length_, static_cast<int32_t>(length_) - n, text, 0, n, true);
}

int32_t StrBuffer::compareAt(int32_t at, const char16_t* text, int32_t textFrom,
                             int32_t count) const {
    return compareFrom(chars_, length_, at, text, textFrom, count, false);
}

int32_t StrBuffer::compareAtIgnoreCase(int32_t at, const char16_t* text, int32_t textFrom,
                                       int32_t count) const {
    return compareFrom(chars_, length_, at, text, textFrom, count, true);
}

}  // namespace s::str::strbuffer
