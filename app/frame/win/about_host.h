#pragma once

#include <cstdint>

#include "gui/dialogs/about3.h"

namespace s::gui {
class IWindow;
}
namespace s::gui::drawer {
class Skinner;
}

namespace s::app::win {

class AppBase;
class AppWindow;

// The application's About window: on first use its window state store "AboutWindow" (340 x
// 285, on top, middle click closes) with a "ThinWindow" skinner of its own in "Classic LG",
// and the About3 bound to it; every later showing reuses them. The owner (the controller)
// releases it before the window that opened it.
// Threads: the opener's thread, never the About window's own one.
class AboutHost {
public:
    static constexpr const char16_t* kWindowName = u"AboutWindow";
    static constexpr int32_t kWidth = 340;
    static constexpr int32_t kHeight = 285;
    static constexpr bool kKeepOnTop = true;
    static constexpr const char16_t* kMiddleClickAction = u"Close";
    static constexpr const char16_t* kSkinFamily = u"ThinWindow";
    static constexpr const char16_t* kSkinName = u"Classic LG";

    AboutHost() = default;
    ~AboutHost() { release(); }
    AboutHost(const AboutHost&) = delete;
    AboutHost& operator=(const AboutHost&) = delete;

    // Shows a freshly built About window of `base` (not owned; it must outlive this host)
    // and disables `parent` until it closes.
    void show(AppBase& base, gui::IWindow* parent);
    // Gives back the About3, its window state store and its skinner.
    void release();

    // nullptr: the shell's "open" verb. Applies to the next showing.
    void setLinkOpener(gui::dialogs::About3::LinkOpener opener) { opener_ = opener; }

    // nullptr before the first showing. Not owned by the caller.
    gui::dialogs::About3* about() const { return about_; }
    AppWindow* applicationWindow() const { return applicationWindow_; }
    gui::drawer::Skinner* skinner() const { return skinner_; }

private:
    bool create(AppBase& base);

    gui::dialogs::About3* about_ = nullptr;         // owned
    AppWindow* applicationWindow_ = nullptr;        // owned
    gui::drawer::Skinner* skinner_ = nullptr;       // owned
    gui::dialogs::About3::LinkOpener opener_ = nullptr;
};

}  // namespace s::app::win
