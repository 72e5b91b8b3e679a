#include "tools/clocks/clock_table.h"

#include "gui/i_list_box2.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"

namespace s::tools::clocks {

namespace {

constexpr int32_t kCells = 5;

}  // namespace

void appendClockTable(s::gui::IListBox2& list, bool withCheckMarks, str::StrBuffer& out) {
    using s::gui::listbox2::SubRecord;
    int32_t rows = list.recordCount();
    for (int32_t i = 0; i < rows; ++i) {
        s::gui::listbox2::Record* row = list.recordAt(i);
        if (row == nullptr)
            continue;
        uint32_t serial = row->serial();
        if (withCheckMarks) {
            bool checked = list.checkState(row, serial, 0) == SubRecord::kChecked;
            out.appendText(checked ? u"[x] " : u"[ ] ");
        }
        for (int32_t column = 0; column < kCells; ++column) {
            if (column > 0)
                out.appendUnit(u'\t');
            const char16_t* text = list.cellText(row, serial, column);
            if (text != nullptr)
                out.appendText(text);
        }
        out.appendUnit(u'\n');
    }
}

}  // namespace s::tools::clocks
