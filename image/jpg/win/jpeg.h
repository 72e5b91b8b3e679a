#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "base/streams.h"
#include "image/i_image.h"
#include "image/jpg/jpeg_decoder.h"

namespace s::image::jpg::win {

// A decoded JPEG picture: width, height and 24-bit rows (blue, green, red). Damaged data
// leaves it empty (0 x 0), and an empty picture draws nothing. Decoded on any thread, one
// picture by one thread at a time; drawn on the GUI thread.
class Jpeg final : public thread::Pooled<Jpeg, IImage> {
public:
    static constexpr const char16_t* kResourceType = u"IDR_JPG";

    const char16_t* className() const override { return u"s_image_jpg_win_Jpeg"; }
    Jpeg* newInstance() const override { return take(); }
    void reset() override { picture_.clear(); }

    int32_t width() const override { return picture_.width; }
    int32_t height() const override { return picture_.height; }
    bool copyTo(HDC__* dc, int32_t x, int32_t y, int32_t width, int32_t height,
                bool scaled) const override;

    // Replaces the picture with the decoded bytes; false (empty) on damaged data.
    bool decode(const uint8_t* data, size_t size);
    // Reads the rest of the stream and decodes it.
    bool decode(io::IInputStream& stream);
    // The resource of `type` and `id` in `module` (nullptr: the program itself); a missing
    // resource leaves the picture empty.
    bool loadResource(HMODULE module, const char16_t* type, int32_t id);

    // The pixel at (x, y) as 0x00BBGGRR (0 outside).
    uint32_t pixel(int32_t x, int32_t y) const;
    int32_t sourceComponents() const { return picture_.components; }
    const DecodedPicture& decoded() const { return picture_; }

private:
    DecodedPicture picture_;
};

// A pooled picture loaded from the program's resources (type "IDR_JPG"); empty when the
// resource is missing or damaged. The caller releases it.
Jpeg* loadEmbeddedPicture(int32_t id, HMODULE module = nullptr,
                          const char16_t* type = Jpeg::kResourceType);

}  // namespace s::image::jpg::win
