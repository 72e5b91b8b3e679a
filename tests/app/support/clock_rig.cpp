#include "tests/app/support/clock_rig.h"

#include <string>

#include "app/tellavo/clock_columns.h"
#include "base/array.h"
#include "gui/listbox2/record.h"
#include "lang/lang_reader.h"
#include "lang/localizer.h"
#include "persist/file/file_io.h"

namespace s::tests::app {

namespace tellavo = time::gui::dialogs::tellavo;

lang::Localizer* testLocalizer() {
    static lang::Localizer* localizer = [] {
        col::ArrayU08 bytes;
        io::readWholeFile(u"" TELLAVO_TEST_PACK, bytes);
        return lang::loadLanguagePack(bytes.data(), bytes.count(), 10);
    }();
    localizer->selectLanguage(u"English");
    return localizer;
}

ClockRig::ClockRig(map::IMappedData* store) {
    lang::Localizer* localizer = testLocalizer();
    tellavo::setUpPickUpColumns(pickUp, localizer);
    tellavo::setUpAllZonesColumns(allZones, localizer);
    dialog.bind(localizer, store);
    dialog.attachLists(&pickUp, &allZones);
}

ClockRig::~ClockRig() {
    dialog.reset();
}

const char16_t* ClockRig::pickUpText(int32_t row, int32_t column) {
    gui::listbox2::Record* record = pickUp.recordAt(row);
    const char16_t* text = record ? pickUp.cellText(record, record->serial(), column) : nullptr;
    return text ? text : u"";
}

const char16_t* ClockRig::allZonesText(int32_t row, int32_t column) {
    gui::listbox2::Record* record = allZones.recordAt(row);
    const char16_t* text = record ? allZones.cellText(record, record->serial(), column) : nullptr;
    return text ? text : u"";
}

const char* utf8(const char16_t* text) {
    static thread_local std::string out;
    out.clear();
    str::StrBuffer buffer(text ? text : u"");
    col::ArrayU08* bytes = buffer.toUtf8();
    if (bytes != nullptr) {
        out.assign(reinterpret_cast<const char*>(bytes->data()), bytes->count());
        bytes->release();
    }
    return out.c_str();
}

}  // namespace s::tests::app
