#include "raster/RasterSysBitmap.h"

#include <cstdlib>

RasterSysBitmap::RasterSysBitmap(int w, int h) {
    Resize(w, h);
}

RasterSysBitmap::~RasterSysBitmap() {
    Release();
}

bool RasterSysBitmap::Allocate(int span, int h) {
    storage = std::malloc(size_t(span) * size_t(h) * sizeof(Pixel32));
    if (!storage)
        return false;
    pixels = static_cast<Pixel32*>(storage);
    allocSpan = span;
    allocHeight = h;
    return true;
}

void RasterSysBitmap::Release() {
    std::free(storage);
    storage = nullptr;
    pixels = nullptr;
    allocSpan = allocHeight = 0;
}
