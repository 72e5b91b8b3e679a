#include "persist/reg/i_reg_dir.h"

#include "persist/reg/reg_value.h"

namespace s::reg {

namespace {

const char16_t kEmpty[] = u"";

}  // namespace

bool IRegDir::setText(const char16_t* name, const char16_t* text) {
    if (text == nullptr)
        text = kEmpty;
    return setRaw(name, kTypeSz, text, (textUnits(text) + 1) * 2);
}

bool IRegDir::setExpandableText(const char16_t* name, const char16_t* text) {
    if (text == nullptr)
        text = kEmpty;
    return setRaw(name, kTypeExpandSz, text, (textUnits(text) + 1) * 2);
}

bool IRegDir::setBinary(const char16_t* name, const uint8_t* bytes, int32_t count) {
    if (bytes == nullptr || count < 0)
        count = 0;
    return setRaw(name, kTypeBinary, bytes, static_cast<uint32_t>(count));
}

bool IRegDir::setTextList(const char16_t* name, const str::StrArray& texts) {
    col::ArrayU08* bytes = col::ArrayU08::take();
    if (bytes == nullptr)
        return false;
    multiValueOfTexts(texts, *bytes);
    bool ok = setRaw(name, kTypeMultiSz, bytes->data(), static_cast<uint32_t>(bytes->count()));
    bytes->release();
    return ok;
}

}  // namespace s::reg
