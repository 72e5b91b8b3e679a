#pragma once

#include <cstdint>
#include <optional>

namespace s::str::strbuffer {
class StrBuffer;
}

// The time texts. Each takes a seconds value (a local wall-clock time), empties `text`,
// writes the text and returns `text`. pad0: "0" before a value below 10; pad2: two spaces
// before it. The 12-hour hour shows 0 as 12; markers and suffix come from the text slots.
namespace s::time {

using str::strbuffer::StrBuffer;

// Local-time cells: pad2 day, 3 spaces, hh:mm, 3 spaces, ss and the suffix.
StrBuffer& formatClockCell24(int64_t seconds, StrBuffer& text);
// pad2 day, 3 spaces, pad2 h12 ":" mm, 2 spaces, marker, 3 spaces, ss and the suffix.
StrBuffer& formatClockCell12(int64_t seconds, StrBuffer& text);
// Date text, 2 spaces, hh:mm, 2 spaces, ss and the suffix.
StrBuffer& formatDateTime24(int64_t seconds, StrBuffer& text);
// Date text, 2 spaces, pad2 h12 ":" mm, a space, marker, 2 spaces, ss and the suffix.
StrBuffer& formatDateTime12(int64_t seconds, StrBuffer& text);
// Date text, a space, hh:mm.
StrBuffer& formatDateTimeShort24(int64_t seconds, StrBuffer& text);
// Date text, a space, pad2 h12 ":" mm, a space, marker; nothing for no value or a negative one.
StrBuffer& formatDateTimeShort12(std::optional<int64_t> seconds, StrBuffer& text);
// "(+hh:mm)" or "(-hh:mm)" of a time gap; seconds are dropped, hours have no upper bound.
StrBuffer& formatGap(int64_t seconds, StrBuffer& text);

}  // namespace s::time
