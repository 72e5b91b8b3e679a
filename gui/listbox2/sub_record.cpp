#include "gui/listbox2/sub_record.h"

#include "base/str_buffer.h"

namespace s::gui::listbox2 {

SubRecord::~SubRecord() {
    reset();
}

SubRecord* SubRecord::create(void* value, base::IDestructor* disposer, TextFunction textFunction,
                             int32_t checkState) {
    SubRecord* cell = take();
    if (!cell)
        return nullptr;
    cell->value_ = value;
    cell->valueDisposer_ = disposer;
    cell->textFunction_ = textFunction;
    cell->checkState_ = checkState;
    return cell;
}

void SubRecord::disposeValue() {
    if (value_ && valueDisposer_)
        valueDisposer_->dispose(&value_);
    value_ = nullptr;
}

void SubRecord::reset() {
    disposeValue();
    valueDisposer_ = nullptr;
    discardText();
    setExtra(nullptr);
    textFunction_ = nullptr;
    checkState_ = kNoCheckBox;
    emphasis_ = false;
    flag2_ = false;
    flag3_ = false;
    treeState_ = kNoTree;
    linkShown_ = false;
    linkActive_ = false;
    textRect_ = TextRect{};
}

void SubRecord::setValue(void* value) {
    // Storing the block the cell already holds (a value edited in place) must not free it.
    if (value != value_)
        disposeValue();
    value_ = value;
    discardText();
}

void SubRecord::setValue(void* value, base::IDestructor* disposer) {
    setValue(value);
    valueDisposer_ = disposer;
}

void SubRecord::setTextFunction(TextFunction textFunction) {
    textFunction_ = textFunction;
    discardText();
}

const str::StrBuffer* SubRecord::text() {
    if (!textFunction_)
        return nullptr;
    if (!text_) {
        text_ = str::StrBuffer::take();
        if (!text_)
            return nullptr;
        textFunction_(value_, *text_);
    }
    return text_;
}

const char16_t* SubRecord::displayText() {
    const str::StrBuffer* built = text();
    return built ? built->text() : u"";
}

void SubRecord::discardText() {
    if (text_) {
        text_->release();
        text_ = nullptr;
    }
}

void SubRecord::rebuildText() {
    if (text_ && textFunction_) {
        // Reuse the buffer the cell already owns: the once-a-second refresh then takes no
        // new buffer from the pool.
        text_->clear();
        textFunction_(value_, *text_);
        return;
    }
    discardText();
    text();
}

void SubRecord::setExtra(thread::IPoolable* extra) {
    if (extra_ == extra)
        return;
    if (extra_)
        extra_->release();
    extra_ = extra;
}

}  // namespace s::gui::listbox2
