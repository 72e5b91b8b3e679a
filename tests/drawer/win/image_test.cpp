#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/array.h"
#include "image/jpg/win/jpeg.h"
#include "image/win/buffered_image.h"
#include "tests/drawer/win/gdi_count.h"

namespace s::image {
namespace {

using jpg::win::Jpeg;
using win::BufferedImage;
using win::DrawingContext;

struct Buffer {
    BufferedImage* image = BufferedImage::take();
    ~Buffer() { image->release(); }
    BufferedImage* operator->() const { return image; }
};

// Reads a pixel through GDI, as painting sees the bitmap.
COLORREF gdiPixel(BufferedImage* image, int x, int y) {
    DrawingContext* dc = DrawingContext::take();
    COLORREF c = CLR_INVALID;
    if (dc->open(nullptr, image, false))
        c = GetPixel(dc->dc(), x, y);
    dc->release();
    return c;
}

void gdiFill(BufferedImage* image, int l, int t, int r, int b, COLORREF colour) {
    DrawingContext* dc = DrawingContext::take();
    if (dc->open(nullptr, image, false)) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT rc = {l, t, r, b};
        FillRect(dc->dc(), &rc, brush);
        DeleteObject(brush);
    }
    dc->release();
}

TEST(BufferedImage, RowsAreStoredBottomUp) {
    Buffer b;
    ASSERT_TRUE(b->create(10, 3));
    EXPECT_EQ(b->width(), 10);
    EXPECT_EQ(b->height(), 3);
    EXPECT_EQ(b->pixelCount(), 30);
    EXPECT_EQ(b->byteCount(), 120);
    EXPECT_EQ(b->rowBytes(), 40);
    EXPECT_EQ(b->stride(), 40);
    EXPECT_EQ(std::u16string(b->className()), u"s_image_win_BufferedImage");
    const auto* base = reinterpret_cast<const uint8_t*>(b->rowAt(2));
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(b->rowAt(0)) - base, 80);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(b->rowAt(1)) - base, 40);
    EXPECT_EQ(b->rowAt(3), nullptr);
    EXPECT_EQ(b->rowAt(-1), nullptr);
    // Odd widths still give whole 32-bit rows; the rule holds for any depth.
    EXPECT_EQ(BufferedImage::strideOf(3, 24), 12);
    EXPECT_EQ(BufferedImage::strideOf(5, 1), 4);
    EXPECT_EQ(BufferedImage::strideOf(33, 1), 8);
}

TEST(BufferedImage, SmallerSizeKeepsTheBitmapAndAddressesItsRealRows) {
    Buffer b;
    ASSERT_TRUE(b->create(10, 10));
    HBITMAP bitmap = b->bitmap();
    ASSERT_TRUE(b->ensureCapacity(5, 5));
    EXPECT_EQ(b->bitmap(), bitmap);  // nothing reallocated
    EXPECT_EQ(b->width(), 5);
    EXPECT_EQ(b->height(), 5);
    EXPECT_EQ(b->capacityWidth(), 10);
    EXPECT_EQ(b->capacityHeight(), 10);
    EXPECT_EQ(b->stride(), 40);
    // What GDI paints at (x, y) is what row y holds, and the other way round.
    b->fill(RGB(0, 0, 0));
    gdiFill(b.image, 2, 3, 3, 4, RGB(255, 0, 0));
    EXPECT_EQ(b->pixel(2, 3), RGB(255, 0, 0));
    EXPECT_EQ(b->pixel(2, 2), RGB(0, 0, 0));
    b->rowAt(4)[1] = 0x0000FF00;  // green, in blue-green-red-reserved bytes
    EXPECT_EQ(gdiPixel(b.image, 1, 4), RGB(0, 255, 0));
    EXPECT_EQ(gdiPixel(b.image, 1, 9), RGB(0, 0, 0));
}

