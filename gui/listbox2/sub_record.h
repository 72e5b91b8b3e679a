#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "gui/listbox2/cell_functions.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::gui::listbox2 {

// Where the drawer last drew a cell's text, relative to the cell.
struct TextRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// One cell: an opaque value, the function that turns it into text, the cached text, and
// the marks the drawer reads.
class SubRecord final : public base::IObject, public thread::Pooled<SubRecord> {
public:
    enum CheckState : int32_t { kNoCheckBox = 0, kUnchecked = 1, kChecked = 2, kPartial = 3 };
    enum TreeState : int32_t { kNoTree = 0, kExpanded = 1, kCollapsed = 2 };

    SubRecord() = default;
    ~SubRecord() override;
    SubRecord(const SubRecord&) = delete;
    SubRecord& operator=(const SubRecord&) = delete;

    // A cell from the pool. `disposer` (may be null) releases `value` when it is replaced
    // or the cell is released; a null `textFunction` means the cell shows no text.
    static SubRecord* create(void* value, base::IDestructor* disposer, TextFunction textFunction,
                             int32_t checkState = kNoCheckBox);

    const char16_t* className() const override { return u"s_gui_listbox2_SubRecord"; }
    SubRecord* newInstance() const override { return take(); }
    // Disposes the value, releases the text and the extra object, clears every mark.
    void reset() override;

    void* value() const { return value_; }
    base::IDestructor* valueDisposer() const { return valueDisposer_; }
    // Stores a new value, disposing the old one unless it is the same block, and drops the
    // cached text.
    void setValue(void* value);
    void setValue(void* value, base::IDestructor* disposer);

    TextFunction textFunction() const { return textFunction_; }
    // Drops the cached text, so the next text() uses the new function.
    void setTextFunction(TextFunction textFunction);

    // The cached text, built by the text function when missing; nullptr when the cell has
    // no text function.
    const str::strbuffer::StrBuffer* text();
    // text() as a terminated text; the empty text when there is none.
    const char16_t* displayText();
    bool hasCachedText() const { return text_ != nullptr; }
    void discardText();
    // Builds the text again from the current value.
    void rebuildText();

    // Owned; released with the cell. Setting another releases the previous one.
    thread::IPoolable* extra() const { return extra_; }
    void setExtra(thread::IPoolable* extra);

    int32_t checkState() const { return checkState_; }
    void setCheckState(int32_t state) { checkState_ = state; }
    bool emphasis() const { return emphasis_; }
    void setEmphasis(bool on) { emphasis_ = on; }
    bool flag2() const { return flag2_; }
    void setFlag2(bool on) { flag2_ = on; }
    bool flag3() const { return flag3_; }
    void setFlag3(bool on) { flag3_ = on; }
    int32_t treeState() const { return treeState_; }
    void setTreeState(int32_t state) { treeState_ = state; }
    bool linkShown() const { return linkShown_; }
    void setLinkShown(bool on) { linkShown_ = on; }
    bool linkActive() const { return linkActive_; }
    void setLinkActive(bool on) { linkActive_ = on; }
    const TextRect& textRect() const { return textRect_; }
    void setTextRect(const TextRect& rect) { textRect_ = rect; }

private:
    void disposeValue();

    str::strbuffer::StrBuffer* text_ = nullptr;  // owned, pooled
    void* value_ = nullptr;
    base::IDestructor* valueDisposer_ = nullptr;  // not owned
    TextFunction textFunction_ = nullptr;
    thread::IPoolable* extra_ = nullptr;  // owned
    int32_t checkState_ = kNoCheckBox;
    bool emphasis_ = false;
    bool flag2_ = false;
    bool flag3_ = false;
    int32_t treeState_ = kNoTree;
    bool linkShown_ = false;
    bool linkActive_ = false;
    TextRect textRect_;
};

}  // namespace s::gui::listbox2
