#include "gui/dialogs/about3.h"

#include <windows.h>

#include <shellapi.h>

#include "gui/controls/spacer.h"
#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/i_window.h"
#include "gui/i_window_state.h"
#include "gui/win/box.h"
#include "gui/win/button.h"
#include "gui/win/label.h"
#include "gui/win/window.h"
#include "image/i_image.h"
#include "lang/localizer.h"

namespace s::gui::dialogs {
namespace {

using controls::Spacer;
using win::Box;
using win::Button;
using win::Label;
using win::Window;

constexpr int32_t kHeadingFont = -104;
constexpr int32_t kTitleFont = -103;
constexpr int32_t kSupportLineFont = -1;
constexpr int32_t kSupportLinkFont = -103;
constexpr int32_t kIconSize = 16;

bool shellOpen(const char16_t* address) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = reinterpret_cast<const wchar_t*>(address);
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

Spacer* verticalGap(int32_t height) {
    Spacer* gap = Spacer::take();
    gap->setVertical();
    gap->setExactHeight(height);
    return gap;
}

Spacer* horizontalGap(int32_t width) {
    Spacer* gap = Spacer::take();
    gap->setHorizontal();
    gap->setExactWidth(width);
    return gap;
}

Box* row() {
    Box* box = Box::take();
    box->setHorizontalStyle();
    box->setHorizontalSpacing(0);
    box->alignMiddle();
    box->setPercentWidth(100, false);
    return box;
}

Box* column(int32_t spacing) {
    Box* box = Box::take();
    box->setVerticalStyle();
    box->setVerticalSpacing(spacing);
    box->alignLeft();
    return box;
}

Label* textLabel(int32_t textId) {
    Label* label = Label::take();
    label->setTextId(textId);
    return label;
}

void fillRgb(Box& box, uint32_t colour) {
    box.setBackgroundRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF, false);
}

bool isSource(base::IObject* source, IComponent* component) {
    return component && source == static_cast<base::IObject*>(component);
}

}  // namespace

About3::~About3() {
    releaseWindow();
}

void About3::reset() {
    releaseWindow();
    parent_ = nullptr;
    applicationWindow_ = nullptr;
    store_ = nullptr;
    localizer_ = nullptr;
    skinner_ = nullptr;
    supportPageId_ = 0;
    productTextBase_ = 0;
    picture_ = nullptr;
    icon_ = nullptr;
    opener_ = nullptr;
}

void About3::bind(IWindowStateStore* applicationWindow, map::IMappedData* store,
                  lang::Localizer* localizer, drawer::Skinner* skinner) {
    applicationWindow_ = applicationWindow;
    store_ = store;
    localizer_ = localizer;
    skinner_ = skinner;
}

void About3::setProduct(int32_t productTextBase, const image::IImage* picture, void* icon) {
    productTextBase_ = productTextBase;
    supportPageId_ = productTextBase + kSupportPageOffset;
    picture_ = picture;
    icon_ = icon;
}

void About3::releaseWindow() {
    if (window_ == nullptr)
        return;
    // Back under its hidden owner, whose destruction takes the window with it.
    Window* w = window_;
    w->setStateStore(nullptr, false);
    w->onWindowThread([w] {
        if (w->hwnd())
            SetWindowLongPtrW(w->hwnd(), GWLP_HWNDPARENT,
                              reinterpret_cast<LONG_PTR>(w->ownerHwnd()));
    });
    window_->release();
    window_ = nullptr;
    closePicture_ = closeButton_ = nullptr;
    addressLink_ = supportLink_ = nullptr;
    supportOuter_ = pictureBox_ = iconBox_ = root_ = heading_ = nullptr;
    headingLabel_ = nullptr;
    headingGap_ = nullptr;
}