TEST(BufferedImage, GrowingKeepsThePixelsThatFitInBothSizes) {
    struct Case {
        int createW, createH, keepW, keepH, growW, growH;
    } cases[] = {
        {4, 3, 4, 3, 6, 5},       // plain growth
        {10, 10, 5, 5, 8, 12},    // shrunk in place, then grown taller
        {10, 10, 10, 10, 12, 4},  // wider but shorter: only 4 rows survive
    };
    for (const Case& c : cases) {
        Buffer b;
        ASSERT_TRUE(b->create(c.createW, c.createH));
        for (int y = 0; y < c.createH; ++y) {
            for (int x = 0; x < c.createW; ++x)
                b->rowAt(y)[x] = static_cast<uint32_t>(y * 100 + x + 1);
        }
        ASSERT_TRUE(b->ensureCapacity(c.keepW, c.keepH));
        ASSERT_TRUE(b->ensureCapacity(c.growW, c.growH));
        EXPECT_EQ(b->width(), c.growW);
        EXPECT_EQ(b->height(), c.growH);
        EXPECT_EQ(b->stride(), BufferedImage::strideOf(c.growW, 32));
        const int rows = std::min(c.keepH, c.growH), cols = std::min(c.keepW, c.growW);
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < cols; ++x) {
                ASSERT_EQ(b->rowAt(y)[x], static_cast<uint32_t>(y * 100 + x + 1))
                    << c.createW << "x" << c.createH << " at " << x << "," << y;
            }
        }
        // GDI agrees about where the rows are.
        gdiFill(b.image, 0, c.growH - 1, 1, c.growH, RGB(1, 2, 3));
        EXPECT_EQ(b->pixel(0, c.growH - 1), RGB(1, 2, 3));
    }
}

TEST(BufferedImage, UnusableSizesGiveAnEmptyBufferThatNothingWritesThrough) {
    struct Size {
        int w, h;
    } sizes[] = {{0, 0},        {0, 10},        {10, 0},
                 {-1, 5},       {5, -7},        {40000, 1},
                 {1, 40000},    {20000, 20000}, {INT32_MAX, INT32_MAX},
                 {INT32_MIN, 1}};
    for (const Size& s : sizes) {
        Buffer b;
        EXPECT_FALSE(b->create(s.w, s.h)) << s.w << "x" << s.h;
        EXPECT_FALSE(b->hasPixels());
        EXPECT_EQ(b->width(), 0);
        EXPECT_EQ(b->height(), 0);
        EXPECT_TRUE(b->isEmpty());
        EXPECT_EQ(b->rowAt(0), nullptr);
        EXPECT_EQ(b->bitmap(), nullptr);
        b->fill(RGB(1, 2, 3));  // nothing to write to
        EXPECT_EQ(b->pixel(0, 0), 0u);
        EXPECT_FALSE(b->ensureCapacity(s.w, s.h));
        EXPECT_FALSE(b->copyTo(GetDC(nullptr), 0, 0, 10, 10, false));
        DrawingContext* dc = DrawingContext::take();
        EXPECT_FALSE(dc->open(nullptr, b.image, false));
        EXPECT_EQ(dc->dc(), nullptr);
        dc->release();
        EXPECT_EQ(BufferedImage::make(s.w, s.h), nullptr);
    }
    // A failed growth keeps the buffer as it was.
    Buffer b;
    ASSERT_TRUE(b->create(4, 4));
    b->rowAt(0)[0] = 7;
    EXPECT_FALSE(b->ensureCapacity(40000, 4));
    EXPECT_EQ(b->width(), 4);
    EXPECT_EQ(b->rowAt(0)[0], 7u);
}

TEST(BufferedImage, BufferGivenBackToItsPoolFreesItsBitmap) {
    BufferedImage::pool().drain();
    const int32_t before = test::gdiCount().live;
    std::vector<BufferedImage*> taken;
    for (int i = 0; i < 20; ++i)
        taken.push_back(BufferedImage::make(64, 64));
    EXPECT_GE(test::gdiCount().live, before + 20);
    for (BufferedImage* b : taken)
        b->release();
    EXPECT_EQ(test::gdiCount().live, before);
    EXPECT_GE(BufferedImage::pool().idleCount(), 20);
    BufferedImage* again = BufferedImage::take();
    EXPECT_FALSE(again->hasPixels());
    EXPECT_EQ(again->capacityWidth(), 0);
    again->release();
}

TEST(DrawingContext, ClosingReleasesTheBufferOnlyWhenAsked) {
    BufferedImage::pool().drain();
    BufferedImage* kept = BufferedImage::make(8, 8);
    ASSERT_NE(kept, nullptr);
    DrawingContext* dc = DrawingContext::take();
    ASSERT_TRUE(dc->open(nullptr, kept, false));
    EXPECT_NE(dc->dc(), nullptr);
    dc->close();
    EXPECT_TRUE(kept->hasPixels());  // still ours
    EXPECT_EQ(BufferedImage::pool().idleCount(), 0);
    ASSERT_TRUE(dc->open(nullptr, kept, true));
    dc->release();  // closes, and gives the buffer back
    EXPECT_EQ(BufferedImage::pool().idleCount(), 1);
}

