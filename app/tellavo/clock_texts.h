#pragma once

#include <cstdint>

// Language-pack ids of the texts the clock rows and the update task show.
namespace s::time::gui::dialogs::tellavo {

constexpr int32_t kTextDstAutoAdjust = 1004000;
constexpr int32_t kTextDstOn = 1004010;
constexpr int32_t kTextDstOff = 1004020;

constexpr int32_t kTextMorningMarker = 730010;
constexpr int32_t kTextAfternoonMarker = 730020;
constexpr int32_t kTextSecondsSuffix = 730030;

// The product's settings identifier, part of the registry path of the settings.
constexpr int32_t kTextSettingsId = 300000;

}  // namespace s::time::gui::dialogs::tellavo
