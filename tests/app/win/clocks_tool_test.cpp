// tellavo-clocks run as a child process, on the computer of this run (Wine's TZ), at the
// summer noon: what it prints, in which bytes, and what it leaves alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/tellavo/clock_texts.h"
#include "app/tellavo/preset.h"
#include "base/array.h"
#include "base/str_buffer.h"
#include "lang/localizer.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"
#include "persist/xml/mapped_data.h"
#include "tests/app/support/clock_rig.h"
#include "tests/app/support/store_cases.h"
#include "tests/app/win/win_environment.h"
#include "thread/win/handle.h"
#include "time/time_zone.h"
#include "time/zone_database.h"
#include "tools/clocks/clock_args.h"

namespace s::tests::app {
namespace {

namespace tellavo = time::gui::dialogs::tellavo;
using thread::win::Handle;

constexpr DWORD kToolTimeoutMs = 60000;

struct ToolRun {
    bool finished = false;
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

std::u16string tempPath(const char16_t* stem, const char16_t* extension) {
    static std::atomic<int32_t> serial{0};
    wchar_t folder[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    std::u16string path(reinterpret_cast<const char16_t*>(folder), length);
    std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    path += stem;
    path += u"-";
    path.append(unique.begin(), unique.end());
    path += extension;
    return path;
}

const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

bool fileExists(const std::u16string& path) {
    return GetFileAttributesW(wide(path)) != INVALID_FILE_ATTRIBUTES;
}

std::string readFile(const std::u16string& path) {
    Handle file(CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.detach();
        return "<unreadable>";
    }
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    return bytes;
}

void writeFile(const std::u16string& path, const std::string& bytes) {
    Handle file(CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

// An inheritable handle on a new file (or on NUL for reading).
Handle inheritableFile(const std::u16string& path, bool forWriting) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileW(wide(path), forWriting ? GENERIC_WRITE : GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              forWriting ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
    return Handle(file != INVALID_HANDLE_VALUE ? file : nullptr);
}

std::u16string toolPath() {
    std::u16string path = u"" TELLAVO_CLOCKS_TOOL;
    for (char16_t& unit : path)
        unit = unit == u'/' ? u'\\' : unit;
    return path;
}

// Runs the tool with the arguments, stdin from NUL, stdout and stderr into files.
ToolRun runTool(std::initializer_list<std::u16string> arguments) {
    ToolRun run;
    std::u16string program = toolPath();
    std::u16string commandLine = u"\"" + program + u"\"";
    for (const std::u16string& argument : arguments) {
        bool quote = argument.empty() || argument.find(u' ') != std::u16string::npos;
        commandLine += quote ? u" \"" + argument + u"\"" : u" " + argument;
    }
    std::u16string outPath = tempPath(u"tellavo-clocks", u".out");
    std::u16string errPath = tempPath(u"tellavo-clocks", u".err");
    {
        Handle in = inheritableFile(u"NUL", false);
        Handle out = inheritableFile(outPath, true);
        Handle err = inheritableFile(errPath, true);
        EXPECT_TRUE(in && out && err);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in.get();
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        PROCESS_INFORMATION process{};
        std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
        line.push_back(0);
        if (!CreateProcessW(wide(program), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &process)) {
            ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
        } else {
            Handle child(process.hProcess);
            Handle childThread(process.hThread);
            run.finished = WaitForSingleObject(child.get(), kToolTimeoutMs) == WAIT_OBJECT_0;
            if (!run.finished)
                TerminateProcess(child.get(), 99);
            GetExitCodeProcess(child.get(), &run.exitCode);
        }
    }
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    DeleteFileW(wide(outPath));
    DeleteFileW(wide(errPath));
    return run;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

// The lines of a table: every line ends in "\n", nothing else ends one.
std::vector<std::string> tableLines(const ToolRun& run) {
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    if (run.out.empty())
        return {};
    EXPECT_EQ(run.out.back(), '\n');
    std::vector<std::string> lines = split(run.out.substr(0, run.out.size() - 1), '\n');
    for (const std::string& line : lines)
        EXPECT_EQ(split(line, '\t').size(), 5u) << line;
    return lines;
}

// The line whose first cell (after the check mark, when there is one) is `name`.
const std::string* lineOf(const std::vector<std::string>& lines, const std::string& name) {
    for (const std::string& line : lines) {
        std::string first = split(line, '\t')[0];
        if (first == name || (first.size() > 4 && first.substr(4) == name))
            return &line;
    }
    return nullptr;
}

std::string utf8Of(const char16_t* text) {
    return utf8(text);
}

std::string zoneDetail(const char16_t* standardName, bool daylightOn) {
    const time::TimeZone* zone = time::findByStandardName(standardName);
    if (zone == nullptr)
        return "<no zone>";
    return utf8Of(zone->displayName.text()) + (daylightOn ? " (DST Auto-Adjust)" : "");
}

// The gap a computer of this run shows; "" when the run is neither Tokyo nor New York.
std::string gapFor(const char* fromNewYork, const char* fromTokyo) {
    switch (winComputer()) {
        case WinComputer::kNewYork:
            return fromNewYork;
        case WinComputer::kTokyo:
            return fromTokyo;
        default:
            return "";
    }
}

// Cells 1 to 4 of the line of `name` (expected[0] stands for the name and is not compared).
void expectLine(const std::vector<std::string>& lines, const std::string& name,
                const std::vector<std::string>& expected) {
    const std::string* line = lineOf(lines, name);
    ASSERT_NE(line, nullptr) << name;
    std::vector<std::string> cells = split(*line, '\t');
    for (size_t i = 1; i < expected.size() && i < cells.size(); ++i) {
        // An empty expected gap: this computer's gaps are not in the table.
        if (i == 2 && expected[i].empty())
            continue;
        EXPECT_EQ(cells[i], expected[i]) << name << " cell " << i;
    }
}

class ClocksToolTest : public testing::Test {
protected:
    ~ClocksToolTest() override {
        for (const std::u16string& path : files)
            DeleteFileW(wide(path));
    }

    // A settings file name of this test (deleted afterwards); the file is not created.
    std::u16string settingsFile() {
        files.push_back(tempPath(u"tellavo-settings", u".xml"));
        return files.back();
    }

    // A settings file holding what `fill` writes into an XML store.
    template <class Fill>
    std::u16string writtenSettings(Fill fill) {
        std::u16string path = settingsFile();
        xml::MappedData* store = xml::MappedData::createForFile(path.c_str());
        fill(*store);
        EXPECT_TRUE(store->save());
        store->release();
        return path;
    }

    std::vector<std::u16string> files;
};

TEST_F(ClocksToolTest, ThePresetAtTheMomentWithItsTimesGapsAndMarks) {
    ToolRun run =
        runTool({u"--at", kSummerNoonText, u"--lang", u"English", u"--settings", settingsFile()});
    std::vector<std::string> lines = tableLines(run);

    // The preset's places in preset order, as far as the database has their zones.
    std::vector<std::string> names;
    lang::Localizer& english = *testLocalizer();
    for (const tellavo::PresetPlace& place : tellavo::kPresetPlaces) {
        if (time::findByStandardName(place.standardName) != nullptr) {
            names.push_back("[ ] " + utf8Of(english.text(place.nameId)));
        }
    }
    ASSERT_EQ(lines.size(), names.size());
    EXPECT_EQ(static_cast<int32_t>(lines.size()), expectedPresetCount());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(split(lines[i], '\t')[0], names[i]);

    // Stored "ShowInAmPm" is missing: the 12-hour form.
    expectLine(lines, "Hawaii",
               {"", "  1     2:00  AM   00s", gapFor("(-06:00)", "(-19:00)"), "",
                zoneDetail(u"Hawaiian Standard Time", false)});
    expectLine(lines, "Eastern Time (US & Canada)",
               {"", "  1     8:00  AM   00s", gapFor("(+00:00)", "(-13:00)"), "ON",
                zoneDetail(u"Eastern Standard Time", true)});
    expectLine(lines, "UK",
               {"", "  1     1:00  PM   00s", gapFor("(+05:00)", "(-08:00)"), "ON",
                zoneDetail(u"GMT Standard Time", true)});
    expectLine(lines, "India",
               {"", "  1     5:30  PM   00s", gapFor("(+09:30)", "(-03:30)"), "",
                zoneDetail(u"India Standard Time", false)});
    expectLine(lines, "Japan",
               {"", "  1     9:00  PM   00s", gapFor("(+13:00)", "(+00:00)"), "",
                zoneDetail(u"Tokyo Standard Time", false)});
    // Southern winter; the next day already.
    expectLine(lines, "New Zealand",
               {"", "  2   12:00  AM   00s", gapFor("(+16:00)", "(+03:00)"), "ON",
                zoneDetail(u"New Zealand Standard Time", true)});
}

TEST_F(ClocksToolTest, TheProgramsRegistryStoreIsOnlyRead) {
    std::u16string settingsId = testLocalizer()->text(tellavo::kTextSettingsId);
    std::u16string product = u"Software\\Kivo\\" + settingsId;
    auto snapshot = [&](uint32_t& keys, uint32_t& values) {
        reg::win::RegDir* key = reg::win::RegDir::takeOpen(reg::kCurrentUser, product.c_str());
        bool exists = key->exists();
        keys = values = 0;
        uint64_t size = exists ? key->dataSize(true, &keys, &values) : 0;
        key->release();
        return exists ? static_cast<int64_t>(size) : -1;
    };
    uint32_t keysBefore, valuesBefore, keysAfter, valuesAfter;
    int64_t before = snapshot(keysBefore, valuesBefore);
    ToolRun run = runTool({u"--at", kSummerNoonText});
    std::vector<std::string> lines = tableLines(run);
    EXPECT_EQ(snapshot(keysAfter, valuesAfter), before);
    EXPECT_EQ(keysAfter, keysBefore);
    EXPECT_EQ(valuesAfter, valuesBefore);
    if (before < 0) {
        // Nothing stored: the same preset as from an empty settings file.
        EXPECT_EQ(run.out, runTool({u"--at", kSummerNoonText, u"--settings", settingsFile()}).out);
    } else {
        std::printf(
            "[ note     ] the program's settings exist; its list was printed, not compared\n");
    }
}

TEST_F(ClocksToolTest, TheAllZonesListHasTwoRowsForADaylightZone) {
    ToolRun run = runTool({u"--list", u"all", u"--at", kSummerNoonText, u"--lang", u"English",
                           u"--24h", u"--settings", settingsFile()});
    std::vector<std::string> lines = tableLines(run);
    size_t rows = 0;
    const col::ArrayP& zones = time::allZones();
    for (int32_t i = 0; i < zones.count(); ++i)
        rows += zones.getAs<time::TimeZone>(i)->hasDaylight ? 2 : 1;
    EXPECT_EQ(lines.size(), rows);
    for (const std::string& line : lines)
        EXPECT_NE(line.rfind("[", 0), 0u) << line;

    size_t eastern = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (split(lines[i], '\t')[4] == "Eastern Standard Time")
            eastern = i;
    }
    ASSERT_LT(eastern + 1, lines.size());
    std::string gapOff = gapFor("(-01:00)", "(-14:00)");
    std::string gapOn = gapFor("(+00:00)", "(-13:00)");
    std::vector<std::string> off = split(lines[eastern], '\t');
    std::vector<std::string> on = split(lines[eastern + 1], '\t');
    EXPECT_EQ(off[0], zoneDetail(u"Eastern Standard Time", false));
    EXPECT_EQ(off[1], "  1   07:00   00s");
    EXPECT_EQ(off[3], "OFF");
    EXPECT_EQ(on[0], zoneDetail(u"Eastern Standard Time", true));
    EXPECT_EQ(on[1], "  1   08:00   00s");
    EXPECT_EQ(on[3], "ON");
    EXPECT_EQ(on[4], "Eastern Standard Time (DST Auto-Adjust)");
    if (!gapOn.empty()) {
        EXPECT_EQ(off[2], gapOff);
        EXPECT_EQ(on[2], gapOn);
    }
    const std::string* tokyo = lineOf(lines, zoneDetail(u"Tokyo Standard Time", false));
    ASSERT_NE(tokyo, nullptr);
    std::vector<std::string> cells = split(*tokyo, '\t');
    EXPECT_EQ(cells[1], "  1   21:00   00s");
    EXPECT_EQ(cells[3], "");
    EXPECT_EQ(cells[4], "Tokyo Standard Time");
}

TEST_F(ClocksToolTest, TheChosenLanguageInUtf8Bytes) {
    const char16_t* const languages[] = {u"Japanese", u"Italian", u"Russian"};
    lang::Localizer& localizer = *testLocalizer();
    for (const char16_t* language : languages) {
        ToolRun run = runTool({u"--lang", language, u"--at", kSummerNoonText, u"--ampm",
                               u"--settings", settingsFile()});
        std::vector<std::string> lines = tableLines(run);
        localizer.selectLanguage(language);
        std::string japan = utf8Of(localizer.text(7028000));
        std::string eastern = utf8Of(localizer.text(7006000));
        std::string on = utf8Of(localizer.text(tellavo::kTextDstOn));
        std::string autoAdjust = utf8Of(localizer.text(tellavo::kTextDstAutoAdjust));
        std::string pm = utf8Of(localizer.text(tellavo::kTextAfternoonMarker));
        std::string seconds = utf8Of(localizer.text(tellavo::kTextSecondsSuffix));
        testLocalizer();  // English again
        ASSERT_EQ(static_cast<int32_t>(lines.size()), expectedPresetCount()) << utf8(language);
        expectLine(lines, japan,
                   {"", "  1     9:00  " + pm + "   00" + seconds, "", "",
                    zoneDetail(u"Tokyo Standard Time", false)});
        const std::string* line = lineOf(lines, eastern);
        ASSERT_NE(line, nullptr) << utf8(language);
        std::vector<std::string> cells = split(*line, '\t');
        EXPECT_EQ(cells[3], on);
        EXPECT_EQ(cells[4],
                  utf8Of(time::findByStandardName(u"Eastern Standard Time")->displayName.text()) +
                      " (" + autoAdjust + ")");
        // The bytes are UTF-8 through and through: they decode without a replacement.
        str::StrBuffer decoded;
        decoded.fromUtf8(run.out.data(), static_cast<int32_t>(run.out.size()));
        int32_t at;
        EXPECT_FALSE(decoded.indexOf(u'\uFFFD', at, 0)) << utf8(language);
    }
    // A language the pack lacks falls back to English.
    EXPECT_EQ(
        runTool({u"--lang", u"Klingon", u"--at", kSummerNoonText, u"--settings", settingsFile()})
            .out,
        runTool({u"--lang", u"English", u"--at", kSummerNoonText, u"--settings", settingsFile()})
            .out);
}

TEST_F(ClocksToolTest, TheHourFormFollowsTheOptionElseTheStoredChoice) {
    std::u16string none = settingsFile();
    std::u16string stored24 = writtenSettings(
        [](map::IMappedData& store) { store.setBool(u"MainWindow\\View", u"ShowInAmPm", false); });
    struct Case {
        const char16_t* option;  // nullptr: none
        const std::u16string* settings;
        const char* hawaii;
    };
    const Case cases[] = {
        {nullptr, &none, "  1     2:00  AM   00s"},
        {u"--ampm", &none, "  1     2:00  AM   00s"},
        {u"--24h", &none, "  1   02:00   00s"},
        {nullptr, &stored24, "  1   02:00   00s"},
        {u"--ampm", &stored24, "  1     2:00  AM   00s"},
        {u"--24h", &stored24, "  1   02:00   00s"},
    };
    for (const Case& c : cases) {
        ToolRun run = c.option != nullptr
                          ? runTool({u"--at", kSummerNoonText, u"--lang", u"English", c.option,
                                     u"--settings", *c.settings})
                          : runTool({u"--at", kSummerNoonText, u"--lang", u"English", u"--settings",
                                     *c.settings});
        std::vector<std::string> lines = tableLines(run);
        const std::string* hawaii = lineOf(lines, "Hawaii");
        ASSERT_NE(hawaii, nullptr);
        EXPECT_EQ(split(*hawaii, '\t')[1], c.hawaii)
            << (c.option != nullptr ? utf8(c.option) : "no option")
            << (c.settings == &none ? ", nothing stored" : ", stored 24-hour");
    }
}

TEST_F(ClocksToolTest, AStoredListIsPrintedAndTheFileLeftAsItWas) {
    std::u16string path = writtenSettings([](map::IMappedData& store) {
        const char16_t* pickUp = u"MainWindow\\View\\PickUp";
        store.setBool(pickUp, u"PresetCreated", true);
        store.setInt32(pickUp, u"NumOfEntries", 3);
        store.setString(u"MainWindow\\View\\PickUp\\0", u"Name", u"Home");
        store.setString(u"MainWindow\\View\\PickUp\\0", u"StandardTimeName",
                        u"Tokyo Standard Time");
        store.setString(u"MainWindow\\View\\PickUp\\0", u"DST", u"NotAvailable");
        store.setBool(u"MainWindow\\View\\PickUp\\0", u"Checked", true);
        store.setString(u"MainWindow\\View\\PickUp\\1", u"Name", u"Gone");
        store.setString(u"MainWindow\\View\\PickUp\\1", u"StandardTimeName",
                        u"Atlantis Standard Time");
        store.setString(u"MainWindow\\View\\PickUp\\2", u"Name", u"");
        store.setString(u"MainWindow\\View\\PickUp\\2", u"StandardTimeName",
                        u"eastern standard time");
        store.setString(u"MainWindow\\View\\PickUp\\2", u"DST", u"on");
        store.setBool(u"MainWindow\\View", u"ShowInAmPm", false);
    });
    std::string before = readFile(path);
    ToolRun run = runTool({u"--at", kSummerNoonText, u"--lang", u"English", u"--settings", path});
    std::vector<std::string> lines = tableLines(run);
    std::string tokyo = zoneDetail(u"Tokyo Standard Time", false);
    std::string eastern = zoneDetail(u"Eastern Standard Time", true);
    std::string expected =
        "[x] Home\t  1   21:00   00s\t" + gapFor("(+13:00)", "(+00:00)") + "\t\t" + tokyo;
    std::string unnamed = "[ ] " + eastern + "\t  1   08:00   00s\t" +
                          gapFor("(+00:00)", "(-13:00)") + "\tON\t" + eastern;
    ASSERT_EQ(lines.size(), 2u);
    if (winComputer() != WinComputer::kOther) {
        EXPECT_EQ(lines[0], expected);
        EXPECT_EQ(lines[1], unnamed);
    }
    EXPECT_EQ(readFile(path), before);

    // "PresetCreated" with no entries: an empty list, nothing printed.
    std::u16string empty = writtenSettings([](map::IMappedData& store) {
        store.setBool(u"MainWindow\\View\\PickUp", u"PresetCreated", true);
        store.setInt32(u"MainWindow\\View\\PickUp", u"NumOfEntries", 0);
    });
    EXPECT_TRUE(tableLines(runTool({u"--at", kSummerNoonText, u"--settings", empty})).empty());
}

TEST_F(ClocksToolTest, ADamagedOrMissingSettingsFileIsReadAsFarAsItGoesAndStaysAsItWas) {
    std::u16string missing = settingsFile();
    std::u16string junk = settingsFile();
    std::u16string truncated = settingsFile();
    const std::string junkBytes = "\xEF\xBB\xBF\x01\x02 not settings \xFF\xFE at all";
    // A missing end tag ends the element at the end of the text: the flag is read, the
    // count is not, and the list is empty.
    const std::string truncatedBytes =
        "<savedata><MainWindow><View><PickUp PresetCreated=\"1\" NumOf";
    writeFile(junk, junkBytes);
    writeFile(truncated, truncatedBytes);
    struct Case {
        const std::u16string* path;
        int32_t rows;
    };
    const Case cases[] = {
        {&missing, expectedPresetCount()}, {&junk, expectedPresetCount()}, {&truncated, 0}};
    for (const Case& c : cases) {
        ToolRun run = runTool({u"--at", kSummerNoonText, u"--settings", *c.path});
        EXPECT_EQ(static_cast<int32_t>(tableLines(run).size()), c.rows) << utf8(c.path->c_str());
    }
    EXPECT_FALSE(fileExists(missing));
    EXPECT_EQ(readFile(junk), junkBytes);
    EXPECT_EQ(readFile(truncated), truncatedBytes);
}

TEST_F(ClocksToolTest, ABadArgumentPrintsOneUsageLineAndExitsTwo) {
    const std::vector<std::vector<std::u16string>> cases = {
        // The parsing itself is tested without a process; these are its kinds of refusal.
        {u"--bogus"},          {u"--list", u"some"}, {u"--at", u"2026-02-30T00:00:00Z"},
        {u"--ampm", u"--24h"}, {u"--settings"},
    };
    const std::string usage = std::string(tools::clocks::clockArgsUsage()) + "\n";
    for (const auto& arguments : cases) {
        ToolRun run =
            arguments.size() == 1 ? runTool({arguments[0]}) : runTool({arguments[0], arguments[1]});
        std::string shown = utf8(arguments[0].c_str());
        EXPECT_TRUE(run.finished) << shown;
        EXPECT_EQ(run.exitCode, 2u) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(run.err, usage) << shown;
    }
}

}  // namespace
}  // namespace s::tests::app
