#pragma once

#include <windows.h>

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "gui/font/font_attributes.h"

namespace s::gui::win {

// A platform font built from a FontAttributes. The handle is made on first use and made again
// after every change; the one it replaces is kept until the control that showed it has
// been given the new one (takeRetired()), so a control never holds a deleted font.
// Owned by its control; the control's thread.
class Font final : public base::IObject, public thread::Pooled<Font> {
public:
    // Holds a platform font: released fonts are deleted.
    static constexpr int32_t kPoolCapacity = 0;

    Font();
    ~Font() override;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const char16_t* className() const override { return u"s_gui_win_Font"; }
    Font* newInstance() const override { return take(); }
    // Handles deleted, the toolkit's defaults back.
    void reset() override;

    // The face every new font starts with: the visual style's caption font where the
    // system has one, else "MS Shell Dlg 2". Read once.
    static const char16_t* defaultFace();

    const font::FontAttributes& attributes() const { return attributes_; }
    // Changes go through edit(): the handle is made again afterwards when it exists.
    template <class F>
    void edit(F&& change) {
        bool wantsPoints = change(attributes_);
        if (wantsPoints || attributes_.pointSize() != pointsApplied_)
            applyPointSize();
        changed();
    }
    void setFace(const char16_t* face);
    void setHeight(int32_t height);
    void setWidth(int32_t width);
    void setWeight(int32_t weight);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    void setStrikeOut(bool on);
    void setQuality(uint8_t quality);
    void setTextColour(uint32_t r, uint32_t g, uint32_t b);
    void setPointSize(int32_t points);
    void setSizeCode(int32_t code);
    void setFlag1(bool on);
    void setFlag2(bool on);
    // Every attribute not set on this font comes from `other`.
    void inheritFrom(const Font& other);
    void inheritFrom(const font::FontAttributes& other);

    // The current handle, made when missing; nullptr when the system refuses.
    HFONT handle();
    bool hasHandle() const { return font_ != nullptr; }
    // Deletes the handle this font replaced: called once the control has been sent the
    // current one (WM_SETFONT with handle()).
    void deleteRetired();
    // Height of "test" in this font.
    int32_t lineHeight();
    // Fonts this class made that are still alive (a leak shows here).
    static int32_t liveCount();

private:
    void changed();
    void applyPointSize();
    HFONT create() const;

    font::FontAttributes attributes_;
    HFONT font_ = nullptr;
    HFONT retired_ = nullptr;
    int32_t pointsApplied_ = 0;
};

}  // namespace s::gui::win
