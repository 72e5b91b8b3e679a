#pragma once

#include <cstdint>

namespace s::gui {
class IListBox2;
}
namespace s::lang {
class Localizer;
}

// The columns of the two clock lists and their initial sort keys.
namespace s::time::gui::dialogs::tellavo {

// Width of the local-time column: wider for the languages whose texts need it.
int32_t localTimeColumnWidth(lang::Localizer* localizer);

// Adds the five columns (titles from the localizer), then requests the sort on column 0
// twice and on column 2 twice: every column ascending, keys time gap, location, the rest.
void setUpPickUpColumns(s::gui::IListBox2& list, lang::Localizer* localizer);
void setUpAllZonesColumns(s::gui::IListBox2& list, lang::Localizer* localizer);

}  // namespace s::time::gui::dialogs::tellavo
