#pragma once

#include <cstdint>

#include "app/frame/i_app_window.h"
#include "base/str_buffer.h"

namespace s::gui {
class IWindow;
}
namespace s::map {
class IMappedData;
}

namespace s::app::win {

// The window state store over the application's settings store. Taken from its pool with
// create() on the main thread, then used on the window's thread.
class AppWindow final : public thread::Pooled<AppWindow, IAppWindow> {
public:
    AppWindow() = default;
    ~AppWindow() override = default;
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    // The main window: "MainWindow", 700 x 550, not on top, middle click iconizes.
    static constexpr int32_t kMainWidth = 700;
    static constexpr int32_t kMainHeight = 550;

    // A pooled store for the window `windowName` of `application` (not owned). A skinner
    // other than the application's makes the window's skin its own (stored under the
    // window's key); `skinName` (nullptr: the stored one) is applied to it.
    static AppWindow* create(const char16_t* editionWord, IAppBase* application,
                             const char16_t* windowName, int32_t defaultWidth,
                             int32_t defaultHeight, bool defaultKeepOnTop,
                             const char16_t* defaultMiddleClickAction,
                             gui::drawer::Skinner* skinner, const char16_t* skinName);

    const char16_t* className() const override { return u"s_app_win_AppWindow"; }
    AppWindow* newInstance() const override { return take(); }
    void reset() override;

    IAppBase* application() const override { return application_; }
    const char16_t* windowName() const override { return windowName_.text(); }
    const char16_t* keyPath(const char16_t* key) override;
    int32_t productTextBase() const override { return productTextBase_; }
    lang::Localizer* localizer() const override;
    bool hasOwnSkin() const override { return ownSkin_; }
    gui::drawer::Skinner* skinner() const override { return skinner_; }
    const char16_t* skinName() override;
    void setSkinName(const char16_t* name) override;

    bool hasStoredPosition() override { return hasX() && hasY(); }
    void saveBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void saveSize(int32_t width, int32_t height) override;
    void forgetGeometry() override;

    bool hasX() override { return hasViewValue(u"X"); }
    int32_t x() override { return viewInt(u"X", 0); }
    void setX(int32_t x) override { setViewInt(u"X", x); }
    bool hasY() override { return hasViewValue(u"Y"); }
    int32_t y() override { return viewInt(u"Y", 0); }
    void setY(int32_t y) override { setViewInt(u"Y", y); }
    bool isWidthAcceptable(int32_t width) const override;
    bool hasWidth() override { return hasViewValue(u"Width"); }
    int32_t width() override;
    void setWidth(int32_t width) override { setViewInt(u"Width", width); }
    bool isHeightAcceptable(int32_t height) const override;
    bool hasHeight() override { return hasViewValue(u"Height"); }
    int32_t height() override;
    void setHeight(int32_t height) override { setViewInt(u"Height", height); }

    bool easyDrag() override { return viewBool(u"EasyDrag", defaultEasyDrag_); }
    void setEasyDrag(bool on) override { setViewBool(u"EasyDrag", on); }
    bool maximized() override { return viewBool(u"Maximized", defaultMaximized_); }
    void setMaximized(bool on) override { setViewBool(u"Maximized", on); }
    bool keepOnTop() override { return viewBool(u"KeepOnTop", defaultKeepOnTop_); }
    void setKeepOnTop(bool on) override { setViewBool(u"KeepOnTop", on); }
    bool middleClickCloses() override;
    bool middleClickIconizes() override;
    const char16_t* middleClickAction() override;
    void setMiddleClickAction(const char16_t* action) override;

    // --- what the window asks of its store (the window's thread) ---
    void saveApplicationSettings() override;
    void storeLanguageName(const char16_t* englishName) override;
    void windowAttached(gui::IWindow* window, bool showVersion) override;
    void windowShowing(bool activate) override;
    void windowHiding() override { saveState(); }
    void windowSized(int32_t sizeType) override;
    void keepOnTopChanged(bool on) override;
    void middleClickActionChanged(const char16_t* action) override;

    // The window this store is attached to; nullptr when none.
    gui::IWindow* window() const { return window_; }
    // Writes what changed of the visible window's state: "Maximized" for a maximized window,
    // else the bounds (nothing for a minimized one).
    void saveState();

    // The canonical form of a middle-click text (ignoring case); "DoNothing" for any other.
    static const char16_t* canonicalAction(const char16_t* text);

private:
    map::IMappedData* store() const;
    bool hasViewValue(const char16_t* name);
    int32_t viewInt(const char16_t* name, int32_t fallback);
    void setViewInt(const char16_t* name, int32_t value);
    // Writes only when missing or different.
    void updateViewInt(const char16_t* name, int32_t value);
    bool viewBool(const char16_t* name, bool fallback);
    void setViewBool(const char16_t* name, bool value);
    void stampIdentity();

    str::StrBuffer work_;
    str::StrBuffer keyText_;
    IAppBase* application_ = nullptr;  // not owned
    str::StrBuffer windowName_;
    const char16_t* editionWord_ = u"";
    int32_t productTextBase_ = 0;
    gui::drawer::Skinner* skinner_ = nullptr;  // not owned
    bool ownSkin_ = false;
    int32_t defaultWidth_ = 500;
    int32_t defaultHeight_ = 500;
    bool defaultEasyDrag_ = true;
    bool defaultMaximized_ = false;
    bool defaultKeepOnTop_ = false;
    const char16_t* middleClickAction_ = kDoNothing;
    gui::IWindow* window_ = nullptr;  // not owned
    bool wasMaximized_ = false;
};

}  // namespace s::app::win
