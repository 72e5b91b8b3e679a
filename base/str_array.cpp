#include "base/str_array.h"

namespace s::str::strarray {

StrArray::StrArray() {
    items_.setDisposer(&StrBuffer::pool());
}

void StrArray::reset() {
    items_.freeStorage();
    items_.setDisposer(&StrBuffer::pool());
}

StrBuffer* StrArray::addText(const char16_t* text, int32_t count) {
    StrBuffer* buffer = StrBuffer::take();
    if (!buffer)
        return nullptr;
    buffer->setText(text, count);
    items_.add(buffer);
    return buffer;
}

bool StrArray::indexOf(const char16_t* text, int32_t& out, bool ignoreCase) const {
    for (int32_t i = 0; i < items_.count(); ++i) {
        StrBuffer* item = at(i);
        if (ignoreCase ? item->equalsIgnoreCase(text) : item->equals(text)) {
            out = i;
            return true;
        }
    }
    return false;
}

void StrArray::sort() {
    items_.sortAs<StrBuffer>(
        [](const StrBuffer* a, const StrBuffer* b) { return a->compareIgnoreCase(*b); });
}

}  // namespace s::str::strarray
