#include "raster/RasterSysBitmap.h"

namespace {

constexpr int maxSide = 1 << 24; // larger sides cannot be allocated anyway

} // namespace

bool RasterSysBitmap::Resize(int w, int h) {
    if (w <= 0 || h <= 0 || w > maxSide || h > maxSide)
        w = h = 0;
    if (w == width && h == height)
        return false;
    const int span = (w + 3) & ~3;
    if (span > 0 && span <= allocSpan && h <= allocHeight) {
        width = w;
        height = h;
        return true;
    }
    Release();
    width = height = 0;
    if (span == 0 || !Allocate(span, h))
        return false;
    width = w;
    height = h;
    return true;
}

int RasterSysBitmap::Extension(int id, void* data) {
    if (id == RasterExtSetScale && data)
        scale = *static_cast<int*>(data);
    return id == RasterExtGetScale ? scale : 0;
}
