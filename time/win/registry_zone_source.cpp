#include "time/win/registry_zone_source.h"

#include "base/array.h"
#include "base/str_buffer.h"
#include "persist/win/reg_dir.h"
#include "time/platform.h"

namespace s::time {

namespace win {

namespace {

// Reads a text value into `out`; false when it is missing or not a text. The address of
// `kMissing` tells a missing value apart from any stored text.
bool readText(reg::win::RegDir& key, const char16_t* name, str::StrBuffer& out) {
    static const char16_t kMissing[] = u"";
    const char16_t* text = key.getText(name, kMissing, nullptr, true);
    if (text == kMissing)
        return false;
    out.setText(text);
    return true;
}

}  // namespace

void RegistryZoneSource::readAll(IZoneRecordSink& sink) {
    reg::win::RegDir* zones = reg::win::RegDir::takeOpen(root_, path_);
    if (zones == nullptr)
        return;
    col::ArrayP* keys = zones->isOpen() ? zones->subkeys() : nullptr;
    if (keys != nullptr) {
        str::StrBuffer display;
        str::StrBuffer standard;
        str::StrBuffer daylight;
        col::ArrayU08 tzi;
        for (int32_t i = 0; i < keys->count(); ++i) {
            reg::win::RegDir& key = *keys->getAs<reg::win::RegDir>(i);
            ZoneRecord record{};
            record.display = readText(key, u"Display", display) ? display.text() : nullptr;
            record.standard = readText(key, u"Std", standard) ? standard.text() : nullptr;
            record.daylight = readText(key, u"Dlt", daylight) ? daylight.text() : nullptr;
            tzi.clear();
            if (key.getBinary(u"TZI", &tzi) != nullptr) {
                record.tzi = tzi.data();
                record.tziSize = tzi.count();
            }
            sink.add(record);
        }
        keys->release();
    }
    zones->release();
}

}  // namespace win

IZoneRecordSource& platformZoneRecords() {
    static win::RegistryZoneSource source;
    return source;
}

}  // namespace s::time
