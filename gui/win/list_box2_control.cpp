#include "gui/win/list_box2_control.h"

namespace s::gui::win {

ListBox2Control::~ListBox2Control() {
    destroyNative();
}

void ListBox2Control::reset() {
    resetControl();
    view_.reset();
    list_ = nullptr;
    options_ = {};
}

void ListBox2Control::setList(ListBox2* list) {
    if (view_ && view_->isLive())
        return;  // the placed list stays the shown one
    view_.reset();
    list_ = list;
}

HWND ListBox2Control::createControl(HWND parent) {
    if (!list_)
        return nullptr;
    // The view lives as long as the control: calls from other threads that raced the
    // window's end find it windowless and fail, never a freed object.
    if (!view_)
        view_ = std::make_unique<ListView>(*list_);
    skinChanged();
    if (!view_->create(parent, options_, x_ + dx_, y_ + dy_, width_, height_))
        return nullptr;
    if (!visible_)
        ShowWindow(view_->frame(), SW_HIDE);
    return view_->frame();
}

void ListBox2Control::destroyNative() {
    if (view_)
        view_->destroy();
    native_ = nullptr;
}

void ListBox2Control::skinChanged() {
    if (!view_)
        return;
    drawer::ISkin* current = skin();
    if (current)
        view_->setListBoxDrawer(current->listBox(), current->listHeader(), current->scrollBar());
    else
        view_->setListBoxDrawer(nullptr, nullptr, nullptr);
}

// The columns have taken their new titles from the localizer (they listen to it from
// before the placement); the header shows them.
void ListBox2Control::languageChanged() {
    if (view_)
        view_->retitleColumns();
}

void ListBox2Control::updateHints() {
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setMaximumSize(kUnbounded, kUnbounded);
}

}  // namespace s::gui::win
