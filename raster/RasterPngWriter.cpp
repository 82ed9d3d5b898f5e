#include "raster/RasterPngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace {

void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void Ignore(png_structp, png_const_charp) {}

void AppendToVector(png_structp png, png_bytep data, size_t count) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

void Flush(png_structp) {}

int Channels(PngColourType type) {
    switch (type) {
    case PngColourType::GreyAlpha:
        return 2;
    case PngColourType::Rgb:
        return 3;
    case PngColourType::Rgba:
        return 4;
    default:
        return 1;
    }
}

bool Valid(const PngImage& image) {
    const long long bits = (long long)image.width * Channels(image.colourType) * image.bitDepth;
    const bool hasPalette = image.palette && image.paletteSize > 0 && image.paletteSize <= 256;
    return image.width > 0 && image.height > 0 && image.rows && image.rowBytes >= (bits + 7) / 8 &&
           (image.colourType != PngColourType::Palette || hasPalette);
}

// Sets the palette and, when some colour is not opaque, the transparency chunk.
void SetPalette(png_structp png, png_infop info, const PngImage& image) {
    png_color colours[256] = {};
    png_byte alphas[256] = {};
    int alphaCount = 0;
    for (int i = 0; i < image.paletteSize; ++i) {
        const Pixel32 p = image.palette[i];
        colours[i] = {png_byte(p >> 16), png_byte(p >> 8), png_byte(p)};
        alphas[i] = png_byte(p >> 24);
        if (alphas[i] != 255)
            alphaCount = i + 1;
    }
    png_set_PLTE(png, info, colours, image.paletteSize);
    if (alphaCount)
        png_set_tRNS(png, info, alphas, alphaCount, nullptr);
}

// Writes the whole image. False on a libpng error (an invalid depth for the colour type, say).
// No object with a destructor may live here: libpng's errors jump back to the setjmp.
bool WriteImage(png_structp png, png_infop info, const PngImage& image, std::vector<uint8_t>& out) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &out, AppendToVector, Flush);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.bitDepth,
                 int(image.colourType), image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.colourType == PngColourType::Palette)
        SetPalette(png, info, image);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < image.height; ++y)
            png_write_row(png, image.rows + ptrdiff_t(y) * image.rowBytes);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool EncodePng(const PngImage& image, std::vector<uint8_t>& out) {
    out.clear();
    if (!Valid(image))
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = info && WriteImage(png, info, image, out);
    png_destroy_write_struct(&png, &info);
    if (!written)
        out.clear();
    return written;
}

bool EncodePng(RasterBitmap& bitmap, std::vector<uint8_t>& out) {
    const int width = bitmap.Width(), height = bitmap.Height();
    const Pixel32* pixels = bitmap.Pixels();
    out.clear();
    if (!pixels || width <= 0 || height <= 0)
        return false;
    std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
    uint8_t* bytes = rgba.data();
    for (int y = 0; y < height; ++y) {
        const Pixel32* row = pixels + ptrdiff_t(y) * bitmap.RowSpan();
        for (int x = 0; x < width; ++x, bytes += 4) {
            bytes[0] = uint8_t(row[x] >> 16);
            bytes[1] = uint8_t(row[x] >> 8);
            bytes[2] = uint8_t(row[x]);
            bytes[3] = uint8_t(row[x] >> 24);
        }
    }
    PngImage image;
    image.width = width;
    image.height = height;
    image.rows = rgba.data();
    image.rowBytes = width * 4;
    return EncodePng(image, out);
}

bool WritePngFile(const char* path, RasterBitmap& bitmap) {
    std::vector<uint8_t> data;
    std::FILE* file = path && EncodePng(bitmap, data) ? std::fopen(path, "wb") : nullptr;
    if (!file)
        return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    return std::fclose(file) == 0 && written;
}
