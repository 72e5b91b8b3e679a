#include "time/text_slots.h"

namespace s::time {

namespace {

struct TextSlot {
    char16_t units[kTextSlotUnits + 1];
};

TextSlot morning{u"AM"};
TextSlot afternoon{u"PM"};
TextSlot suffix{u"s"};

void store(TextSlot& slot, const char16_t* text, int32_t count) {
    int32_t n = 0;
    if (text != nullptr) {
        while (n < kTextSlotUnits && (count < 0 ? text[n] != 0 : n < count)) {
            slot.units[n] = text[n];
            ++n;
        }
    }
    slot.units[n] = 0;
}

}  // namespace

void setMorningMarker(const char16_t* text, int32_t count) {
    store(morning, text, count);
}
void setAfternoonMarker(const char16_t* text, int32_t count) {
    store(afternoon, text, count);
}
void setSecondsSuffix(const char16_t* text, int32_t count) {
    store(suffix, text, count);
}

const char16_t* morningMarker() {
    return morning.units;
}
const char16_t* afternoonMarker() {
    return afternoon.units;
}
const char16_t* secondsSuffix() {
    return suffix.units;
}

}  // namespace s::time
