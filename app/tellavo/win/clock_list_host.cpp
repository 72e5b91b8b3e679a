#include "app/tellavo/win/clock_list_host.h"

#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/i_window.h"
#include "gui/win/list_view.h"

namespace s::time::gui::dialogs::tellavo {

namespace {

constexpr int32_t kMinimumWidth = 120;
constexpr int32_t kMinimumHeight = 60;
constexpr int32_t kUnbounded = 100000;

}  // namespace

ClockListHost::ClockListHost() {
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setMaximumSize(kUnbounded, kUnbounded);
}

ClockListHost::~ClockListHost() {
    destroyNative();
}

void ClockListHost::reset() {
    destroyNative();
    list_ = nullptr;
    resetComponent();
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setMaximumSize(kUnbounded, kUnbounded);
}

void ClockListHost::createNative() {
    if (list_ == nullptr || parent_ == nullptr || parent_->nativeHandle() == nullptr)
        return;
    view_ = std::make_unique<s::gui::win::ListView>(*list_);
    s::gui::win::ListView::Options options;
    options.fullRowSelect = true;
    options.alternateRows = true;
    applySkin();
    if (!view_->create(static_cast<HWND>(parent_->nativeHandle()), options, x_ + dx_, y_ + dy_,
                       width_, height_)) {
        view_.reset();
        return;
    }
    native_ = view_->frame();
    applySkin();
}

void ClockListHost::destroyNative() {
    if (!view_)
        return;
    view_->destroy();
    view_->detach();
    view_.reset();
    native_ = nullptr;
}

void ClockListHost::placeNative(uint32_t /*what*/) {
    if (view_)
        view_->setBounds(x_ + dx_, y_ + dy_, width_, height_);
}

void ClockListHost::applySkin() {
    s::gui::drawer::Skinner* skinner = window_ ? window_->skinner() : nullptr;
    s::gui::drawer::ISkin* skin = skinner ? skinner->currentSkin() : nullptr;
    if (view_ && skin)
        view_->setListBoxDrawer(skin->listBox(), skin->listHeader(), skin->scrollBar());
}

void ClockListHost::onEvent(base::IObject* source, int32_t /*eventId*/) {
    s::gui::drawer::Skinner* skinner = window_ ? window_->skinner() : nullptr;
    if (skinner && source == static_cast<base::IObject*>(skinner))
        applySkin();
}

}  // namespace s::time::gui::dialogs::tellavo
