#include "app/tellavo/clock_window_seams.h"

namespace s::time::gui::dialogs::tellavo {

void TimeLineSink::showText(const char16_t* text) {
    thread::Locked guard(lock_);
    text_.setText(text);
    ++shown_;
}

int32_t TimeLineSink::lastText(str::StrBuffer& out) {
    thread::Locked guard(lock_);
    out.setStr(text_);
    return shown_;
}

int32_t TimeLineSink::shownCount() {
    thread::Locked guard(lock_);
    return shown_;
}

}  // namespace s::time::gui::dialogs::tellavo
