#include "raster/RasterPng.h"

#include <png.h>

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr png_uint_32 maxSide = 16384;

// No deflate stream expands by more than this; an image needing more data than its file
// could hold is damaged, and is refused before its pixels are allocated.
constexpr unsigned long long maxInflation = 1032;

struct MemoryReader {
    const uint8_t* next;
    size_t left;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->left)
        png_error(png, "data ends early");
    std::memcpy(out, reader->next, count);
    reader->next += count;
    reader->left -= count;
}

// libpng's errors end the decoding quietly; warnings are of no interest.
void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void Ignore(png_structp, png_const_charp) {}

class PngReadStructs {
public:
    PngReadStructs() {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
        info = png ? png_create_info_struct(png) : nullptr;
    }
    ~PngReadStructs() { png_destroy_read_struct(&png, &info, nullptr); }
    PngReadStructs(const PngReadStructs&) = delete;
    PngReadStructs& operator=(const PngReadStructs&) = delete;

    png_structp png;
    png_infop info;
};

// Reads the header and sets libpng up to deliver rows of A, R, G, B bytes. False on an error.
// No object with a destructor may live here: libpng's errors jump back to the setjmp.
bool ReadHeader(png_structp png, png_infop info, size_t dataSize, png_uint_32& width,
                png_uint_32& height, int& passes) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, maxSide, maxSide);
    // Only the image and its transparency matter; every other ancillary chunk is skipped
    // unread, so a damaged length in one cannot ask for a huge buffer.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    int depth, type;
    png_get_IHDR(png, info, &width, &height, &depth, &type, nullptr, nullptr, nullptr);
    const unsigned long long rowBits = 8ull + 1ull * width * png_get_channels(png, info) * depth;
    if (height * ((rowBits + 7) / 8) > dataSize * maxInflation)
        return false;
    bool alpha = (type & PNG_COLOR_MASK_ALPHA) != 0;
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
        alpha = true;
    }
    if (depth == 16)
        png_set_strip_16(png);
    if (depth < 8)
        png_set_packing(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (alpha)
        png_set_swap_alpha(png);
    else
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == size_t(width) * 4;
}

// Decodes every pass of every row into the bitmap. False on an error.
bool ReadRows(png_structp png, int passes, Pixel32* pixels, int span, int height) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y)
            png_read_row(png, reinterpret_cast<png_bytep>(pixels + ptrdiff_t(y) * span), nullptr);
    return true;
}

// Turns each row's A, R, G, B bytes into Pixel32 values in place.
void BytesToPixels(Pixel32* pixels, int span, int width, int height) {
    for (int y = 0; y < height; ++y) {
        Pixel32* row = pixels + ptrdiff_t(y) * span;
        for (int x = 0; x < width; ++x) {
            const auto* b = reinterpret_cast<const uint8_t*>(row + x);
            row[x] = Pixel32(b[0]) << 24 | Pixel32(b[1]) << 16 | Pixel32(b[2]) << 8 | b[3];
        }
    }
}

// The bitmap to decode into, resized to width x height; null when that size cannot be had.
RasterBitmap* Destination(RasterBitmap* into, int width, int height,
                          std::unique_ptr<RasterBitmap>& created) {
    if (into)
        into->Resize(width, height);
    else
        created.reset(into = new (std::nothrow) RasterMemBitmap(width, height, 4));
    const bool fits = into && into->Width() == width && into->Height() == height &&
                      into->Pixels() && into->RowSpan() >= width;
    return fits ? into : nullptr;
}

// The whole file; nothing when it cannot be read or is larger than DecodePng takes.
std::vector<uint8_t> FileContents(const char* path) {
    std::vector<uint8_t> data;
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file)
        return data;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && size < INT_MAX && std::fseek(file, 0, SEEK_SET) == 0) {
            data.resize(size_t(size));
            if (std::fread(data.data(), 1, data.size(), file) != data.size())
                data.clear();
        }
    }
    std::fclose(file);
    return data;
}

} // namespace

RasterBitmap* DecodePng(const uint8_t* data, int size, RasterBitmap* into) {
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0)
        return nullptr;
    PngReadStructs structs;
    if (!structs.info)
        return nullptr;
    MemoryReader reader{data, size_t(size)};
    png_set_read_fn(structs.png, &reader, ReadFromMemory);
    png_uint_32 width = 0, height = 0;
    int passes = 0;
    if (!ReadHeader(structs.png, structs.info, size_t(size), width, height, passes))
        return nullptr;
    std::unique_ptr<RasterBitmap> created;
    RasterBitmap* bitmap = Destination(into, int(width), int(height), created);
    if (!bitmap || !ReadRows(structs.png, passes, bitmap->Pixels(), bitmap->RowSpan(), int(height)))
        return nullptr;
    BytesToPixels(bitmap->Pixels(), bitmap->RowSpan(), int(width), int(height));
    created.release();
    return bitmap;
}

RasterBitmap* LoadPngFile(const char* path, RasterBitmap* into) {
    const std::vector<uint8_t> data = FileContents(path);
    return DecodePng(data.data(), int(data.size()), into);
}
