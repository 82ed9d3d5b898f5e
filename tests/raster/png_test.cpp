#include "raster/RasterImageLoader.h"
#include "raster/RasterPng.h"
#include "raster/RasterPngWriter.h"
#include "raster_test_util.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The image in images/pattern.png.
const std::vector<Pixel32> pattern = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                      0x80FFFFFF, 0x00000000, 0xFF123456};

std::vector<uint8_t> Encode(PngImage image, const std::vector<uint8_t>& rows) {
    image.rows = rows.data();
    image.rowBytes = int(rows.size()) / image.height;
    std::vector<uint8_t> png;
    EXPECT_TRUE(EncodePng(image, png));
    return png;
}

PngImage Layout(int width, int height, PngColourType type, int depth) {
    PngImage image;
    image.width = width;
    image.height = height;
    image.colourType = type;
    image.bitDepth = depth;
    return image;
}

// Decodes into a new bitmap and returns its pixels (none on failure).
std::vector<Pixel32> Decoded(const std::vector<uint8_t>& png) {
    std::unique_ptr<RasterBitmap> bitmap(DecodePng(png.data(), int(png.size()), nullptr));
    return bitmap ? PixelsOf(*bitmap) : std::vector<Pixel32>{};
}

TEST(DecodePng, ConvertsEveryFormatToStraightArgb) {
    const Pixel32 palette[] = {0x00112233, 0x80445566, 0xFF778899};
    PngImage paletted = Layout(3, 1, PngColourType::Palette, 8);
    paletted.palette = palette;
    paletted.paletteSize = 3;
    PngImage packedPalette = paletted;
    packedPalette.bitDepth = 2;
    struct Case {
        const char* what;
        PngImage image;
        std::vector<uint8_t> rows;
        std::vector<Pixel32> expected;
    };
    const Case cases[] = {
        {"RGB gets alpha 255",
         Layout(2, 1, PngColourType::Rgb, 8),
         {1, 2, 3, 250, 251, 252},
         {0xFF010203, 0xFFFAFBFC}},
        {"RGBA keeps its alpha", Layout(1, 1, PngColourType::Rgba, 8), {1, 2, 3, 4}, {0x04010203}},
        {"palette with transparency", paletted, {0, 1, 2}, {palette[0], palette[1], palette[2]}},
        {"packed palette", packedPalette, {0x24}, {palette[0], palette[2], palette[1]}},
        {"16 bits drop their low byte",
         Layout(1, 1, PngColourType::Rgba, 16),
         {0x12, 0xFF, 0x34, 0xAB, 0x56, 0x80, 0xFF, 0x7F},
         {0xFF123456}},
        {"2-bit grey expands",
         Layout(4, 1, PngColourType::Grey, 2),
         {0x1B},
         {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}},
        {"grey with alpha", Layout(1, 1, PngColourType::GreyAlpha, 8), {0x40, 0x80}, {0x80404040}},
        {"16-bit grey", Layout(1, 1, PngColourType::Grey, 16), {0xC3, 0xFF}, {0xFFC3C3C3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decoded(Encode(c.image, c.rows)), c.expected) << c.what;
}

TEST(DecodePng, DecodesInterlacedImages) {
    std::vector<uint8_t> rows;
    std::vector<Pixel32> expected;
    for (int i = 0; i < 11 * 9; ++i) {
        const uint8_t r = uint8_t(i * 7), g = uint8_t(i * 13), b = uint8_t(255 - i),
                      a = uint8_t(i * 2);
        rows.insert(rows.end(), {r, g, b, a});
        expected.push_back(Pixel32(a) << 24 | Pixel32(r) << 16 | Pixel32(g) << 8 | b);
    }
    PngImage image = Layout(11, 9, PngColourType::Rgba, 8);
    image.interlaced = true;
    EXPECT_EQ(Decoded(Encode(image, rows)), expected);
}

TEST(DecodePng, DamagedDataGivesNull) {
    auto pattern = FromPixels(3, 2, ::pattern);
    std::vector<uint8_t> good;
    ASSERT_TRUE(EncodePng(*pattern, good));
    const auto truncated =
        std::vector<uint8_t>(good.begin(), good.begin() + long(good.size()) - 20);
    auto corrupt = good;
    corrupt[good.size() - 20] ^= 0x55; // inside the image data
    auto badSignature = good;
    badSignature[1] = 'Q';
    for (const auto& [what, data] :
         {std::pair{"truncated", truncated},
          {"corrupt", corrupt},
          {"bad signature", badSignature},
          {"signature only", std::vector<uint8_t>(good.begin(), good.begin() + 8)}})
        EXPECT_EQ(DecodePng(data.data(), int(data.size()), nullptr), nullptr) << what;
    EXPECT_EQ(DecodePng(good.data(), 7, nullptr), nullptr);
    EXPECT_EQ(DecodePng(good.data(), -1, nullptr), nullptr);
    EXPECT_EQ(DecodePng(nullptr, 100, nullptr), nullptr);
}

uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

TEST(DecodePng, RefusesSizesItsDataCannotHold) {
    auto pattern = FromPixels(3, 2, ::pattern);
    std::vector<uint8_t> png;
    ASSERT_TRUE(EncodePng(*pattern, png));
    // The header chunk's width and height become 16000, with a matching checksum.
    uint8_t* header = png.data() + 12; // chunk type, then width and height, big-endian
    for (int side = 0; side < 2; ++side) {
        header[4 + 4 * side + 2] = 16000 >> 8;
        header[4 + 4 * side + 3] = 16000 & 0xFF;
    }
    const uint32_t crc = Crc32(header, 4 + 13);
    for (int i = 0; i < 4; ++i)
        header[4 + 13 + i] = uint8_t(crc >> (24 - 8 * i));
    RasterMemBitmap into(2, 2, 4);
    EXPECT_EQ(DecodePng(png.data(), int(png.size()), &into), nullptr);
    EXPECT_EQ(into.Width(), 2) << "refused before resizing";
}

TEST(DecodePng, ResizesTheBitmapItDecodesInto) {
    auto pattern = FromPixels(3, 2, ::pattern);
    std::vector<uint8_t> png;
    ASSERT_TRUE(EncodePng(*pattern, png));
    RasterMemBitmap into(7, 5, 4);
    EXPECT_EQ(DecodePng(png.data(), int(png.size()), &into), &into);
    EXPECT_EQ(into.Width(), 3);
    EXPECT_EQ(into.Height(), 2);
    EXPECT_EQ(PixelsOf(into), ::pattern);
}

TEST(LoadPngFile, IsTheLoaderOfPngFiles) {
    const std::string path = testing::TempDir() + "raster_loader_test.Png";
    auto pattern = FromPixels(3, 2, ::pattern);
    ASSERT_TRUE(WritePngFile(path.c_str(), *pattern));
    const RasterImageLoader* loader = FindImageLoader(path.c_str());
    ASSERT_NE(loader, nullptr);
    EXPECT_STREQ(loader->description, "PNG files (*.PNG)");
    std::unique_ptr<RasterBitmap> loaded(loader->load(path.c_str(), nullptr));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(PixelsOf(*loaded), ::pattern);
    std::remove(path.c_str());
    EXPECT_EQ(LoadPngFile(path.c_str(), nullptr), nullptr);
    EXPECT_EQ(FindImageLoader("picture.jpg"), nullptr);
    EXPECT_EQ(FindImageLoader("png"), nullptr);
}

#ifdef _WIN32
void* ThisModule() {
    return GetModuleHandleA(nullptr);
}
#else
void* ThisModule() {
    return nullptr;
}
#endif

TEST(LoadPngResource, FindsImagesByTheLowBitsOfTheirId) {
    for (const int id : {1, 0x10001}) {
        std::unique_ptr<RasterBitmap> image(LoadPngResource(ThisModule(), id, nullptr));
        ASSERT_NE(image, nullptr) << id;
        EXPECT_EQ(PixelsOf(*image), ::pattern);
    }
    EXPECT_EQ(LoadPngResource(ThisModule(), 2, nullptr), nullptr) << "not a PNG";
    EXPECT_EQ(LoadPngResource(ThisModule(), 999, nullptr), nullptr) << "missing";
    EXPECT_EQ(LoadPngResource(ThisModule(), 0, nullptr), nullptr) << "no resource id";
}

#ifdef _WIN32
TEST(LoadPngResource, ReadsTheModuleItIsGiven) {
    HMODULE images = LoadLibraryA("raster_test_images.dll");
    ASSERT_NE(images, nullptr);
    std::unique_ptr<RasterBitmap> image(LoadPngResource(images, 3, nullptr));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(PixelsOf(*image), ::pattern);
    EXPECT_EQ(LoadPngResource(images, 1, nullptr), nullptr);
    EXPECT_EQ(LoadPngResource(ThisModule(), 3, nullptr), nullptr);
    FreeLibrary(images);
}
#endif

} // namespace
