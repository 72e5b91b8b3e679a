#pragma once

#include <cstdint>
#include <string>

namespace s::map {
class IMappedData;
}

// The world of the Windows tests: the platform's zone database and registry, the computer
// that Wine's TZ makes of the run, and the computer's clock reading a summer moment.
namespace s::tests::app {

// 2026-07-01 12:00:00 UTC: the moment the computer's clock reads in this program, and the
// moment the tool is run at.
int64_t summerNoon();
constexpr const char16_t* kSummerNoonText = u"2026-07-01T12:00:00Z";

// The computer this run is, by the database zone of the computer's clock. The tool's child
// processes are the same computer: Wine gives them the run's TZ, whatever their
// environment block says.
enum class WinComputer { kOther, kTokyo, kNewYork };
WinComputer winComputer();

// A registry store on a fresh key HKEY_CURRENT_USER\Software\Kivo\TellavoAppTests\<unique>;
// discardPrivateStore releases it and removes the key (and TellavoAppTests when empty).
map::IMappedData* openPrivateStore();
void discardPrivateStore(map::IMappedData* store);
// The path below HKEY_CURRENT_USER of a private store's top key.
std::u16string privateStorePath(map::IMappedData* store);

}  // namespace s::tests::app
