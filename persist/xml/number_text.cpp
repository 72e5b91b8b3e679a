#include "persist/xml/number_text.h"

#include <cstdlib>

namespace s::xml {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

int64_t parseSignedDecimal(const char16_t* text) {
    if (text == nullptr)
        return 0;
    while (isBlank(*text))
        ++text;
    bool negative = false;
    if (*text == u'-' || *text == u'+')
        negative = *text++ == u'-';
    uint64_t value = 0;
    for (; isDigit(*text); ++text)
        value = value * 10 + static_cast<uint64_t>(*text - u'0');
    if (negative)
        value = 0 - value;
    return static_cast<int64_t>(value);
}

uint64_t parseUnsignedDecimal(const char16_t* text) {
    if (text == nullptr)
        return 0;
    uint64_t value = 0;
    for (; isDigit(*text); ++text)
        value = value * 10 + static_cast<uint64_t>(*text - u'0');
    return value;
}

double parseDecimalDouble(const char16_t* text) {
    if (text == nullptr)
        return 0;
    while (isBlank(*text))
        ++text;
    // Copy the number's own characters to a narrow buffer; strtod then does the rounding.
    // The program never changes LC_NUMERIC, so '.' is the decimal point.
    char narrow[400];
    int n = 0;
    auto take = [&](char16_t c) {
        if (n < static_cast<int>(sizeof(narrow)) - 1)
            narrow[n++] = static_cast<char>(c);
    };
    if (*text == u'-' || *text == u'+')
        take(*text++);
    while (isDigit(*text))
        take(*text++);
    if (*text == u'.') {
        take(*text++);
        while (isDigit(*text))
            take(*text++);
    }
    if (*text == u'e' || *text == u'E') {
        const char16_t* mark = text;
        int before = n;
        take(*text++);
        if (*text == u'-' || *text == u'+')
            take(*text++);
        if (!isDigit(*text)) {
            n = before;  // "1e" is the number 1
            text = mark;
        }
        while (isDigit(*text))
            take(*text++);
    }
    narrow[n] = 0;
    return std::strtod(narrow, nullptr);
}

}  // namespace s::xml
