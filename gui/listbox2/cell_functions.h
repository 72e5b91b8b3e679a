#pragma once

#include <cstdint>

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::gui::listbox2 {

class Record;

// Writes the display text of a cell value into `out`, which arrives empty. The value may
// be null.
using TextFunction = void (*)(const void* value, str::strbuffer::StrBuffer& out);

// Orders two cell values of one column: negative, 0 or positive. Either may be null.
using ValueComparator = int32_t (*)(const void* a, const void* b);

// Text comparator: two string buffers, ASCII case folded over the common prefix, then the
// shorter text first ("abc" < "ABCD", "abc" == "ABC"). A null value sorts first.
int32_t compareText(const void* a, const void* b);

// Two heap blocks holding one signed 64-bit number each: -1, 0 or 1. A null value sorts
// first.
int32_t compareInt64(const void* a, const void* b);

// Two rows by their display position (Record::index()); orders selections and the
// platform control's items.
int32_t compareDisplayPosition(const Record* a, const Record* b);

// The text of a string-buffer value is the value itself.
void textOfString(const void* value, str::strbuffer::StrBuffer& out);

// The text of a 64-bit value in decimal.
void textOfInt64(const void* value, str::strbuffer::StrBuffer& out);

// A 64-bit cell value on the heap, for cells whose disposer is
// s::cleaner::CleanerRaw::instance(); nullptr when memory is short.
int64_t* newInt64Value(int64_t value);

// A 64-bit cell value read and written whole: a worker thread may overwrite it in place
// while the GUI thread sorts or builds the cell's text, which then sees the old or the new
// number, never half of each. Comparators and text functions over such cells read it with
// loadInt64Value. A null block reads as 0 and is not written.
int64_t loadInt64Value(const void* value);
void storeInt64Value(void* value, int64_t number);

}  // namespace s::gui::listbox2
