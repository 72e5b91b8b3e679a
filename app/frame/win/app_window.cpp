#include "app/frame/win/app_window.h"

#include <windows.h>

#include "app/frame/i_app_base.h"
#include "gui/i_window.h"
#include "lang/localizer.h"
#include "persist/map/i_mapped_data.h"

namespace s::app::win {

namespace {

constexpr const char16_t* kView = u"View";

}  // namespace

AppWindow* AppWindow::create(const char16_t* editionWord, IAppBase* application,
                             const char16_t* windowName, int32_t defaultWidth,
                             int32_t defaultHeight, bool defaultKeepOnTop,
                             const char16_t* defaultMiddleClickAction,
                             gui::drawer::Skinner* skinner, const char16_t* skinName) {
    AppWindow* window = take();
    if (!window)
        return nullptr;
    window->editionWord_ = editionWord ? editionWord : u"";
    window->application_ = application;
    window->windowName_.setText(windowName ? windowName : u"");
    window->productTextBase_ = application ? application->productTextBase() : 0;
    window->defaultWidth_ = defaultWidth;
    window->defaultHeight_ = defaultHeight;
    window->defaultKeepOnTop_ = defaultKeepOnTop;
    window->middleClickAction_ = canonicalAction(defaultMiddleClickAction);
    window->skinner_ = skinner;
    window->ownSkin_ = application && skinner != application->skinner();
    window->stampIdentity();
    if (window->ownSkin_ && skinName)
        window->setSkinName(skinName);
    window->middleClickAction_ = window->middleClickAction();
    return window;
}

void AppWindow::reset() {
    work_.freeStorage();
    keyText_.freeStorage();
    application_ = nullptr;
    windowName_.freeStorage();
    editionWord_ = u"";
    productTextBase_ = 0;
    skinner_ = nullptr;
    ownSkin_ = false;
    defaultWidth_ = 500;
    defaultHeight_ = 500;
    defaultEasyDrag_ = true;
    defaultMaximized_ = false;
    defaultKeepOnTop_ = false;
    middleClickAction_ = kDoNothing;
    window_ = nullptr;
    wasMaximized_ = false;
}

map::IMappedData* AppWindow::store() const {
    return application_ ? application_->settings() : nullptr;
}

const char16_t* AppWindow::keyPath(const char16_t* key) {
    keyText_.setStr(windowName_).appendUnit(u'\\').appendText(key ? key : u"");
    return keyText_.text();
}

lang::Localizer* AppWindow::localizer() const {
    return application_ ? application_->localizer() : nullptr;
}

void AppWindow::stampIdentity() {
    map::IMappedData* settings = store();
    if (!settings)
        return;
    lang::Localizer* texts = localizer();
    const bool wasOn = settings->autoSave();
    settings->setAutoSave(false);
    settings->setString(keyPath(u"SoftwareType"), u"", editionWord_);
    settings->setString(keyPath(u"SoftwareID"), u"",
                        texts ? texts->text(IAppBase::kSettingsIdText) : u"");
    settings->setString(keyPath(u"Version"), u"",
                        texts ? texts->text(productTextBase_ + IAppBase::kVersionOffset) : u"");
    settings->setAutoSave(wasOn);
    if (wasOn)
        settings->save();
}

const char16_t* AppWindow::skinName() {
    if (!ownSkin_)
        return application_ ? application_->skinName() : u"Black";
    map::IMappedData* settings = store();
    return settings ? settings->getString(keyPath(u"Skin"), u"", u"Black") : u"Black";
}

void AppWindow::setSkinName(const char16_t* name) {
    if (!ownSkin_) {
        if (application_)
            application_->setSkinName(name);
        return;
    }
    if (map::IMappedData* settings = store())
        settings->setString(keyPath(u"Skin"), u"", name ? name : u"");
}

bool AppWindow::hasViewValue(const char16_t* name) {
    map::IMappedData* settings = store();
    return settings && settings->hasValue(keyPath(kView), name);
}

int32_t AppWindow::viewInt(const char16_t* name, int32_t fallback) {
    map::IMappedData* settings = store();
    return settings ? settings->getInt32(keyPath(kView), name, fallback) : fallback;
}

void AppWindow::setViewInt(const char16_t* name, int32_t value) {
    if (map::IMappedData* settings = store())
        settings->setInt32(keyPath(kView), name, value);
}

void AppWindow::updateViewInt(const char16_t* name, int32_t value) {
    if (!hasViewValue(name) || viewInt(name, 0) != value)
        setViewInt(name, value);
}

bool AppWindow::viewBool(const char16_t* name, bool fallback) {
    map::IMappedData* settings = store();
    return settings ? settings->getBool(keyPath(kView), name, fallback) : fallback;
}

void AppWindow::setViewBool(const char16_t* name, bool value) {
    if (map::IMappedData* settings = store())
        settings->setBool(keyPath(kView), name, value);
}

void AppWindow::saveBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    updateViewInt(u"X", x);
    updateViewInt(u"Y", y);
    saveSize(width, height);
}

void AppWindow::saveSize(int32_t width, int32_t height) {
    updateViewInt(u"Width", width);
    updateViewInt(u"Height", height);
}

