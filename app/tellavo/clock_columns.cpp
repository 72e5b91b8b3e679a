#include "app/tellavo/clock_columns.h"

#include "gui/i_list_box2.h"
#include "gui/listbox2/cell_functions.h"
#include "lang/localizer.h"

namespace s::time::gui::dialogs::tellavo {

namespace {

namespace listbox2 = s::gui::listbox2;

struct ColumnLayout {
    int32_t titleId;
    int32_t width;  // 0: the local-time width
    listbox2::ValueComparator comparator;
    bool checkBox;
};

constexpr ColumnLayout kPickUpColumns[] = {
    {1001000, 150, &listbox2::compareText, true},  {1002000, 0, &listbox2::compareInt64, false},
    {1003000, 70, &listbox2::compareInt64, false}, {1004000, 50, &listbox2::compareText, false},
    {1005000, 450, &listbox2::compareText, false},
};

constexpr ColumnLayout kAllZonesColumns[] = {
    {1001001, 280, &listbox2::compareText, false}, {1002000, 0, &listbox2::compareInt64, false},
    {1003000, 70, &listbox2::compareInt64, false}, {1004000, 50, &listbox2::compareText, false},
    {1005001, 300, &listbox2::compareText, false},
};

void setUpColumns(s::gui::IListBox2& list, lang::Localizer* localizer,
                  const ColumnLayout (&columns)[5]) {
    int32_t timeWidth = localTimeColumnWidth(localizer);
    for (const ColumnLayout& column : columns) {
        list.addColumn(localizer, column.titleId, column.width != 0 ? column.width : timeWidth, 0,
                       true, column.comparator, true, false, column.checkBox, false, false);
    }
    list.requestSort(0);
    list.requestSort(0);
    list.requestSort(2);
    list.requestSort(2);
}

}  // namespace

int32_t localTimeColumnWidth(lang::Localizer* localizer) {
    lang::LangPack* language = localizer != nullptr ? localizer->currentLanguage() : nullptr;
    if (language != nullptr && (language->engName().equalsIgnoreCase(u"Greek") ||
                                language->engName().equalsIgnoreCase(u"Swedish"))) {
        return 140;
    }
    return 120;
}

void setUpPickUpColumns(s::gui::IListBox2& list, lang::Localizer* localizer) {
    setUpColumns(list, localizer, kPickUpColumns);
}

void setUpAllZonesColumns(s::gui::IListBox2& list, lang::Localizer* localizer) {
    setUpColumns(list, localizer, kAllZonesColumns);
}

}  // namespace s::time::gui::dialogs::tellavo
