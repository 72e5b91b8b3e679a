#pragma once

#include <windows.h>

#include <cstdint>

#include "base/array.h"
#include "base/pool.h"
#include "base/str_array.h"
#include "gui/listener_list.h"
#include "gui/win/control.h"

namespace s::gui::combobox {

// One entry of a combo box: its text and a value of the caller's.
struct ComboBoxItem {
    const char16_t* text = nullptr;
    int32_t datum = 0;
};

}  // namespace s::gui::combobox

namespace s::gui::win {

// The platform's drop-down list. An index outside the items selects item 0; listeners are
// told only when asked to and the selection really changed (and after the user picked
// another item). The containing window's thread.
class ComboBox final : public thread::Pooled<ComboBox, ControlOf<IComponent>> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    enum Event : int32_t { kSelectionChanged = 0 };
    static constexpr int32_t kListHeight = 200;

    ComboBox() = default;
    ~ComboBox() override;

    const char16_t* className() const override { return u"s_gui_win_ComboBox"; }
    ComboBox* newInstance() const override { return take(); }
    void reset() override;

    void addItem(const char16_t* text, int32_t datum);
    void addItem(const combobox::ComboBoxItem& item) { addItem(item.text, item.datum); }
    void clearItems();
    int32_t itemCount() const { return texts_.count(); }
    const char16_t* itemText(int32_t index) const { return texts_.textAt(index); }
    int32_t itemDatum(int32_t index) const;
    void setSelection(int32_t index, bool notify);
    int32_t selection() const { return selection_; }
    int32_t previousSelection() const { return previous_; }
    void addSelectionListener(events::IEventListener* l) { listeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addSelectionListener(l); }
    // Each item drawn in the face its text names (set before the control is made; a
    // parent box hands it the drawing requests).
    void setFontPreview(bool on) { fontPreview_ = on; }
    bool isFontPreview() const { return fontPreview_; }
    // Items drawn in their own face so far.
    int32_t previewItemsDrawn() const { return previewDrawn_; }
    int32_t minimumWidth() const override;
    int32_t maximumWidth() const override;
    void setExactWidth(int32_t width) { exactWidth_ = width; }
    void setPercentWidth(int32_t percent) { percentWidth_ = percent; }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;

protected:
    HWND createControl(HWND parent) override;
    void updateHints() override;
    void placeNative(uint32_t what) override;

private:
    void drawPreviewItem(const DRAWITEMSTRUCT& item);

private:
    str::StrArray texts_;
    col::_array::ArrayS32 data_;
    int32_t selection_ = -1;
    int32_t previous_ = -1;
    int32_t exactWidth_ = -1, percentWidth_ = -1;
    bool fontPreview_ = false;
    int32_t previewDrawn_ = 0;
    ListenerList listeners_;
};

}  // namespace s::gui::win