TEST(BufferedImage, CopiesClippedOrScaledToAContext) {
    Buffer source, target;
    ASSERT_TRUE(source->create(2, 2));
    source->fill(RGB(200, 0, 0));
    source->rowAt(1)[1] = 0x000000FF;  // blue at (1, 1)
    ASSERT_TRUE(target->create(8, 8));
    target->fill(RGB(0, 0, 0));
    DrawingContext* dc = DrawingContext::take();
    ASSERT_TRUE(dc->open(nullptr, target.image, false));
    EXPECT_TRUE(source->copyTo(dc->dc(), 1, 1, 5, 5, false));  // clipped to 2 x 2
    EXPECT_TRUE(source->copyTo(dc->dc(), 4, 4, 4, 4, true));   // scaled to 4 x 4
    dc->release();
    EXPECT_EQ(target->pixel(1, 1), RGB(200, 0, 0));
    EXPECT_EQ(target->pixel(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(target->pixel(3, 3), RGB(0, 0, 0));
    EXPECT_EQ(target->pixel(4, 4), RGB(200, 0, 0));
    EXPECT_EQ(target->pixel(7, 7), RGB(0, 0, 255));
}

TEST(BufferedImage, ResizingThousandsOfTimesLeavesGdiObjectsFlat) {
    Buffer b;
    ASSERT_TRUE(b->create(16, 16));
    const test::GdiCount before = test::gdiCount();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(b->ensureCapacity(16 + i % 97, 16 + i % 89));
        if (i % 3 == 0) {
            ASSERT_TRUE(b->create(8 + i % 50, 8 + i % 40));
        }
        if (i % 7 == 0) {
            EXPECT_FALSE(b->create(0, 4));
        }
    }
    const test::GdiCount after = test::gdiCount();
    std::printf(
        "[ figures  ] 1000 buffer resizes: GDI objects reported %lu -> %lu, "
        "in the handle table %d -> %d\n",
        before.reported, after.reported, before.live, after.live);
    EXPECT_LE(after.live, before.live);
}

// --- JPEG pictures ---

struct Picture {
    Jpeg* jpeg = Jpeg::take();
    ~Picture() { jpeg->release(); }
    Jpeg* operator->() const { return jpeg; }
};

std::vector<uint8_t> resourceBytes(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), L"IDR_JPG");
    if (!info)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, info)));
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, info));
}

TEST(Jpeg, TheEmbeddedPicturesDecode) {
    struct Case {
        int id, width, height;
    } cases[] = {{131, 340, 100}, {132, 160, 48}};
    for (const Case& c : cases) {
        Jpeg* picture = jpg::win::loadEmbeddedPicture(c.id);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->width(), c.width) << c.id;
        EXPECT_EQ(picture->height(), c.height) << c.id;
        EXPECT_EQ(picture->sourceComponents(), 3);
        // A real picture, not a flat fill.
        bool varied = false;
        for (int x = 0; x < c.width && !varied; ++x)
            varied = picture->pixel(x, c.height / 2) != picture->pixel(0, 0);
        EXPECT_TRUE(varied) << c.id;
        picture->release();
    }
    Jpeg* missing = jpg::win::loadEmbeddedPicture(999);
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->isEmpty());
    EXPECT_FALSE(missing->copyTo(GetDC(nullptr), 0, 0, 10, 10, false));
    missing->release();
}

TEST(Jpeg, DecodesFromAStream) {
    const std::vector<uint8_t> bytes = resourceBytes(132);
    ASSERT_FALSE(bytes.empty());
    col::_array::ArrayU08* array = col::_array::ArrayU08::take();
    array->addAll(bytes.data(), static_cast<int32_t>(bytes.size()));
    io::IInputStream* stream = array->streamOf();
    Picture p;
    EXPECT_TRUE(p->decode(*stream));
    stream->close();
    array->release();
    EXPECT_EQ(p->width(), 160);
}

}  // namespace
}  // namespace s::image