void AppWindow::forgetGeometry() {
    map::IMappedData* settings = store();
    if (!settings)
        return;
    for (const char16_t* name : {u"X", u"Y", u"Width", u"Height"})
        settings->deleteValue(keyPath(kView), name);
}

bool AppWindow::isWidthAcceptable(int32_t width) const {
    return width >= kMinimumStoredSize && width <= GetSystemMetrics(SM_CXVIRTUALSCREEN);
}

bool AppWindow::isHeightAcceptable(int32_t height) const {
    return height >= kMinimumStoredSize && height <= GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

int32_t AppWindow::width() {
    // A size no screen here can show (or a damaged value) would leave the window unusable.
    int32_t stored = viewInt(u"Width", defaultWidth_);
    return isWidthAcceptable(stored) ? stored : defaultWidth_;
}

int32_t AppWindow::height() {
    int32_t stored = viewInt(u"Height", defaultHeight_);
    return isHeightAcceptable(stored) ? stored : defaultHeight_;
}

const char16_t* AppWindow::canonicalAction(const char16_t* text) {
    str::StrBuffer action(text ? text : u"");
    for (const char16_t* known : {kDoNothing, kIconize, kClose}) {
        if (action.equalsIgnoreCase(known))
            return known;
    }
    return kDoNothing;
}

const char16_t* AppWindow::middleClickAction() {
    map::IMappedData* settings = store();
    if (!settings)
        return middleClickAction_;
    return canonicalAction(settings->getString(keyPath(kView), u"OnMClick", middleClickAction_));
}

bool AppWindow::middleClickCloses() {
    return middleClickAction() == kClose;
}

bool AppWindow::middleClickIconizes() {
    return middleClickAction() == kIconize;
}

void AppWindow::setMiddleClickAction(const char16_t* action) {
    const char16_t* wanted = canonicalAction(action);
    const bool stored = hasViewValue(u"OnMClick");
    if (stored && wanted == middleClickAction())
        return;
    if (!stored && wanted == middleClickAction_)
        return;
    if (map::IMappedData* settings = store())
        settings->setString(keyPath(kView), u"OnMClick", wanted);
}

void AppWindow::saveApplicationSettings() {
    if (application_)
        application_->saveSettings();
}

void AppWindow::storeLanguageName(const char16_t* englishName) {
    if (application_)
        application_->setLanguageName(englishName);
}

void AppWindow::windowAttached(gui::IWindow* window, bool showVersion) {
    window_ = window;
    wasMaximized_ = false;
    if (!window)
        return;
    if (application_) {
        window->setSmallIcon(application_->smallIconHandle(), false);
        window->setLargeIcon(application_->largeIconHandle(), false);
    }
    window->setLocalizer(localizer());
    window->setTitleIds(productTextBase_,
                        showVersion ? productTextBase_ + IAppBase::kVersionOffset : -1);
    if (ownSkin_)
        window->setSkinner(skinner_);
    window->setEasyDrag(easyDrag());
    window->setKeepOnTop(keepOnTop());
    window->setMiddleClickAction(middleClickAction());
    if (hasStoredPosition()) {
        window->setBounds(x(), y(), width(), height());
        if (!window->isSufficientlyOnScreen())
            window->centerOnScreen();
    } else {
        window->resize(width(), height());
    }
}

void AppWindow::windowShowing(bool activate) {
    if (!window_)
        return;
    if (maximized()) {
        // Maximizing shows and activates: a window shown quietly stays as it is, and the
        // stored value waits for the next showing.
        if (activate)
            window_->maximize();
        return;
    }
    if (!hasStoredPosition() || !window_->isSufficientlyOnScreen())
        window_->centerOnScreen();
}

void AppWindow::saveState() {
    if (!window_ || !window_->isVisible())
        return;
    if (window_->isMaximized()) {
        if (!maximized())
            setMaximized(true);
        return;
    }
    if (window_->isMinimized())
        return;
    if (maximized())
        setMaximized(false);
    saveBounds(window_->screenX(), window_->screenY(), window_->width(), window_->height());
}

void AppWindow::windowSized(int32_t sizeType) {
    if (!window_)
        return;
    constexpr int32_t kRestored = 0, kMinimized = 1, kMaximized = 2;
    const auto saveNormalBounds = [this] {
        if (window_->normalWidth() > 0 && window_->normalHeight() > 0)
            saveBounds(window_->normalX(), window_->normalY(), window_->normalWidth(),
                       window_->normalHeight());
    };
    switch (sizeType) {
        case kMinimized:
            // An iconize keeps "Maximized": the window comes back as it went.
            if (!window_->isIconized() && maximized())
                setMaximized(false);
            saveNormalBounds();
            break;
        case kMaximized:
            wasMaximized_ = true;
            if (!maximized())
                setMaximized(true);
            saveNormalBounds();
            break;
        case kRestored:
            if (wasMaximized_) {
                wasMaximized_ = false;
                saveState();
            }
            break;
        default:
            break;
    }
}

void AppWindow::keepOnTopChanged(bool on) {
    if (keepOnTop() != on)
        setKeepOnTop(on);
}

void AppWindow::middleClickActionChanged(const char16_t* action) {
    setMiddleClickAction(action);
}

}  // namespace s::app::win
