#pragma once

#include "base/str_buffer.h"

namespace s::gui {
class IListBox2;
}

namespace s::tools::clocks {

// Appends one line per row of the list, in display order: the five cell texts in column
// order, separated by a tab, each line ending in "\n". With check marks, every line starts
// with "[x] " or "[ ] " for the check box of the first cell.
void appendClockTable(s::gui::IListBox2& list, bool withCheckMarks, str::StrBuffer& out);

}  // namespace s::tools::clocks
