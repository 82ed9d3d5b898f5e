#include "raster/RasterDraw.h"
#include "raster_test_util.h"

#include <gtest/gtest.h>

namespace {

struct BlendCase {
    const char* what;
    Pixel32 source, destination;
    float weight;
    int mode;
    Pixel32 expected;
};

TEST(RasterBlit, CombinesEachPixelByTheRuleOfTheMode) {
    const int alpha = BlendUseSourceAlpha;
    const BlendCase cases[] = {
        {"copy at 0.5 halves each channel first", 0xFFFFFFFF, 0x00000000, 0.5f, BlendCopy,
         0x7F7F7F7F},
        {"copy at 0.75", 0xFFFFFFFF, 0x00000000, 0.75f, BlendCopy, 0xC0C0C0C0},
        {"alpha 0 leaves the destination", 0x00FF0000, 0xFF102030, 1.0f, alpha, 0xFF102030},
        {"alpha 255 replaces it", 0xFF112233, 0x80445566, 1.0f, alpha, 0xFF112233},
        {"alpha 128, full weight: 127/256 of the destination stays", 0x80FF0000, 0xFF0000FF, 1.0f,
         alpha, 0xFF81007E},
        {"alpha 128 adds to the destination alpha", 0x80FF0000, 0x100000FF, 1.0f, alpha,
         0x9081007E},
        {"alpha 128 just below full weight: the other rule", 0x80FF0000, 0xFF0000FF,
         255.0f / 256.0f, alpha, 0xFF80007F},
        {"alpha 128 at half weight", 0x80FF0000, 0xFF0000FF, 0.5f, alpha, 0xFF4000BF},
        {"add saturates", 0x80C0FF10, 0x80808080, 1.0f, BlendAdd, 0xFFFFFF90},
        {"add at half weight", 0x80C0FF10, 0x80808080, 0.5f, BlendAdd, 0xC0E0FF88},
        {"add weighted by source alpha", 0x80FF0000, 0x00000010, 1.0f, BlendAdd | alpha,
         0x40800010},
        {"dodge brightens and saturates", 0x00FF8040, 0x40404040, 1.0f, BlendDodge, 0x40FF8055},
        {"dodge keeps black black", 0xFFFFFFFF, 0x00000000, 1.0f, BlendDodge, 0x00000000},
        {"weights above 1 count as 1", 0x80FF0000, 0xFF0000FF, 7.0f, alpha, 0xFF81007E},
        {"an unknown rule draws nothing", 0xFFFFFFFF, 0x12345678, 1.0f, 7, 0x12345678},
    };
    for (const BlendCase& c : cases) {
        auto src = Filled(1, 1, c.source);
        auto dst = Filled(1, 1, c.destination);
        RasterBlit(dst.get(), src.get(), 0, 0, nullptr, c.weight, c.mode);
        EXPECT_EQ(PixelAt(*dst, 0, 0), c.expected) << c.what;
    }
}

TEST(RasterFillRect, TakesQuarterStepShortcutsOnlyForExactWeights) {
    const BlendCase cases[] = {
        {"full weight sets the colour", 0x11223344, 0xFFFFFFFF, 1.0f, BlendCopy, 0x11223344},
        {"quarter weight: shifted halves and quarters", 0x00000000, 0xFFFFFFFF, 0.25f, BlendCopy,
         0xBEBEBEBE},
        {"three quarters", 0xFFFFFFFF, 0x00000000, 0.75f, BlendCopy, 0xBEBEBEBE},
        {"colour alpha 245 blends at 245, not a shortcut", 0xF5FFFFFF, 0xFF000000, 1.0f,
         BlendUseSourceAlpha, 0xF5F5F5F5},
        {"colour alpha 128 makes the half-weight shortcut", 0x80FFFFFF, 0x00000000, 1.0f,
         BlendUseSourceAlpha, 0x407F7F7F},
        {"add saturates", 0x00808080, 0x00C04020, 1.0f, BlendAdd, 0x00FFC0A0},
    };
    for (const BlendCase& c : cases) {
        auto dst = Filled(2, 2, c.destination);
        RasterFillRect(dst.get(), 0, 0, 2, 2, c.source, c.weight, c.mode);
        EXPECT_EQ(PixelsOf(*dst), std::vector<Pixel32>(4, c.expected)) << c.what;
    }
}

TEST(RasterFillRect, ClipsToTheBitmap) {
    auto dst = Filled(3, 2, 0);
    RasterFillRect(dst.get(), -4, 1, 6, 5, 0xAA, 1.0f, BlendCopy);
    EXPECT_EQ(PixelsOf(*dst), (std::vector<Pixel32>{0, 0, 0, 0xAA, 0xAA, 0}));
    RasterFillRect(dst.get(), 3, 0, 1, 1, 0xBB, 1.0f, BlendCopy);
    RasterFillRect(dst.get(), 0, 0, 3, 2, 0xBB, 0.0f, BlendCopy);
    EXPECT_EQ(PixelsOf(*dst), (std::vector<Pixel32>{0, 0, 0, 0xAA, 0xAA, 0}));
}

TEST(RasterBlit, ClipsSourceAndDestinationOrigins) {
    struct Case {
        const char* what;
        int dstX;
        bool withRect;
        RasterRect rect;
        std::vector<Pixel32> expected;
    };
    const Case cases[] = {
        {"negative origin shifts the source", -1, false, {}, {2, 3, 4, 0}},
        {"origin beyond the destination draws nothing", 4, false, {}, {0, 0, 0, 0}},
        {"origin far before it draws nothing", -4, false, {}, {0, 0, 0, 0}},
        {"the destination cuts the run", 2, false, {}, {0, 0, 1, 2}},
        {"a rectangle left of the source moves the destination",
         0,
         true,
         {-1, 0, 4, 1},
         {0, 1, 2, 3}},
        {"a rectangle picks columns", 0, true, {1, 0, 3, 1}, {2, 3, 0, 0}},
        {"a rectangle beyond the source draws nothing", 0, true, {4, 0, 6, 1}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        auto src = FromPixels(4, 1, {1, 2, 3, 4});
        auto dst = Filled(4, 1, 0);
        RasterBlit(dst.get(), src.get(), c.dstX, 0, c.withRect ? &c.rect : nullptr, 1.0f,
                   BlendCopy);
        EXPECT_EQ(PixelsOf(*dst), c.expected) << c.what;
    }
}

TEST(RasterBlit, NullBitmapsDrawNothing) {
    auto bitmap = Filled(1, 1, 5);
    RasterBlit(nullptr, bitmap.get(), 0, 0, nullptr, 1.0f, BlendCopy);
    RasterBlit(bitmap.get(), nullptr, 0, 0, nullptr, 1.0f, BlendCopy);
    RasterMemBitmap empty(0, 0, 4);
    RasterBlit(bitmap.get(), &empty, 0, 0, nullptr, 1.0f, BlendCopy);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), 5u);
}

} // namespace
