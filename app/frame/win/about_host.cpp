#include "app/frame/win/about_host.h"

#include "app/frame/win/app_base.h"
#include "app/frame/win/app_window.h"
#include "gui/drawer/skinner.h"

namespace s::app::win {

bool AboutHost::create(AppBase& base) {
    skinner_ = gui::drawer::Skinner::create(kSkinFamily);
    applicationWindow_ =
        AppWindow::create(base.editionWord(), &base, kWindowName, kWidth, kHeight, kKeepOnTop,
                          kMiddleClickAction, skinner_, kSkinName);
    about_ = gui::dialogs::About3::take();
    if (skinner_ == nullptr || applicationWindow_ == nullptr || about_ == nullptr) {
        release();
        return false;
    }
    // The store keeps the name; the skinner is what paints.
    skinner_->selectByName(applicationWindow_->skinName());
    about_->bind(applicationWindow_, base.settings(), applicationWindow_->localizer(), skinner_);
    about_->setProduct(base.productTextBase(), base.pictureA(), base.smallIconHandle());
    return true;
}

void AboutHost::show(AppBase& base, gui::IWindow* parent) {
    if (about_ == nullptr && !create(base))
        return;
    about_->setLinkOpener(opener_);
    about_->show(parent);
}

void AboutHost::release() {
    // The window first: it leaves the skinner and the store it uses.
    if (about_)
        about_->release();
    if (applicationWindow_)
        applicationWindow_->release();
    if (skinner_)
        skinner_->release();
    about_ = nullptr;
    applicationWindow_ = nullptr;
    skinner_ = nullptr;
}

}  // namespace s::app::win
