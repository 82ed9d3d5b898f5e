#include "raster/RasterDraw.h"
#include "raster_test_util.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr float pi = 3.14159265f;

// A bitmap looking at the middle of a larger block whose border must stay untouched.
class GuardedBitmap : public RasterBitmap {
public:
    static constexpr int guard = 3;
    static constexpr Pixel32 sentinel = 0x5A5A5A5A;

    GuardedBitmap(int w, int h)
        : width(w), height(h), span(w + 2 * guard),
          block(size_t(span * (h + 2 * guard)), sentinel) {
        for (int y = 0; y < h; ++y)
            std::fill_n(Pixels() + y * span, w, 0);
    }
    Pixel32* Pixels() override { return block.data() + guard * span + guard; }
    int Width() override { return width; }
    int Height() override { return height; }
    int RowSpan() override { return span; }
    bool Resize(int, int) override { return false; }

    bool GuardIntact() {
        for (int y = -guard; y < height + guard; ++y)
            for (int x = -guard; x < width + guard; ++x)
                if ((x < 0 || y < 0 || x >= width || y >= height) &&
                    Pixels()[y * span + x] != sentinel)
                    return false;
        return true;
    }
    bool Drawn() {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (Pixels()[y * span + x] != 0)
                    return true;
        return false;
    }

private:
    int width, height, span;
    std::vector<Pixel32> block;
};

TEST(RasterClipping, EveryPrimitiveStaysInsideTheBitmap) {
    const int w = 12, h = 9;
    auto white = Filled(8, 8, 0xFFFFFFFF);
    const int alpha = BlendUseSourceAlpha;
    const std::pair<const char*, std::function<void(RasterBitmap*)>> draws[] = {
        {"blit over the top left",
         [&](RasterBitmap* b) { RasterBlit(b, white.get(), -3, -3, nullptr, 1.0f, BlendCopy); }},
        {"blit over the bottom right",
         [&](RasterBitmap* b) {
             RasterBlit(b, white.get(), w - 2, h - 2, nullptr, 0.6f, BlendAdd | alpha);
         }},
        {"rotated blit",
         [&](RasterBitmap* b) {
             RasterRotatedBlit(b, white.get(), -5, -5, 30, 30, 0, 0, 8, 8, 0.7f, false, 1.0f,
                               FilterBilinear, 0, 0);
         }},
        {"mirrored rotated blit",
         [&](RasterBitmap* b) {
             RasterRotatedBlit(b, white.get(), w + 3, h + 3, -20, -20, 0, 0, 8, 8, -2.0f, true,
                               0.5f, FilterBilinear | alpha, 1, 1);
         }},
        {"fill",
         [&](RasterBitmap* b) { RasterFillRect(b, -5, -5, 100, 100, 0xFF808080, 0.3f, BlendAdd); }},
        {"line across",
         [&](RasterBitmap* b) {
             RasterLine(b, -10, -10, 100, 37, 0xFFFFFFFF, 0.7f, BlendCopy, false);
         }},
        {"line down the last column",
         [&](RasterBitmap* b) {
             RasterLine(b, w - 1, -5, w - 1, h + 5, 0xFFFFFFFF, 0.5f, BlendCopy, false);
         }},
        {"line along the last row",
         [&](RasterBitmap* b) {
             RasterLine(b, w + 5, h - 1, -5, h - 1, 0xFFFFFFFF, 1.0f, BlendAdd, false);
         }},
        {"antialiased line across",
         [&](RasterBitmap* b) {
             RasterLineF(b, -3.3f, 2.2f, 50.7f, 7.9f, 0xFFFFFFFF, 1.0f, BlendCopy, true);
         }},
        {"antialiased line by the right edge",
         [&](RasterBitmap* b) {
             RasterLineF(b, w - 1.5f, -2, w - 1.5f, h + 2, 0xFFFFFFFF, 1.0f, BlendCopy, true);
         }},
        {"antialiased line on the last column",
         [&](RasterBitmap* b) {
             RasterLineF(b, w - 1.0f, 1, w - 1.0f, h - 1.0f, 0xFFFFFFFF, 0.8f, BlendCopy, true);
         }},
        {"antialiased line by the bottom edge",
         [&](RasterBitmap* b) {
             RasterLineF(b, -4, h - 1.3f, w + 4, h - 1.6f, 0xFFFFFFFF, 1.0f, BlendAdd, true);
         }},
        {"antialiased line rising to the corner",
         [&](RasterBitmap* b) {
             RasterLineF(b, -2, h + 1.5f, w + 0.5f, -1.5f, 0xFFFFFFFF, 1.0f, BlendCopy, true);
         }},
        {"circle round the corner",
         [&](RasterBitmap* b) {
             RasterArc(b, w - 1.0f, 0, 5, 0, 2 * pi, 0xFFFFFFFF, 1.0f, BlendCopy, true);
         }},
        {"arc over the bottom",
         [&](RasterBitmap* b) {
             RasterArc(b, 6, h, 4.5f, -2, 2, 0xFFFFFFFF, 1.0f, BlendCopy, false);
         }},
        {"sector over the left",
         [&](RasterBitmap* b) {
             RasterFillArc(b, 0, 4, 6, 3, 5, 0xFFFFFFFF, 1.0f, BlendCopy, true);
         }},
    };
    for (const auto& [what, draw] : draws) {
        GuardedBitmap bitmap(w, h);
        draw(&bitmap);
        EXPECT_TRUE(bitmap.GuardIntact()) << what;
        EXPECT_TRUE(bitmap.Drawn()) << what;
    }
}

