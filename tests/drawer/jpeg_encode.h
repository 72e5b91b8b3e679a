#pragma once

#include <cstdint>
#include <vector>

namespace s::test {

// Encodes width x height samples of `components` bytes each (1 grey, 3 RGB, 4 CMYK) with
// libjpeg at quality 100, for pictures made at test time.
std::vector<uint8_t> encodeJpeg(const std::vector<uint8_t>& samples, int width, int height,
                                int components);

}  // namespace s::test
