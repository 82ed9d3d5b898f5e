#pragma once
#include "raster/RasterBitmap.h"

#include <memory>
#include <vector>

inline std::unique_ptr<RasterMemBitmap> Filled(int w, int h, Pixel32 p) {
    auto bitmap = std::make_unique<RasterMemBitmap>(w, h, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap->Pixels()[y * bitmap->RowSpan() + x] = p;
    return bitmap;
}

// A bitmap holding the pixels row by row.
inline std::unique_ptr<RasterMemBitmap> FromPixels(int w, int h,
                                                   const std::vector<Pixel32>& pixels) {
    auto bitmap = std::make_unique<RasterMemBitmap>(w, h, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap->Pixels()[y * bitmap->RowSpan() + x] = pixels[size_t(y * w + x)];
    return bitmap;
}

// The pixels row by row.
inline std::vector<Pixel32> PixelsOf(RasterBitmap& bitmap) {
    std::vector<Pixel32> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Pixels()[y * bitmap.RowSpan() + x]);
    return pixels;
}

inline Pixel32 PixelAt(RasterBitmap& bitmap, int x, int y) {
    return bitmap.Pixels()[y * bitmap.RowSpan() + x];
}
