#include "gui/font/font_attributes.h"

namespace s::gui::font {

SizeCodeEffect sizeCodeEffect(int32_t code) {
    SizeCodeEffect effect;
    int64_t magnitude = code < 0 ? -static_cast<int64_t>(code) : code;
    if (magnitude < 100) {
        effect = {true, 400, code + 10};
    } else if (magnitude < 1000) {
        effect = {true, 700, code % 100 + 14};
    } else if (code == 100001) {
        effect = {true, 400, 8};
    } else {
        return effect;
    }
    if (effect.pointSize < 1)
        effect.pointSize = 1;
    return effect;
}

FontAttributes::FontAttributes(const char16_t* face) {
    const char16_t* name = face && *face ? face : u"MS Shell Dlg 2";
    int32_t i = 0;
    for (; i < kFaceCapacity - 1 && name[i]; ++i)
        face_[i] = name[i];
    face_[i] = 0;
}

void FontAttributes::setFace(const char16_t* face) {
    int32_t i = 0;
    if (face) {
        for (; i < kFaceCapacity - 1 && face[i]; ++i)
            face_[i] = face[i];
    }
    face_[i] = 0;
    set_ |= kFace;
}

void FontAttributes::setHeight(int32_t height) {
    height_ = height;
    set_ |= kHeight;
}

void FontAttributes::setWidth(int32_t width) {
    width_ = width < 0 ? 0 : width;
    set_ |= kWidth;
}

void FontAttributes::setEscapement(int32_t v) {
    escapement_ = v;
    set_ |= kEscapement;
}

void FontAttributes::setOrientation(int32_t v) {
    orientation_ = v;
    set_ |= kOrientation;
}

void FontAttributes::setWeight(int32_t weight) {
    weight_ = weight < 0 ? 0 : (weight > 1000 ? 1000 : weight);
    set_ |= kWeight;
}

void FontAttributes::setItalic(bool on) {
    italic_ = on;
    set_ |= kItalic;
}

void FontAttributes::setUnderline(bool on) {
    underline_ = on;
    set_ |= kUnderline;
}

void FontAttributes::setStrikeOut(bool on) {
    strikeOut_ = on;
    set_ |= kStrikeOut;
}

void FontAttributes::setCharSet(uint8_t v) {
    charSet_ = v;
    set_ |= kCharSet;
}

void FontAttributes::setOutPrecision(uint8_t v) {
    outPrecision_ = v;
    set_ |= kOutPrecision;
}

void FontAttributes::setClipPrecision(uint8_t v) {
    clipPrecision_ = v;
    set_ |= kClipPrecision;
}

void FontAttributes::setQuality(uint8_t v) {
    quality_ = v;
    set_ |= kQuality;
}

void FontAttributes::setPitchAndFamily(uint8_t v) {
    pitchAndFamily_ = v;
    set_ |= kPitchAndFamily;
}

void FontAttributes::setTextColour(uint32_t r, uint32_t g, uint32_t b) {
    textColour_ = (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
    set_ |= kTextColour;
}

void FontAttributes::setColour2(uint32_t colour) {
    colour2_ = colour;
    set_ |= kColour2;
}

void FontAttributes::setColour3(uint32_t colour) {
    colour3_ = colour;
    set_ |= kColour3;
}

void FontAttributes::setFlag1(bool on) {
    flag1_ = on;
    set_ |= kFlag1;
}

void FontAttributes::setFlag2(bool on) {
    flag2_ = on;
    set_ |= kFlag2;
}

void FontAttributes::setPointSize(int32_t points) {
    pointSize_ = points < 1 ? 1 : points;
    set_ |= kPointSize;
}

bool FontAttributes::applySizeCode() {
    SizeCodeEffect effect = sizeCodeEffect(sizeCode_);
    if (!effect.applies)
        return false;
    if (!isSet(kWeight))
        weight_ = effect.weight;
    if (isSet(kHeight) || isSet(kWidth) || isSet(kPointSize))
        return false;
    pointSize_ = effect.pointSize;
    return true;
}

bool FontAttributes::setSizeCode(int32_t code) {
    sizeCode_ = code;
    set_ |= kSizeCode;
    return applySizeCode();
}

void FontAttributes::setDerivedSize(int32_t height, int32_t width) {
    height_ = height;
    width_ = width < 0 ? 0 : width;
}

bool FontAttributes::inheritFrom(const FontAttributes& other) {
    if (!isSet(kFace)) {
        for (int32_t i = 0; i < kFaceCapacity; ++i)
            face_[i] = other.face_[i];
    }
    // A size that this font asked for itself (by height, width or point size) keeps the
    // inherited height and width out; otherwise both come over together.
    bool ownSize = isSet(kHeight) || isSet(kWidth) || isSet(kPointSize);
    if (!ownSize) {
        height_ = other.height_;
        width_ = other.width_;
        pointSize_ = other.pointSize_;
    }
    if (!isSet(kEscapement))
        escapement_ = other.escapement_;
    if (!isSet(kOrientation))
        orientation_ = other.orientation_;
    if (!isSet(kWeight))
        weight_ = other.weight_;
    if (!isSet(kItalic))
        italic_ = other.italic_;
    if (!isSet(kUnderline))
        underline_ = other.underline_;
    if (!isSet(kStrikeOut))
        strikeOut_ = other.strikeOut_;
    if (!isSet(kCharSet))
        charSet_ = other.charSet_;
    if (!isSet(kOutPrecision))
        outPrecision_ = other.outPrecision_;
    if (!isSet(kClipPrecision))
        clipPrecision_ = other.clipPrecision_;
    if (!isSet(kQuality))
        quality_ = other.quality_;
    if (!isSet(kPitchAndFamily))
        pitchAndFamily_ = other.pitchAndFamily_;
    if (!isSet(kTextColour))
        textColour_ = other.textColour_;
    if (!isSet(kColour2))
        colour2_ = other.colour2_;
    if (!isSet(kColour3))
        colour3_ = other.colour3_;
    if (!isSet(kFlag1))
        flag1_ = other.flag1_;
    if (!isSet(kFlag2))
        flag2_ = other.flag2_;
    if (!isSet(kSizeCode)) {
        sizeCode_ = other.sizeCode_;
        return false;
    }
    return applySizeCode();
}

bool FontAttributes::operator==(const FontAttributes& other) const {
    for (int32_t i = 0; i < kFaceCapacity; ++i) {
        if (face_[i] != other.face_[i])
            return false;
        if (!face_[i])
            break;
    }
    return height_ == other.height_ && width_ == other.width_ && escapement_ == other.escapement_ &&
           orientation_ == other.orientation_ && weight_ == other.weight_ &&
           italic_ == other.italic_ && underline_ == other.underline_ &&
           strikeOut_ == other.strikeOut_ && charSet_ == other.charSet_ &&
           outPrecision_ == other.outPrecision_ && clipPrecision_ == other.clipPrecision_ &&
           quality_ == other.quality_ && pitchAndFamily_ == other.pitchAndFamily_ &&
           textColour_ == other.textColour_ && colour2_ == other.colour2_ &&
           colour3_ == other.colour3_ && sizeCode_ == other.sizeCode_ && flag1_ == other.flag1_ &&
           flag2_ == other.flag2_;
}

}  // namespace s::gui::font
