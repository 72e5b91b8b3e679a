// The world of the Windows tests: the platform's zone database as the registry has it, the
// computer's clock reading a summer noon, and the pick-up cases against the registry store.
#include "tests/app/win/win_environment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>

#include "app/tellavo/preset.h"
#include "persist/reg/mapped_data.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"
#include "persist/win/reg_store.h"
#include "tests/app/support/store_cases.h"
#include "time/calendar.h"
#include "time/clock.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::tests::app {

namespace {

constexpr const char16_t* kPrivateRoot = u"Software\\Kivo\\TellavoAppTests";

class PlatformWorld : public testing::Environment {
public:
    // Before anything reads the clock: the database's daylight flag of the computer is
    // taken at its load.
    void SetUp() override { time::setClockOverride(summerNoon()); }
};

testing::Environment* const world = testing::AddGlobalTestEnvironment(new PlatformWorld);

void removeKey(uint32_t root, const char16_t* path) {
    reg::win::RegDir* key = reg::win::RegDir::takeOpen(root, path);
    if (key->isOpen())
        key->deleteTree(true);
    key->release();
}

// The registry refuses to delete a key that still has subkeys, in one step: another test
// program's key created meanwhile is never taken along.
void removePrivateRootWhenEmpty() {
    RegDeleteKeyW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(kPrivateRoot));
}

}  // namespace

int64_t summerNoon() {
    return time::calendar::daysFromCivil(2026, 7, 1) * time::calendar::kSecondsPerDay + 12 * 3600;
}

WinComputer winComputer() {
    const time::ZoneDatabase& database = time::zoneDatabase();
    int32_t index = time::systemZoneIndex();
    if (index < 0 || index >= database.count())
        return WinComputer::kOther;
    const str::StrBuffer& name = database.zoneAt(index)->standardName;
    if (name.equals(u"Tokyo Standard Time"))
        return WinComputer::kTokyo;
    if (name.equals(u"Eastern Standard Time"))
        return WinComputer::kNewYork;
    return WinComputer::kOther;
}

map::IMappedData* openPrivateStore() {
    static std::atomic<int32_t> serial{0};
    std::string unique = std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(GetTickCount64()) + "-" + std::to_string(++serial);
    std::u16string path = std::u16string(kPrivateRoot) + u"\\";
    path.append(unique.begin(), unique.end());
    return reg::win::openRegistryStore(reg::kCurrentUser, path.c_str());
}

std::u16string privateStorePath(map::IMappedData* store) {
    auto* registry = static_cast<reg::MappedData*>(store);
    return registry->base() != nullptr ? registry->base()->pathText() : u"";
}

void discardPrivateStore(map::IMappedData* store) {
    std::u16string path = privateStorePath(store);
    store->release();
    // Never below the private root: an empty path would be HKEY_CURRENT_USER itself.
    if (path.rfind(std::u16string(kPrivateRoot) + u"\\", 0) == 0) {
        removeKey(reg::kCurrentUser, path.c_str());
    }
    removePrivateRootWhenEmpty();
}

int32_t expectedPresetCount() {
    int32_t found = 0;
    for (const time::gui::dialogs::tellavo::PresetPlace& place :
         time::gui::dialogs::tellavo::kPresetPlaces) {
        if (time::findByStandardName(place.standardName) != nullptr)
            ++found;
    }
    return found;
}

INSTANTIATE_TEST_SUITE_P(Stores, PickUpStoreTest,
                         testing::Values(StoreKind{"Registry", &openPrivateStore,
                                                   &discardPrivateStore}),
                         storeKindName);

}  // namespace s::tests::app
