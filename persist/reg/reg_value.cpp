#include "persist/reg/reg_value.h"

#include <cstring>

#include "base/array.h"

namespace s::reg {

namespace {

char16_t unitAt(const uint8_t* bytes, uint32_t i) {
    // Little-endian, read bytewise: the data need not be aligned.
    return static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

}  // namespace

void textOfValue(const uint8_t* bytes, uint32_t size, str::StrBuffer& out) {
    out.clear();
    if (bytes == nullptr)
        return;
    uint32_t units = size / 2;
    uint32_t n = 0;
    while (n < units && unitAt(bytes, n) != 0)
        ++n;
    out.reserve(static_cast<int32_t>(n));
    for (uint32_t i = 0; i < n; ++i)
        out.appendUnit(unitAt(bytes, i));
}

void textsOfMultiValue(const uint8_t* bytes, uint32_t size, str::StrArray& out) {
    if (bytes == nullptr)
        return;
    uint32_t units = size / 2;
    uint32_t i = 0;
    while (i < units) {
        uint32_t start = i;
        while (i < units && unitAt(bytes, i) != 0)
            ++i;
        if (i == start)
            break;  // the empty text ends the list
        str::StrBuffer* piece = str::StrBuffer::take();
        if (piece == nullptr)
            return;
        piece->reserve(static_cast<int32_t>(i - start));
        for (uint32_t k = start; k < i; ++k)
            piece->appendUnit(unitAt(bytes, k));
        out.add(piece);
        ++i;  // past the terminator (or the end)
    }
}

void multiValueOfTexts(const str::StrArray& texts, col::ArrayU08& out) {
    static const uint8_t kZero[2] = {0, 0};
    for (int32_t i = 0; i < texts.count(); ++i) {
        const str::StrBuffer* piece = texts.at(i);
        if (piece->length() == 0)
            continue;  // an empty text would end the list early
        out.append(piece->rawChars(), piece->length() * 2);
        out.append(kZero, 2);
    }
    out.append(kZero, 2);
}

uint32_t textUnits(const char16_t* text) {
    uint32_t n = 0;
    if (text != nullptr) {
        while (text[n] != 0)
            ++n;
    }
    return n;
}

}  // namespace s::reg
