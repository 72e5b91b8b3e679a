#pragma once

#include <cstdint>

#include "base/event_listener.h"
#include "base/object.h"
#include "base/pool.h"

namespace s::image {
class IImage;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}

namespace s::gui {
class IWindow;
class IWindowStateStore;
namespace drawer {
class Skinner;
}
namespace win {
class Box;
class Button;
class Label;
class Window;
}  // namespace win
namespace controls {
class Spacer;
}
}  // namespace s::gui

namespace s::gui::dialogs {

// The About window of a product of the framework: picture, title, version, date, licence,
// web link, a framed request for support and a "Close" button, all from language-pack texts
// relative to the product text base. Every showing builds a fresh toolkit window, owned by
// the window that opened it (so that window, disabled meanwhile, can never cover it).
//
// Threads: bind() and show() on the opener's thread (never the About window's own one);
// the event handler runs on the About window's thread. Releasing gives the window back.
class About3 final : public events::IEventListener,
                     public base::IObject,
                     public thread::Pooled<About3> {
public:
    static constexpr int32_t kPoolCapacity = 1000;

    // Language-pack ids.
    static constexpr int32_t kTitleText = 400100;
    static constexpr int32_t kCloseText = 400120;
    static constexpr int32_t kVersionLabel = 400010;
    static constexpr int32_t kUpdatedLabel = 400020;
    static constexpr int32_t kLicenseLabel = 400050;
    static constexpr int32_t kUrlLabel = 400080;
    static constexpr int32_t kAddressText = 101000;
    // Distances from the product text base.
    static constexpr int32_t kVersionOffset = 10;
    static constexpr int32_t kUpdatedOffset = 20;
    static constexpr int32_t kLicenseOffset = 50;
    static constexpr int32_t kSupportLineOffset = 89;
    static constexpr int32_t kSupportLinkOffset = 90;
    static constexpr int32_t kSupportPageOffset = 100;

    // The support box's frame and fill, 0x00BBGGRR.
    static constexpr uint32_t kSupportFrameColour = 0x0002CE9Au;  // (154, 206, 2)
    static constexpr uint32_t kSupportFillColour = 0x00C7FAEEu;   // (238, 250, 199)

    // Opens a link's address; true when the shell took it.
    using LinkOpener = bool (*)(const char16_t* address);

    About3() = default;
    ~About3() override;
    About3(const About3&) = delete;
    About3& operator=(const About3&) = delete;

    const char16_t* className() const override { return u"s_gui_dialogs_About3"; }
    About3* newInstance() const override { return take(); }
    // Releases the toolkit window (the opener is enabled again if it was waiting) and
    // clears every field.
    void reset() override;

    // The application window that hosts the About window (its state store: geometry, own
    // skin, options), with its settings store, localizer and skinner. None is owned.
    void bind(IWindowStateStore* applicationWindow, map::IMappedData* store,
              lang::Localizer* localizer, drawer::Skinner* skinner);
    // What the content shows besides texts: the product text base, the product picture
    // (none: no picture) and the program's small icon as a native handle. Not owned; they
    // must outlive every showing.
    void setProduct(int32_t productTextBase, const image::IImage* picture, void* icon);
    // nullptr: the shell's "open" verb.
    void setLinkOpener(LinkOpener opener) { opener_ = opener; }

    // Builds a new window (the one before is released), shows it in front and disables
    // `parent` (not owned; may be nullptr) until the window closes. The parent must outlive
    // this object's use: it keeps this object among its activation listeners.
    void show(IWindow* parent);

    // Closing → the parent is enabled again; the parent's activation → this window comes to
    // the front; the links → their pages open; the picture and the icon boxes paint.
    void onEvent(base::IObject* source, int32_t eventId) override;

    // The window of the current showing; nullptr before the first one. Not owned.
    win::Window* window() const { return window_; }
    IWindow* parent() const { return parent_; }
    win::Button* closeButton() const { return closeButton_; }
    win::Button* closePictureButton() const { return closePicture_; }
    win::Label* addressLink() const { return addressLink_; }
    win::Label* supportLink() const { return supportLink_; }
    win::Box* supportBox() const { return supportOuter_; }
    int32_t supportPageId() const { return supportPageId_; }

private:
    void releaseWindow();
    void build();
    // After the first layout: the heading's gap and the window's height follow the texts.
    void fitContent();
    void open(const char16_t* address);

    IWindow* parent_ = nullptr;                         // not owned
    // The window whose activations this object hears (it cannot leave that list).
    IWindow* listenedParent_ = nullptr;
    IWindowStateStore* applicationWindow_ = nullptr;    // not owned
    map::IMappedData* store_ = nullptr;                 // not owned
    lang::Localizer* localizer_ = nullptr;              // not owned
    drawer::Skinner* skinner_ = nullptr;                // not owned
    win::Window* window_ = nullptr;                     // owned
    // The components below belong to the window's tree.
    win::Button* closePicture_ = nullptr;
    win::Label* addressLink_ = nullptr;
    win::Label* supportLink_ = nullptr;
    int32_t supportPageId_ = 0;
    win::Button* closeButton_ = nullptr;
    win::Box* supportOuter_ = nullptr;
    win::Box* pictureBox_ = nullptr;
    win::Box* iconBox_ = nullptr;
    win::Box* root_ = nullptr;
    win::Box* heading_ = nullptr;
    win::Label* headingLabel_ = nullptr;
    controls::Spacer* headingGap_ = nullptr;
    int32_t productTextBase_ = 0;
    const image::IImage* picture_ = nullptr;  // not owned
    void* icon_ = nullptr;                    // not owned
    LinkOpener opener_ = nullptr;
};

}  // namespace s::gui::dialogs
