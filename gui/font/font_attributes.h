#pragma once

#include <cstdint>

namespace s::gui::font {

// What a size code asks for (see FontAttributes::setSizeCode).
struct SizeCodeEffect {
    bool applies = false;  // false: the code is only stored
    int32_t weight = 400;
    int32_t pointSize = 10;
};
// |c| < 100: normal weight, c + 10 points; 100 <= |c| < 1000: bold, (c remainder 100, with
// the sign of c) + 14 points; 100001: normal, 8 points; any other code changes nothing.
// Point sizes below 1 become 1.
SizeCodeEffect sizeCodeEffect(int32_t code);

// The attributes of a font as the platform's logical font describes them, each with a flag
// telling whether it was set on this font itself (then inheritFrom() leaves it alone).
// Plain value; owned by its control; the control's thread.
class FontAttributes {
public:
    static constexpr int32_t kFaceCapacity = 32;  // units, terminator included
    enum Attribute : uint32_t {
        kFace = 1u << 0,
        kHeight = 1u << 1,
        kWidth = 1u << 2,
        kEscapement = 1u << 3,
        kOrientation = 1u << 4,
        kWeight = 1u << 5,
        kItalic = 1u << 6,
        kUnderline = 1u << 7,
        kStrikeOut = 1u << 8,
        kCharSet = 1u << 9,
        kOutPrecision = 1u << 10,
        kClipPrecision = 1u << 11,
        kQuality = 1u << 12,
        kPitchAndFamily = 1u << 13,
        kTextColour = 1u << 14,
        kColour2 = 1u << 15,
        kColour3 = 1u << 16,
        kSizeCode = 1u << 17,
        kFlag1 = 1u << 18,
        kFlag2 = 1u << 19,
        kPointSize = 1u << 20,
    };

    // The toolkit's defaults with `face` (null or empty: "MS Shell Dlg 2").
    explicit FontAttributes(const char16_t* face = nullptr);

    const char16_t* face() const { return face_; }
    int32_t height() const { return height_; }
    int32_t width() const { return width_; }
    int32_t escapement() const { return escapement_; }
    int32_t orientation() const { return orientation_; }
    int32_t weight() const { return weight_; }
    bool isBold() const { return weight_ >= 700; }
    bool isItalic() const { return italic_; }
    bool isUnderline() const { return underline_; }
    bool isStrikeOut() const { return strikeOut_; }
    uint8_t charSet() const { return charSet_; }
    uint8_t outPrecision() const { return outPrecision_; }
    uint8_t clipPrecision() const { return clipPrecision_; }
    uint8_t quality() const { return quality_; }
    uint8_t pitchAndFamily() const { return pitchAndFamily_; }
    uint32_t textColour() const { return textColour_; }
    uint32_t colour2() const { return colour2_; }
    uint32_t colour3() const { return colour3_; }
    int32_t sizeCode() const { return sizeCode_; }
    bool flag1() const { return flag1_; }
    bool flag2() const { return flag2_; }
    // The point size last asked for (explicitly or by a size code); 0 when none.
    int32_t pointSize() const { return pointSize_; }

    // Each setter marks its attribute as set on this font. Faces are cut to 31 units.
    void setFace(const char16_t* face);
    void setHeight(int32_t height);
    void setWidth(int32_t width);
    void setEscapement(int32_t v);
    void setOrientation(int32_t v);
    void setWeight(int32_t weight);
    void setBold(bool on) { setWeight(on ? 700 : 400); }
    void setItalic(bool on);
    void setUnderline(bool on);
    void setStrikeOut(bool on);
    void setCharSet(uint8_t v);
    void setOutPrecision(uint8_t v);
    void setClipPrecision(uint8_t v);
    void setQuality(uint8_t v);
    void setPitchAndFamily(uint8_t v);
    void setTextColour(uint32_t r, uint32_t g, uint32_t b);
    void setColour2(uint32_t colour);
    void setColour3(uint32_t colour);
    void setFlag1(bool on);
    void setFlag2(bool on);
    // Asks for a point size (the platform turns it into height and width).
    void setPointSize(int32_t points);
    // Stores the code and applies its effect: the weight unless the weight was set, the
    // point size unless the height, the width or a point size was set. True when a point
    // size is now wanted (pointSize()), which the platform must turn into a height.
    bool setSizeCode(int32_t code);
    // Height and width worked out by the platform from a point size; not marked as set.
    void setDerivedSize(int32_t height, int32_t width);

    bool isSet(Attribute attribute) const { return (set_ & attribute) != 0; }
    uint32_t setMask() const { return set_; }
    // Copies every attribute not set on this font from `other` (its own size code is then
    // applied again, so a code set here still wins over the inherited weight and size).
    // True when a point size is wanted afterwards.
    bool inheritFrom(const FontAttributes& other);

    bool operator==(const FontAttributes& other) const;

private:
    bool applySizeCode();

    char16_t face_[kFaceCapacity] = {};
    int32_t height_ = -13;
    int32_t width_ = 0;
    int32_t escapement_ = 0;
    int32_t orientation_ = 0;
    int32_t weight_ = 400;
    bool italic_ = false;
    bool underline_ = false;
    bool strikeOut_ = false;
    uint8_t charSet_ = 1;         // DEFAULT_CHARSET
    uint8_t outPrecision_ = 1;    // OUT_STRING_PRECIS
    uint8_t clipPrecision_ = 2;   // CLIP_STROKE_PRECIS
    uint8_t quality_ = 5;         // CLEARTYPE_QUALITY
    uint8_t pitchAndFamily_ = 2;  // VARIABLE_PITCH
    uint32_t textColour_ = 0;
    uint32_t colour2_ = 0xEEEEEE;
    uint32_t colour3_ = 0xEEEEEE;
    int32_t sizeCode_ = 0;
    bool flag1_ = false;
    bool flag2_ = false;
    int32_t pointSize_ = 0;
    uint32_t set_ = 0;
};

}  // namespace s::gui::font
