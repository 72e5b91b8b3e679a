#include "persist/xml/escape.h"

namespace s::xml {

namespace {

uint32_t unitsOf(const char16_t* text, int32_t count) {
    if (text == nullptr)
        return 0;
    if (count >= 0)
        return static_cast<uint32_t>(count);
    uint32_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

struct Entity {
    const char16_t* text;
    uint32_t length;
    char16_t unit;
    bool keepsBlank;  // produces a blank that trailing trimming must keep
};

constexpr Entity kAttributeEntities[] = {
    {u"&amp;", 5, u'&', false},  {u"&lt;", 4, u'<', false},   {u"&quot;", 6, u'"', false},
    {u"&#13;", 5, u'\r', false}, {u"&#10;", 5, u'\n', false},
};

constexpr Entity kTextEntities[] = {
    {u"&amp;", 5, u'&', false}, {u"&lt;", 4, u'<', false},  {u"&gt;", 4, u'>', false},
    {u"&#160;", 6, u' ', true}, {u"&#13;", 5, u'\r', true}, {u"&#10;", 5, u'\n', true},
};

template <size_t N>
const Entity* entityAt(const char16_t* at, uint32_t left, const Entity (&entities)[N]) {
    for (const Entity& entity : entities) {
        if (entity.length > left)
            continue;
        uint32_t k = 1;  // the '&' is known
        while (k < entity.length && at[k] == entity.text[k])
            ++k;
        if (k == entity.length)
            return &entity;
    }
    return nullptr;
}

}  // namespace

void escapeAttribute(const char16_t* text, int32_t count, str::StrBuffer& out) {
    uint32_t n = unitsOf(text, count);
    out.reserve(out.length() + static_cast<int32_t>(n));
    for (uint32_t i = 0; i < n; ++i) {
        switch (text[i]) {
            case u'\n':
                out.appendText(u"&#10;");
                break;
            case u'\r':
                out.appendText(u"&#13;");
                break;
            case u'"':
                out.appendText(u"&quot;");
                break;
            case u'&':
                out.appendText(u"&amp;");
                break;
            case u'<':
                out.appendText(u"&lt;");
                break;
            default:
                out.appendUnit(text[i]);
                break;
        }
    }
}

void escapeText(const char16_t* text, int32_t count, str::StrBuffer& out) {
    uint32_t n = unitsOf(text, count);
    out.reserve(out.length() + static_cast<int32_t>(n));
    for (uint32_t i = 0; i < n; ++i) {
        switch (text[i]) {
            case u'\n':
                out.appendText(u"&#10;");
                break;
            case u'\r':
                out.appendText(u"&#13;");
                break;
            case u'&':
                out.appendText(u"&amp;");
                break;
            case u'<':
                out.appendText(u"&lt;");
                break;
            case u'>':
                out.appendText(u"&gt;");
                break;
            case u' ':
                out.appendText(u"&#160;");
                break;
            default:
                out.appendUnit(text[i]);
                break;
        }
    }
}

void decodeAttribute(const char16_t* value, int32_t count, str::StrBuffer& out) {
    uint32_t n = unitsOf(value, count);
    out.reserve(out.length() + static_cast<int32_t>(n));
    for (uint32_t i = 0; i < n;) {
        if (value[i] == u'&') {
            if (const Entity* entity = entityAt(value + i, n - i, kAttributeEntities)) {
                out.appendUnit(entity->unit);
                i += entity->length;
                continue;
            }
        }
        out.appendUnit(value[i++]);
    }
}

void decodeText(const char16_t* value, int32_t count, str::StrBuffer& out) {
    uint32_t n = unitsOf(value, count);
    uint32_t i = 0;
    while (i < n && isBlank(value[i]))
        ++i;
    out.reserve(out.length() + static_cast<int32_t>(n - i));
    int32_t keep = out.length();  // trimming never goes below this
    while (i < n) {
        if (value[i] == u'&') {
            if (const Entity* entity = entityAt(value + i, n - i, kTextEntities)) {
                out.appendUnit(entity->unit);
                if (entity->keepsBlank)
                    keep = out.length();
                i += entity->length;
                continue;
            }
        }
        out.appendUnit(value[i++]);
    }
    out.trimEndTo(keep);
}

}  // namespace s::xml
