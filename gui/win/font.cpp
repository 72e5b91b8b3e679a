#include "gui/win/font.h"

#include <uxtheme.h>

#include <atomic>
#include <mutex>

namespace s::gui::win {
namespace {

std::atomic<int32_t> liveFonts{0};

HFONT track(HFONT font) {
    if (font)
        ++liveFonts;
    return font;
}

void remove(HFONT& font) {
    if (!font)
        return;
    DeleteObject(font);
    font = nullptr;
    --liveFonts;
}

std::once_flag faceOnce;
char16_t themeFace[LF_FACESIZE] = u"MS Shell Dlg 2";

// The caption font of the visual style, through the library loaded at run time (it is
// missing on old systems).
void readThemeFace() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version) || version.dwMajorVersion < 6)
        return;
#pragma GCC diagnostic pop
    HMODULE theme = LoadLibraryW(L"UxTheme.dll");
    if (!theme)
        return;
    using Open = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using SysFont = HRESULT(WINAPI*)(HTHEME, int, LOGFONTW*);
    using Close = HRESULT(WINAPI*)(HTHEME);
    auto open =
        reinterpret_cast<Open>(reinterpret_cast<void*>(GetProcAddress(theme, "OpenThemeData")));
    auto sysFont = reinterpret_cast<SysFont>(
        reinterpret_cast<void*>(GetProcAddress(theme, "GetThemeSysFont")));
    auto close =
        reinterpret_cast<Close>(reinterpret_cast<void*>(GetProcAddress(theme, "CloseThemeData")));
    if (open && sysFont && close) {
        if (HTHEME data = open(nullptr, L"WINDOW")) {
            LOGFONTW font{};
            if (SUCCEEDED(sysFont(data, 801, &font)) && font.lfFaceName[0]) {
                for (int i = 0; i < LF_FACESIZE; ++i)
                    themeFace[i] = static_cast<char16_t>(font.lfFaceName[i]);
                themeFace[LF_FACESIZE - 1] = 0;
            }
            close(data);
        }
    }
    FreeLibrary(theme);
}

}  // namespace

const char16_t* Font::defaultFace() {
    std::call_once(faceOnce, readThemeFace);
    return themeFace;
}

Font::Font() : attributes_(defaultFace()) {}

Font::~Font() {
    remove(font_);
    remove(retired_);
}

void Font::reset() {
    remove(font_);
    remove(retired_);
    attributes_ = font::FontAttributes(defaultFace());
    pointsApplied_ = 0;
}

int32_t Font::liveCount() {
    return liveFonts.load();
}

HFONT Font::create() const {
    LOGFONTW lf{};
    lf.lfHeight = attributes_.height();
    lf.lfWidth = attributes_.width();
    lf.lfEscapement = attributes_.escapement();
    lf.lfOrientation = attributes_.orientation();
    lf.lfWeight = attributes_.weight();
    lf.lfItalic = attributes_.isItalic();
    lf.lfUnderline = attributes_.isUnderline();
    lf.lfStrikeOut = attributes_.isStrikeOut();
    lf.lfCharSet = attributes_.charSet();
    lf.lfOutPrecision = attributes_.outPrecision();
    lf.lfClipPrecision = attributes_.clipPrecision();
    lf.lfQuality = attributes_.quality();
    lf.lfPitchAndFamily = attributes_.pitchAndFamily();
    for (int i = 0; i < LF_FACESIZE - 1 && attributes_.face()[i]; ++i)
        lf.lfFaceName[i] = static_cast<wchar_t>(attributes_.face()[i]);
    return track(CreateFontIndirectW(&lf));
}

HFONT Font::handle() {
    if (!font_)
        font_ = create();
    return font_;
}

void Font::changed() {
    if (!font_)
        return;
    // The old handle may still be in a control: it is only retired. One retired earlier
    // and never replaced in a control meanwhile is still the control's, so an
    // intermediate handle is the one deleted.
    HFONT next = create();
    if (!next)
        return;
    if (retired_)
        remove(font_);
    else
        retired_ = font_;
    font_ = next;
}

void Font::deleteRetired() {
    remove(retired_);
}

void Font::applyPointSize() {
    int32_t points = attributes_.pointSize();
    pointsApplied_ = points;
    // A height or width set on the font itself wins over any point size.
    if (points <= 0 || attributes_.isSet(font::FontAttributes::kHeight) ||
        attributes_.isSet(font::FontAttributes::kWidth))
        return;
    // The logical height of a point font on the screen: what a point font in this face
    // is made with (its width is left to the face).
    HDC screen = GetDC(nullptr);
    if (!screen)
        return;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    attributes_.setDerivedSize(-MulDiv(points, dpi > 0 ? dpi : 96, 72), 0);
}

void Font::setFace(const char16_t* face) {
    edit([&](font::FontAttributes& s) {
        s.setFace(face);
        // A point size follows the face: the same points may be another height.
        return s.pointSize() > 0 && !s.isSet(font::FontAttributes::kHeight);
    });
}

void Font::setHeight(int32_t height) {
    edit([&](font::FontAttributes& s) {
        s.setHeight(height);
        return false;
    });
}

void Font::setWidth(int32_t width) {
    edit([&](font::FontAttributes& s) {
        s.setWidth(width);
        return false;
    });
}

void Font::setWeight(int32_t weight) {
    edit([&](font::FontAttributes& s) {
        s.setWeight(weight);
        return false;
    });
}

void Font::setBold(bool on) {
    setWeight(on ? 700 : 400);
}

void Font::setItalic(bool on) {
    edit([&](font::FontAttributes& s) {
        s.setItalic(on);
        return false;
    });
}

void Font::setUnderline(bool on) {
    edit([&](font::FontAttributes& s) {
        s.setUnderline(on);
        return false;
    });
}

void Font::setStrikeOut(bool on) {
    edit([&](font::FontAttributes& s) {
        s.setStrikeOut(on);
        return false;
    });
}

void Font::setQuality(uint8_t quality) {
    edit([&](font::FontAttributes& s) {
        s.setQuality(quality);
        return false;
    });
}

void Font::setTextColour(uint32_t r, uint32_t g, uint32_t b) {
    // The colour is not part of the platform font: nothing to make again.
    attributes_.setTextColour(r, g, b);
}

void Font::setPointSize(int32_t points) {
    edit([&](font::FontAttributes& s) {
        s.setPointSize(points);
        return true;
    });
}

void Font::setSizeCode(int32_t code) {
    edit([&](font::FontAttributes& s) { return s.setSizeCode(code); });
}

void Font::setFlag1(bool on) {
    attributes_.setFlag1(on);
}

void Font::setFlag2(bool on) {
    attributes_.setFlag2(on);
}

void Font::inheritFrom(const Font& other) {
    inheritFrom(other.attributes_);
}

void Font::inheritFrom(const font::FontAttributes& other) {
    edit([&](font::FontAttributes& s) { return s.inheritFrom(other); });
}

int32_t Font::lineHeight() {
    HFONT font = handle();
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return 0;
    HGDIOBJ before = font ? SelectObject(dc, font) : nullptr;
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, L"test", 4, &r, DT_CALCRECT | DT_NOPREFIX);
    if (before)
        SelectObject(dc, before);
    DeleteDC(dc);
    return r.bottom - r.top;
}

}  // namespace s::gui::win