void About3::show(IWindow* parent) {
    parent_ = parent;
    releaseWindow();
    window_ = Window::take();
    if (window_ == nullptr)
        return;
    if (!window_->isValid()) {
        // The toolkit has told the person already.
        window_->release();
        window_ = nullptr;
        return;
    }
    Window& w = *window_;
    w.setResizable(false);
    w.setClientEdge(false);
    w.setStateStore(applicationWindow_, false);
    // Without an application window the pieces come from the binding.
    if (!w.hasLocalizer())
        w.setLocalizer(localizer_);
    if (!w.hasSkinner())
        w.setSkinner(skinner_);
    w.setTitleIds(kTitleText, -1);
    if (drawer::ISkin* skin = w.skinner() ? w.skinner()->currentSkin() : nullptr) {
        if (drawer::IWindowDrawer* frame = skin->window()) {
            const uint32_t c = frame->backgroundColour();
            w.setBackgroundRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, false);
            w.setFrameDrawer(frame, false);
        }
    }
    build();
    w.addCloseTrigger(closeButton_);
    w.addCloseTrigger(closePicture_);
    w.addCloseListener(this);

    // Owned by the opener: an owned window always stays above its owner, so the disabled
    // opener can never cover it, whatever their topmost bands. As a pop-up (no caption to
    // lose: the frame is the skin's), Wine keeps it above a raised owner too.
    HWND owner = parent ? static_cast<HWND>(parent->nativeHandle()) : nullptr;
    if (owner) {
        w.onWindowThread([&w, owner] {
            HWND about = w.hwnd();
            if (!about)
                return;
            SetWindowLongPtrW(about, GWL_STYLE, GetWindowLongPtrW(about, GWL_STYLE) | WS_POPUP);
            SetWindowLongPtrW(about, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        });
    }

    // Wine does not keep an owned window above an owner that enters the topmost band (the
    // clock window kept on top and activated from its tray icon): the owner's activation
    // brings this window back in front, as the system does for a disabled owner.
    if (parent && parent != listenedParent_) {
        parent->addActivateListener(this);
        listenedParent_ = parent;
    }

    w.doLayout();
    fitContent();
    w.moveIntoScreen();
    w.setVisible(true, true);
    w.activate(true);
    w.doLayout();
    if (parent_)
        parent_->setEnabled(false);
}

void About3::build() {
    Window& w = *window_;
    const int32_t base = productTextBase_;

    Box* root = column(0);
    root->setFillParent();
    root->setMargin(2);

    // Heading: the title, and the close picture at the right edge.
    Box* heading = row();
    heading->addChild(horizontalGap(54));
    Label* headingLabel = textLabel(kTitleText);
    headingLabel->setFontSizeCode(kHeadingFont);
    heading->addChild(headingLabel);
    // Sized once the heading's text is known (fitHeading): a stretching spacer would share
    // the free width with the label and wrap it.
    headingGap_ = Spacer::take();
    headingGap_->setHorizontal();
    headingGap_->setExactWidth(0);
    heading->addChild(headingGap_);
    heading_ = heading;
    headingLabel_ = headingLabel;
    closePicture_ = Button::take();
    closePicture_->setText(u"#X");
    closePicture_->setExactWidth(50);
    closePicture_->setExactHeight(14);
    heading->addChild(closePicture_);
    root->addChild(heading);
    root->addChild(verticalGap(4));

    Box* main = column(0);
    main->setPercentWidth(100, false);

    // The picture at the full width, its height in proportion.
    pictureBox_ = Box::take();
    pictureBox_->setPercentWidth(100, false);
    int32_t pictureHeight = 0;
    const int32_t fullWidth = w.clientWidth() - 4;
    if (picture_ && !picture_->isEmpty() && fullWidth > 0)
        pictureHeight = (picture_->height() * fullWidth + picture_->width() / 2) / picture_->width();
    pictureBox_->setExactHeight(pictureHeight, false);
    pictureBox_->addPaintListener(this);
    main->addChild(pictureBox_);

    Box* titleRow = row();
    titleRow->setExactHeight(22, false);
    titleRow->setHorizontalMargin(7);
    iconBox_ = Box::take();
    iconBox_->setExactWidth(icon_ ? kIconSize : 0, false);
    iconBox_->setExactHeight(kIconSize, false);
    iconBox_->addPaintListener(this);
    titleRow->addChild(iconBox_);
    titleRow->addChild(horizontalGap(4));
    Label* title = textLabel(base);
    title->setFontSizeCode(kTitleFont);
    titleRow->addChild(title);
    main->addChild(titleRow);
    main->addChild(verticalGap(3));

    // The information rows: labels in one column, values in the next, line by line.
    Box* info = row();
    info->alignTop();
    info->setHorizontalMargin(7);
    Box* names = column(0);
    Box* values = column(0);
    for (int32_t id : {kVersionLabel, kUpdatedLabel, kLicenseLabel, kUrlLabel})
        names->addChild(textLabel(id));
    for (int32_t offset : {kVersionOffset, kUpdatedOffset, kLicenseOffset})
        values->addChild(textLabel(base + offset));
    addressLink_ = textLabel(kAddressText);
    addressLink_->setLink(true);
    addressLink_->addClickListener(this);
    values->addChild(addressLink_);
    info->addChild(names);
    info->addChild(horizontalGap(8));
    info->addChild(values);
    main->addChild(info);
    main->addChild(verticalGap(7));

    // The request for support: a framed, filled box with a line and the link.
    Box* supportRow = row();
    supportRow->setHorizontalMargin(7);
    supportOuter_ = column(0);
    supportOuter_->setPercentWidth(100, false);
    supportOuter_->setMargin(2);
    fillRgb(*supportOuter_, kSupportFrameColour);
    Box* inner = column(0);
    inner->setPercentWidth(100, false);
    inner->setMargin(3);
    inner->alignCenter();
    fillRgb(*inner, kSupportFillColour);
    Label* line = textLabel(base + kSupportLineOffset);
    line->setFontSizeCode(kSupportLineFont);
    // Dark on the pale fill, whatever the skin's text colour.
    line->setFontColour(51, 51, 51);
    line->setAlignment(1);
    inner->addChild(line);
    supportLink_ = textLabel(base + kSupportLinkOffset);
    supportLink_->setFontSizeCode(kSupportLinkFont);
    supportLink_->setLink(true);
    supportLink_->setAlignment(1);
    supportLink_->addClickListener(this);
    inner->addChild(supportLink_);
    supportOuter_->addChild(inner);
    supportRow->addChild(supportOuter_);
    main->addChild(supportRow);
    main->addChild(verticalGap(7));
    root->addChild(main);
    root->addChild(verticalGap(3));

    Box* buttons = row();
    buttons->alignCenter();
    closeButton_ = Button::take();
    closeButton_->setTextId(kCloseText);
    closeButton_->setExactWidth(100);
    closeButton_->setExactHeight(20);
    buttons->addChild(closeButton_);
    root->addChild(buttons);

    root_ = root;
    w.addChild(root);
}

