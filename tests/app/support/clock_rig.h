#pragma once

#include <cstdint>

#include "app/tellavo/dialog.h"
#include "gui/win/list_box2.h"

namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}

namespace s::tests::app {

// The process's language pack (loaded once from the pack file), with English current.
lang::Localizer* testLocalizer();

// A controller bound to a store and the shared pack, with both lists set up: what the
// window build does before it loads the lists. Destroying the rig tears the controller
// down first, then the lists.
class ClockRig {
public:
    explicit ClockRig(map::IMappedData* store);
    ~ClockRig();
    ClockRig(const ClockRig&) = delete;
    ClockRig& operator=(const ClockRig&) = delete;

    s::gui::win::ListBox2 pickUp;
    s::gui::win::ListBox2 allZones;
    time::gui::dialogs::tellavo::Dialog dialog;

    // Cell text of the pick-up (or all-zones) row at a display position; "" when missing.
    const char16_t* pickUpText(int32_t row, int32_t column);
    const char16_t* allZonesText(int32_t row, int32_t column);
};

// UTF-8 of a UTF-16 text, for readable test failures.
const char* utf8(const char16_t* text);

}  // namespace s::tests::app
