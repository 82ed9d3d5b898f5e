#include "raster/RasterBitmap.h"

#include <cstdlib>

namespace {

constexpr size_t alignment = 64;
constexpr int maxSide = 1 << 24; // larger sides cannot be allocated anyway

int RowAlignMask(int rowAlign) {
    if (rowAlign < 2)
        return 0;
    const int lowestBit = rowAlign & -rowAlign;
    return lowestBit > 16 ? 15 : lowestBit - 1;
}

} // namespace

RasterMemBitmap::RasterMemBitmap(int w, int h, int rowAlign)
    : rowAlignMask(RowAlignMask(rowAlign)) {
    if (w > 0 && h > 0)
        Resize(w, h);
}

RasterMemBitmap::~RasterMemBitmap() {
    std::free(buffer);
}

Pixel32* RasterMemBitmap::Pixels() {
    if (!buffer)
        return nullptr;
    const auto address = reinterpret_cast<uintptr_t>(buffer);
    return reinterpret_cast<Pixel32*>((address + alignment - 1) & ~uintptr_t(alignment - 1));
}

int RasterMemBitmap::RowSpan() {
    return (width + rowAlignMask) & ~rowAlignMask;
}

void RasterMemBitmap::Release() {
    std::free(buffer);
    buffer = nullptr;
    capacity = 0;
}

bool RasterMemBitmap::Resize(int w, int h) {
    if (w <= 0 || h <= 0)
        w = h = 0;
    if (w == width && h == height)
        return false;
    width = w;
    height = h;
    if (w == 0) {
        Release();
        return true;
    }
    if (w > maxSide || h > maxSide) {
        Release();
        width = height = 0;
        return false;
    }
    const size_t needed = size_t(RowSpan()) * size_t(height) * sizeof(Pixel32);
    if (!buffer) {
        buffer = static_cast<unsigned char*>(std::malloc(needed + alignment - 1));
        capacity = buffer ? needed : 0;
    } else if (needed > capacity) {
        const size_t grown = needed + needed / 4;
        if (auto* moved =
                static_cast<unsigned char*>(std::realloc(buffer, grown + alignment - 1))) {
            buffer = moved;
            capacity = grown;
        } else {
            Release();
            buffer = static_cast<unsigned char*>(std::malloc(needed + alignment - 1));
            capacity = buffer ? needed : 0;
        }
    }
    if (buffer)
        return true;
    width = height = 0;
    return false;
}
