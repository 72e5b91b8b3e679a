#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// JPEG decoding through libjpeg, portable so that it is fuzzed natively.
namespace s::image::jpg {

// Decoded pixels: 3 bytes per pixel in the order blue, green, red; rows top-down, each
// `stride` bytes (padded to whole 32-bit words, as the platform's bitmaps want).
struct DecodedPicture {
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    int32_t components = 0;  // of the source: 1, 3 or 4
    std::vector<uint8_t> bgr;
    void clear() {
        width = height = stride = components = 0;
        bgr.clear();
        bgr.shrink_to_fit();
    }
};

// Pictures beyond these are refused before any pixel memory is taken.
inline constexpr int32_t kMaxJpegSide = 16384;
inline constexpr int64_t kMaxJpegPixels = 32LL * 1024 * 1024;

// Decodes `size` bytes. Damaged input (not a JPEG, truncated, corrupt data, a size beyond
// the limits, an unsupported component count) gives false and an empty picture; libjpeg's
// errors come back here rather than ending the process. Any thread.
bool decodeJpeg(const uint8_t* data, size_t size, DecodedPicture& out);

}  // namespace s::image::jpg
