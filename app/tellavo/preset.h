#pragma once

#include <cstdint>

// The places a first start offers, and the place-name ids that follow the interface language.
namespace s::time::gui::dialogs::tellavo {

struct PresetPlace {
    const char16_t* standardName;  // the zone, looked up by its standard name
    int32_t nameId;                // language-pack id of the place name
    int32_t dstMode;
};

constexpr int32_t kPresetCount = 31;

// In the order the first start lists them (France comes before W. Africa).
extern const PresetPlace kPresetPlaces[kPresetCount];

// The preset place ids in ascending order, the order in which renaming tries them.
extern const int32_t kPresetNameIds[kPresetCount];

}  // namespace s::time::gui::dialogs::tellavo
