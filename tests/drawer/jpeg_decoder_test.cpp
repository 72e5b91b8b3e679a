#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "image/jpg/jpeg_decoder.h"
#include "tests/drawer/jpeg_encode.h"

namespace s::image {
namespace {

std::vector<uint8_t> fileBytes(const char* path) {
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path, "rb")) {
        uint8_t chunk[4096];
        size_t n = 0;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(f);
    }
    return bytes;
}

// The pixel at (x, y) as 0x00BBGGRR.
uint32_t pixelOf(const jpg::DecodedPicture& p, int x, int y) {
    const uint8_t* b =
        p.bgr.data() + static_cast<size_t>(y) * p.stride + static_cast<size_t>(x) * 3;
    return static_cast<uint32_t>(b[2]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[0]) << 16);
}

TEST(Jpeg, GreyscaleGivesEqualChannels) {
    const int w = 32, h = 8;
    std::vector<uint8_t> grey(w * h);
    for (int i = 0; i < w * h; ++i)
        grey[i] = static_cast<uint8_t>((i % w) * 8);
    jpg::DecodedPicture p;
    const std::vector<uint8_t> bytes = test::encodeJpeg(grey, w, h, 1);
    ASSERT_TRUE(jpg::decodeJpeg(bytes.data(), bytes.size(), p));
    EXPECT_EQ(p.components, 1);
    ASSERT_EQ(p.width, w);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t c = pixelOf(p, x, y);
            ASSERT_EQ(c & 0xFF, (c >> 8) & 0xFF);
            ASSERT_EQ(c & 0xFF, (c >> 16) & 0xFF);
            EXPECT_NEAR(static_cast<int>(c & 0xFF), x * 8, 3);
        }
    }
}

TEST(Jpeg, FourAndThreeComponentsBecomeBlueGreenRed) {
    struct Case {
        int components;
        uint8_t sample[4];
        uint32_t expected;  // 0x00BBGGRR
    } cases[] = {
        {4, {255, 0, 0, 128}, 0x000080u},
        {4, {0, 255, 255, 255}, 0xFFFF00u},
        {4, {100, 200, 50, 0}, 0u},
        {3, {10, 200, 30, 0}, 0x1EC80Au},
    };
    for (const Case& c : cases) {
        const int w = 16, h = 16;
        std::vector<uint8_t> samples;
        for (int i = 0; i < w * h; ++i)
            samples.insert(samples.end(), c.sample, c.sample + c.components);
        const std::vector<uint8_t> bytes = test::encodeJpeg(samples, w, h, c.components);
        jpg::DecodedPicture p;
        ASSERT_TRUE(jpg::decodeJpeg(bytes.data(), bytes.size(), p));
        EXPECT_EQ(p.components, c.components);
        const uint32_t got = pixelOf(p, 7, 7);
        for (int shift = 0; shift < 24; shift += 8)
            EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF),
                        static_cast<int>((c.expected >> shift) & 0xFF), 3)
                << c.components << " components, shift " << shift;
    }
}

// Puts a big-endian 16-bit value at the start-of-frame's height and width.
std::vector<uint8_t> withFrameSize(std::vector<uint8_t> bytes, int width, int height) {
    for (size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
            bytes[i + 5] = static_cast<uint8_t>(height >> 8);
            bytes[i + 6] = static_cast<uint8_t>(height);
            bytes[i + 7] = static_cast<uint8_t>(width >> 8);
            bytes[i + 8] = static_cast<uint8_t>(width);
            break;
        }
    }
    return bytes;
}

TEST(Jpeg, DamagedBytesGiveAnEmptyPictureAndTheCallerCarriesOn) {
    const std::vector<uint8_t> good = fileBytes(TELLAVO_BANNER_PATH);
    ASSERT_GT(good.size(), 1000u);
    std::vector<std::vector<uint8_t>> damaged;
    for (size_t cut : {good.size() / 2, good.size() - 3, size_t{700}, size_t{20}, size_t{2}})
        damaged.emplace_back(good.begin(), good.begin() + static_cast<long>(cut));
    std::srand(11);
    std::vector<uint8_t> garbage(4096);
    for (uint8_t& g : garbage)
        g = static_cast<uint8_t>(std::rand());
    damaged.push_back(garbage);
    std::vector<uint8_t> soiThenGarbage = garbage;
    soiThenGarbage[0] = 0xFF;
    soiThenGarbage[1] = 0xD8;
    damaged.push_back(soiThenGarbage);
    // The scan data overwritten with noise.
    std::vector<uint8_t> noisyScan = good;
    for (size_t i = noisyScan.size() / 2; i < noisyScan.size() - 2; ++i)
        noisyScan[i] = static_cast<uint8_t>(std::rand());
    damaged.push_back(noisyScan);
    damaged.push_back(withFrameSize(good, 60000, 60000));
    damaged.push_back(withFrameSize(good, 65535, 65535));
    damaged.push_back(withFrameSize(good, 0, 100));
    damaged.push_back(withFrameSize(good, 16000, 16000));
    for (size_t i = 0; i < damaged.size(); ++i) {
        jpg::DecodedPicture p;
        EXPECT_FALSE(jpg::decodeJpeg(damaged[i].data(), damaged[i].size(), p)) << "case " << i;
        EXPECT_EQ(p.width, 0) << "case " << i;
        EXPECT_EQ(p.height, 0) << "case " << i;
        EXPECT_TRUE(p.bgr.empty());
    }
    jpg::DecodedPicture p;
    EXPECT_FALSE(jpg::decodeJpeg(nullptr, 0, p));
    // A good picture still decodes after all that.
    EXPECT_TRUE(jpg::decodeJpeg(good.data(), good.size(), p));
    EXPECT_EQ(p.width, 340);
    EXPECT_EQ(p.height, 100);
    EXPECT_EQ(p.stride, 1020);
}

}  // namespace
}  // namespace s::image
