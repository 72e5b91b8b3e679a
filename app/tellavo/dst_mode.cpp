#include "app/tellavo/dst_mode.h"

#include "app/tellavo/clock_texts.h"
#include "base/str_buffer.h"

namespace s::time::gui::dialogs::tellavo {

const char16_t* dstModeWord(int32_t mode) {
    switch (mode) {
        case kDstOn:
            return u"On";
        case kDstOff:
            return u"Off";
        default:
            return u"NotAvailable";
    }
}

int32_t dstModeFromWord(const char16_t* word) {
    if (word == nullptr)
        return kDstNotAvailable;
    str::StrBuffer text(word);
    if (text.equalsIgnoreCase(u"On"))
        return kDstOn;
    if (text.equalsIgnoreCase(u"Off"))
        return kDstOff;
    return kDstNotAvailable;
}

int32_t dstModeTextId(int32_t mode) {
    switch (mode) {
        case kDstOn:
            return kTextDstOn;
        case kDstOff:
            return kTextDstOff;
        default:
            return 0;
    }
}

}  // namespace s::time::gui::dialogs::tellavo
