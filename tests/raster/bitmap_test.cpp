#include "raster/RasterBitmap.h"
#include "raster/RasterSysBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

bool Aligned64(const void* p) {
    return reinterpret_cast<uintptr_t>(p) % 64 == 0;
}

TEST(RasterMemBitmap, RowSpanFollowsTheRowAlignment) {
    struct Case {
        int rowAlign, width, span;
    };
    for (const Case& c : {Case{0, 5, 5}, Case{1, 5, 5}, Case{4, 5, 8}, Case{4, 8, 8}, Case{6, 5, 6},
                          Case{64, 5, 16}}) {
        RasterMemBitmap bitmap(c.width, 2, c.rowAlign);
        EXPECT_EQ(bitmap.RowSpan(), c.span) << "row alignment " << c.rowAlign;
        EXPECT_TRUE(Aligned64(bitmap.Pixels()));
    }
}

TEST(RasterMemBitmap, GrowsByAQuarterAndNeverShrinks) {
    RasterMemBitmap bitmap(10, 10, 4); // span 12
    EXPECT_EQ(bitmap.Capacity(), 12u * 10 * 4);
    EXPECT_TRUE(bitmap.Resize(10, 11));
    EXPECT_EQ(bitmap.Capacity(), 12u * 11 * 4 * 5 / 4);
    Pixel32* grown = bitmap.Pixels();
    EXPECT_TRUE(bitmap.Resize(10, 13)); // still fits
    EXPECT_TRUE(bitmap.Resize(2, 2));
    EXPECT_EQ(bitmap.Pixels(), grown);
    EXPECT_EQ(bitmap.Capacity(), 12u * 11 * 4 * 5 / 4);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_FALSE(bitmap.Resize(2, 2));
}

TEST(RasterMemBitmap, EmptyOrNegativeSizesHoldNoPixels) {
    RasterMemBitmap bitmap(4, 4, 4);
    EXPECT_TRUE(bitmap.Resize(-3, -3));
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Pixels(), nullptr);
    EXPECT_EQ(bitmap.Capacity(), 0u);
    EXPECT_FALSE(bitmap.Resize(0, 7));
    EXPECT_FALSE(bitmap.IsBottomUp());
}

TEST(RasterSysBitmap, PadsRowsToFourPixelsAndReusesItsStorage) {
    RasterSysBitmap bitmap(5, 3);
    ASSERT_NE(bitmap.Pixels(), nullptr);
    EXPECT_EQ(bitmap.RowSpan(), 8);
    Pixel32* first = bitmap.Pixels();
    EXPECT_TRUE(bitmap.Resize(2, 2));
    EXPECT_EQ(bitmap.Pixels(), first);
    EXPECT_EQ(bitmap.RowSpan(), 8);
    EXPECT_FALSE(bitmap.Resize(2, 2));
#ifdef _WIN32
    EXPECT_NE(bitmap.DeviceContext(), nullptr);
#else
    EXPECT_EQ(bitmap.DeviceContext(), nullptr);
#endif
    EXPECT_EQ(bitmap.Extension(RasterExtGetScale, nullptr), 0);
}

TEST(RasterSysBitmap, ResizeToNothingReleasesAndCanGrowAgain) {
    RasterSysBitmap bitmap(4, 4);
    EXPECT_FALSE(bitmap.Resize(0, 4));
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Pixels(), nullptr);
    EXPECT_TRUE(bitmap.Resize(3, 3));
    ASSERT_NE(bitmap.Pixels(), nullptr);
    bitmap.Pixels()[2 * bitmap.RowSpan() + 2] = 0x12345678; // the last pixel is writable
    EXPECT_EQ(bitmap.RowSpan(), 4);
}

} // namespace