TEST(RasterRotatedBlit, TurnByZeroWithFilteringReproducesTheSource) {
    std::vector<Pixel32> pixels;
    for (Pixel32 i = 0; i < 20; ++i)
        pixels.push_back(0x01030507 * (i + 1) + (i << 28));
    auto src = FromPixels(5, 4, pixels);
    auto dst = Filled(5, 4, 0);
    RasterRotatedBlit(dst.get(), src.get(), 0, 0, 5, 4, 0, 0, 5, 4, 0, false, 1.0f, FilterBilinear,
                      0, 0);
    EXPECT_EQ(PixelsOf(*dst), pixels);
}

TEST(RasterRotatedBlit, FilteringCoversExactlyThePixelsWhoseCentresLandOnTheSource) {
    const Pixel32 untouched = 0x11111111;
    struct Case {
        const char* what;
        float shift; // of the source position, in pixels
        std::vector<Pixel32> expected;
    };
    const Case cases[] = {
        {"a quarter pixel left: the first centre lies in the first pixel",
         -0.25f,
         {0x40404040, 0x70707070, 0xB0B0B0B0}},
        {"three quarters right: the last centre lies beyond the source",
         0.75f,
         {0x70707070, 0xB0B0B0B0, untouched}},
    };
    for (const Case& c : cases) {
        auto src = FromPixels(3, 1, {0x40404040, 0x80808080, 0xC0C0C0C0});
        auto dst = Filled(3, 1, untouched);
        RasterRotatedBlit(dst.get(), src.get(), 0, 0, 3, 1, 0, 0, 3, 1, 0, false, 1.0f,
                          FilterBilinear, c.shift, 0);
        EXPECT_EQ(PixelsOf(*dst), c.expected) << c.what;
    }
    // Twice the size: the outer destination pixels take the outer source pixels.
    auto src = FromPixels(2, 1, {0x40404040, 0xC0C0C0C0});
    auto dst = Filled(4, 2, untouched);
    RasterRotatedBlit(dst.get(), src.get(), 0, 0, 4, 2, 0, 0, 2, 1, 0, false, 1.0f, FilterBilinear,
                      0, 0);
    const std::vector<Pixel32> row = {0x40404040, 0x60606060, 0xA0A0A0A0, 0xC0C0C0C0};
    EXPECT_EQ(PixelsOf(*dst), (std::vector<Pixel32>{row[0], row[1], row[2], row[3], row[0], row[1],
                                                    row[2], row[3]}));
}