void About3::fitContent() {
    Window& w = *window_;
    w.onWindowThread([this, &w] {
        // The close picture goes to the right edge, the heading keeps its one line.
        const int32_t free = heading_->clientWidth() - 54 - headingLabel_->maximumWidth() -
                             closePicture_->maximumWidth();
        headingGap_->setExactWidth(free > 0 ? free : 0);
        heading_->doLayout();
        // Taller texts (another font or language) make the window taller rather than cut
        // off the "Close" button.
        const int32_t missing = root_->minimumHeight() - w.clientHeight();
        if (missing > 0)
            w.resize(w.width(), w.height() + missing);
        w.doLayout();
    });
}

void About3::open(const char16_t* address) {
    if (address == nullptr || address[0] == 0)
        return;
    // A link the shell cannot open is not reported.
    (opener_ ? opener_ : &shellOpen)(address);
}

void About3::onEvent(base::IObject* source, int32_t eventId) {
    if (source == nullptr || window_ == nullptr)
        return;
    if (source == static_cast<base::IObject*>(window_)) {
        if (parent_)
            parent_->setEnabled(true);
        return;
    }
    if (parent_ && source == static_cast<base::IObject*>(parent_)) {
        if (eventId == IWindow::kActivate && window_->isVisible() && !window_->isClosed())
            window_->activate(true);
        return;
    }
    if (isSource(source, addressLink_)) {
        open(addressLink_->text());
        return;
    }
    if (isSource(source, supportLink_)) {
        open(localizer_ ? localizer_->text(supportPageId_) : nullptr);
        return;
    }
    Box* painted = isSource(source, pictureBox_) ? pictureBox_
                   : isSource(source, iconBox_)  ? iconBox_
                                                 : nullptr;
    if (painted == nullptr)
        return;
    HDC dc = static_cast<HDC>(painted->paintDC());
    if (dc == nullptr)
        return;
    RECT client;
    GetClientRect(painted->hwnd(), &client);
    HBRUSH brush = CreateSolidBrush(painted->backgroundColor());
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    if (painted == pictureBox_ && picture_)
        picture_->copyTo(dc, 0, 0, client.right, client.bottom, true);
    else if (painted == iconBox_ && icon_)
        DrawIconEx(dc, 0, (client.bottom - kIconSize) / 2, static_cast<HICON>(icon_), kIconSize,
                   kIconSize, 0, nullptr, DI_NORMAL);
    painted->skipDefaultPaint();
}

}  // namespace s::gui::dialogs
