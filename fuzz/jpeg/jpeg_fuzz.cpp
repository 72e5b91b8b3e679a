// libFuzzer entry: any bytes through the JPEG decoder. A result is either a picture whose
// rows cover its size or an empty one; nothing may crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "image/jpg/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    s::image::jpg::DecodedPicture picture;
    const bool ok = s::image::jpg::decodeJpeg(data, size, picture);
    if (ok) {
        if (picture.width <= 0 || picture.height <= 0 || picture.stride < picture.width * 3 ||
            picture.bgr.size() != static_cast<size_t>(picture.stride) * picture.height)
            std::abort();
        // Touch the last byte so that a short buffer shows up under ASan.
        volatile uint8_t last = picture.bgr.back();
        (void)last;
    } else if (picture.width != 0 || picture.height != 0 || !picture.bgr.empty()) {
        std::abort();
    }
    return 0;
}