TEST(RasterRotatedBlit, TurnsAndMirrorsWholePixels) {
    struct Case {
        const char* what;
        float angle;
        int dstX, dstW;
        std::vector<Pixel32> expected;
    };
    const Case cases[] = {
        {"a positive angle turns clockwise", pi / 2, 0, 3, {7, 4, 1, 8, 5, 2, 9, 6, 3}},
        {"a negative angle turns anticlockwise", -pi / 2, 0, 3, {3, 6, 9, 2, 5, 8, 1, 4, 7}},
        {"half a turn", pi, 0, 3, {9, 8, 7, 6, 5, 4, 3, 2, 1}},
        {"a negative width mirrors", 0, 3, -3, {3, 2, 1, 6, 5, 4, 9, 8, 7}},
    };
    for (const Case& c : cases) {
        auto src = FromPixels(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
        auto dst = Filled(3, 3, 0);
        RasterRotatedBlit(dst.get(), src.get(), c.dstX, 0, c.dstW, 3, 0, 0, 3, 3, c.angle, false,
                          1.0f, BlendCopy, 0, 0);
        EXPECT_EQ(PixelsOf(*dst), c.expected) << c.what;
    }
}

TEST(RasterLineF, AntialiasedVerticalLineBetweenColumnsSplitsEvenly) {
    auto dst = Filled(16, 24, 0);
    RasterLineF(dst.get(), 10.5f, 5, 10.5f, 20, 0xFFFFFFFF, 1.0f, BlendCopy, true);
    std::vector<Pixel32> expected(16 * 24, 0);
    for (int y = 5; y <= 20; ++y) {
        expected[size_t(y * 16 + 10)] = 0x7F7F7F7F;
        expected[size_t(y * 16 + 11)] = 0x80808080;
    }
    EXPECT_EQ(PixelsOf(*dst), expected);
}

TEST(RasterLineF, AntialiasedLinesFollowTheirSlopeBothWays) {
    for (const float y2 : {4.0f, -4.0f}) {
        auto dst = Filled(10, 12, 0);
        RasterLineF(dst.get(), 1, 6, 9, 6 + y2, 0xFFFFFFFF, 1.0f, BlendCopy, true);
        for (int x = 1; x <= 9; ++x) {
            const int y = int(6 + y2 * float(x - 1) / 8); // exact at odd x, halfway at even x
            EXPECT_NE(PixelAt(*dst, x, y), 0u) << "x " << x << " slope " << y2;
            if ((x - 1) % 2 == 0) {
                EXPECT_EQ(PixelAt(*dst, x, y), 0xFFFFFFFFu) << "x " << x << " slope " << y2;
            }
        }
    }
}

TEST(RasterLine, AxisLinesTakeShortcutsAndDiagonalsTheRule) {
    auto dst = Filled(4, 4, 0);
    RasterLine(dst.get(), 3, 1, 0, 1, 0xFFFFFFFF, 0.5f, BlendCopy, false);
    RasterLine(dst.get(), -2, 4, 1, 1, 0xFFFFFFFF, 0.5f, BlendCopy, false);
    const Pixel32 h = 0x7F7F7F7F, d = 0x80808080;
    EXPECT_EQ(PixelsOf(*dst),
              (std::vector<Pixel32>{0, 0, 0, 0, h, 0xBFBFBFBF, h, h, d, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(RasterArc, AnglesStartUpAndTurnClockwise) {
    struct Case {
        const char* what;
        float angle1, angle2;
        bool left, top, right, bottom;
    };
    const Case cases[] = {
        {"top left quarter", -pi / 2, 0, true, true, false, false},
        {"angles in either order", 0, -pi / 2, true, true, false, false},
        {"three quarters, open at the bottom", -3 * pi / 4, 3 * pi / 4, true, true, true, false},
        {"past a whole turn", pi / 2, pi / 2 + 2 * pi, true, true, true, true},
    };
    for (const Case& c : cases) {
        auto dst = Filled(11, 11, 0);
        RasterArc(dst.get(), 5, 5, 3, c.angle1, c.angle2, 0xFFFFFFFF, 1.0f, BlendCopy, false);
        const auto drawn = [&](int x, int y) { return PixelAt(*dst, x, y) == 0xFFFFFFFF; };
        EXPECT_EQ(drawn(2, 5), c.left) << c.what;
        EXPECT_EQ(drawn(5, 2), c.top) << c.what;
        EXPECT_EQ(drawn(8, 5), c.right) << c.what;
        EXPECT_EQ(drawn(5, 8), c.bottom) << c.what;
        EXPECT_FALSE(drawn(5, 5)) << c.what;
    }
}

TEST(RasterArc, WholeCircleIsSymmetric) {
    auto dst = Filled(11, 11, 0);
    RasterArc(dst.get(), 5, 5, 4, 0, 2 * pi, 0xFFFFFFFF, 1.0f, BlendCopy, true);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x) {
            EXPECT_EQ(PixelAt(*dst, x, y), PixelAt(*dst, 10 - x, y));
            EXPECT_EQ(PixelAt(*dst, x, y), PixelAt(*dst, y, x));
        }
    EXPECT_EQ(PixelAt(*dst, 5, 1), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(*dst, 5, 5), 0u);
}

TEST(RasterFillArc, FillsTheSectorWithItsEdges) {
    auto dst = Filled(11, 11, 0);
    RasterFillArc(dst.get(), 5, 5, 3, 0, pi / 2, 0xFFFFFFFF, 1.0f, BlendCopy, false);
    struct Case {
        int x, y;
        bool filled;
    };
    for (const Case& c :
         {Case{5, 5, true}, Case{5, 2, true}, Case{8, 5, true}, Case{7, 3, true}, Case{4, 4, false},
          Case{6, 6, false}, Case{5, 8, false}, Case{9, 5, false}})
        EXPECT_EQ(PixelAt(*dst, c.x, c.y), c.filled ? 0xFFFFFFFFu : 0u) << c.x << "," << c.y;
}

} // namespace
