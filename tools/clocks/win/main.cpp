// tellavo-clocks: prints the pick-up list or the all-zones list as the clock window shows
// it, built by the program's own code from the program's own zone database, language pack
// and settings. It never writes the settings.
#include <windows.h>

#include <cstdint>

#include "app/tellavo/clock_columns.h"
#include "app/tellavo/clock_texts.h"
#include "app/tellavo/dialog.h"
#include "base/str_buffer.h"
#include "gui/win/list_box2.h"
#include "lang/localizer.h"
#include "lang/win/lang_resource.h"
#include "persist/map/i_mapped_data.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_store.h"
#include "persist/xml/mapped_data.h"
#include "time/clock.h"
#include "tools/clocks/clock_args.h"
#include "tools/clocks/clock_table.h"

namespace {

namespace tellavo = s::time::gui::dialogs::tellavo;
using s::tools::clocks::ClockArgs;
using s::tools::clocks::HourForm;
using s::tools::clocks::ListChoice;

constexpr int kExitBadArguments = 2;

void writeAll(HANDLE handle, const char* bytes, DWORD count) {
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes, count, &written, nullptr) || written == 0)
            return;
        bytes += written;
        count -= written;
    }
}

void writeUtf8(HANDLE handle, const s::str::StrBuffer& text) {
    if (text.isEmpty())
        return;
    const auto* units = reinterpret_cast<const wchar_t*>(text.rawChars());
    int size = WideCharToMultiByte(CP_UTF8, 0, units, text.length(), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return;
    char* bytes = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(size)));
    if (bytes == nullptr)
        return;
    WideCharToMultiByte(CP_UTF8, 0, units, text.length(), bytes, size, nullptr, nullptr);
    writeAll(handle, bytes, static_cast<DWORD>(size));
    HeapFree(GetProcessHeap(), 0, bytes);
}

// The store the program itself uses: HKCU "Software\Kivo\" + the settings id + "\SaveData".
s::map::IMappedData* openProgramStore(s::lang::Localizer& localizer) {
    const char16_t* id = localizer.text(tellavo::kTextSettingsId);
    s::str::StrBuffer path(u"Software\\Kivo\\");
    path.appendText(*id != 0 ? id : u"Kivo Tellavo").appendText(u"\\SaveData");
    return s::reg::win::openRegistryStore(s::reg::kCurrentUser, path.text());
}

void chooseLanguage(s::lang::Localizer& localizer, s::map::IMappedData& store,
                    const ClockArgs& args) {
    if (!args.language.isEmpty()) {
        localizer.selectLanguage(args.language.text());
        return;
    }
    const char16_t* stored = store.getString(u"Language", u"", nullptr);
    if (stored != nullptr && *stored != 0)
        localizer.selectLanguage(stored);
}

void printTable(const ClockArgs& args, s::lang::Localizer& localizer, s::map::IMappedData& store,
                s::str::StrBuffer& out) {
    tellavo::Dialog* dialog = tellavo::Dialog::take();
    s::gui::win::ListBox2* list = s::gui::win::ListBox2::take();
    if (dialog == nullptr || list == nullptr) {
        if (dialog != nullptr)
            dialog->release();
        if (list != nullptr)
            list->release();
        return;
    }
    dialog->bind(&localizer, &store);
    dialog->settings().setReadOnly(true);
    dialog->readViewSettings();
    bool twelveHour = args.hourForm == HourForm::kStored ? dialog->showInAmPm()
                                                         : args.hourForm == HourForm::kTwelve;
    dialog->copyTimeTexts();
    bool pickUp = args.list == ListChoice::kPickUp;
    if (pickUp) {
        tellavo::setUpPickUpColumns(*list, &localizer);
        dialog->attachLists(list, nullptr);
        dialog->loadPickUpList();
    } else {
        tellavo::setUpAllZonesColumns(*list, &localizer);
        dialog->attachLists(nullptr, list);
        dialog->buildAllZonesList();
    }
    // What the first cycle of the update task does to freshly built rows.
    dialog->switchTimeFormat(twelveHour);
    s::tools::clocks::appendClockTable(*list, pickUp, out);
    dialog->release();
    list->release();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ClockArgs args;
    if (!s::tools::clocks::parseClockArgs(
            argc - 1, reinterpret_cast<const char16_t* const*>(argv + 1), args)) {
        const char* usage = s::tools::clocks::clockArgsUsage();
        HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
        writeAll(error, usage, static_cast<DWORD>(lstrlenA(usage)));
        writeAll(error, "\n", 1);
        return kExitBadArguments;
    }
    // Before anything reads the clock or loads the zone database.
    if (args.hasMoment)
        s::time::setClockOverride(args.momentSeconds);

    s::lang::Localizer* localizer = s::lang::win::loadLanguagePack();
    if (localizer == nullptr)
        return 1;
    s::map::IMappedData* store = args.settingsFile.isEmpty()
                                     ? openProgramStore(*localizer)
                                     : s::xml::MappedData::createForFile(args.settingsFile.text());
    if (store == nullptr) {
        localizer->release();
        return 1;
    }
    chooseLanguage(*localizer, *store, args);

    s::str::StrBuffer out;
    printTable(args, *localizer, *store, out);
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(output, &mode))
        SetConsoleOutputCP(CP_UTF8);
    writeUtf8(output, out);

    store->release();
    localizer->release();
    return 0;
}
