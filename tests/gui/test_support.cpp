#include "tests/gui/test_support.h"

#include "base/cleaners.h"
#include "gui/listbox2/cell_functions.h"

namespace s::gui::testing {

str::StrBuffer* textValue(const char16_t* text) {
    str::StrBuffer* value = str::StrBuffer::take();
    value->setText(text);
    return value;
}

listbox2::Record* textAndNumberRow(const char16_t* text, int64_t number, void* userData) {
    listbox2::Record* row = listbox2::Record::create(2, userData);
    row->addCell(textValue(text), &thread::poolOf<str::StrBuffer>(), listbox2::textOfString);
    row->addCell(listbox2::newInt64Value(number), &cleaner::CleanerRaw::instance(),
                 listbox2::textOfInt64);
    return row;
}

listbox2::Record* numberRow(int64_t number, void* userData) {
    listbox2::Record* row = listbox2::Record::create(1, userData);
    row->addCell(listbox2::newInt64Value(number), &cleaner::CleanerRaw::instance(),
                 listbox2::textOfInt64);
    return row;
}

}  // namespace s::gui::testing
