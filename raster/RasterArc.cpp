#include "raster/RasterCombine.h"

using namespace raster;

namespace {

constexpr double twoPi = 6.283185307179586;

// The directions between two angles (0 up, clockwise), boundary rays included.
class Sector {
public:
    Sector(double angle1, double angle2)
        : whole(angle2 - angle1 >= twoPi), wide(angle2 - angle1 > twoPi / 2), x1(std::sin(angle1)),
          y1(-std::cos(angle1)), x2(std::sin(angle2)), y2(-std::cos(angle2)) {}

    bool Contains(double x, double y) const {
        if (whole || (x == 0.0 && y == 0.0))
            return true;
        // Clockwise from a to b is a positive cross product on screen (y downward). The
        // tolerance absorbs the rounding of rays through pixel centres.
        const double tolerance = 1e-5 * (std::fabs(x) + std::fabs(y));
        const double from1 = x1 * y - y1 * x, to2 = x * y2 - y * x2;
        if (!wide)
            return from1 >= -tolerance && to2 >= -tolerance;
        // More than half a turn: everything but the inside of the remaining sector.
        const double from2 = x2 * y - y2 * x, to1 = x * y1 - y * x1;
        return !(from2 > tolerance && to1 > tolerance);
    }

private:
    bool whole, wide;
    double x1, y1, x2, y2;
};

// Coverage 0..256 of the pixel at distance d from the centre: a ring of one pixel's width on
// the circle, or the disc, whose edge lies half a pixel beyond the radius.
int Coverage(double d, double r, bool filled, bool antialias) {
    const double inside = filled ? r + 0.5 - d : 0.5 - std::fabs(d - r);
    if (!antialias)
        return inside >= 0.0 ? 256 : 0;
    return int(std::max(0.0, std::min(1.0, inside + 0.5)) * 256.0);
}

// v held inside [0, size - 1]; pixels moved in from beyond get no coverage.
int Pin(double v, int size) {
    return int(std::max(0.0, std::min(v, double(size - 1))));
}

void DrawCircular(RasterBitmap* dest, float cx, float cy, float r, float angle1, float angle2,
                  Pixel32 colour, float weight, int mode, bool antialias, bool filled) {
    for (float v : {cx, cy, r, angle1, angle2})
        if (!std::isfinite(v))
            return;
    const Surface out(dest);
    const int ia = WeightAlpha(weight);
    if (out.Empty() || ia == 0 || r < 0.0f)
        return;
    if (angle2 < angle1)
        std::swap(angle1, angle2);
    const Sector sector(angle1, angle2);
    const double reach = double(r) + 1.0;
    const int left = Pin(std::floor(cx - reach), out.width),
              right = Pin(std::ceil(cx + reach), out.width);
    const int top = Pin(std::floor(cy - reach), out.height),
              bottom = Pin(std::ceil(cy + reach), out.height);
    for (int y = top; y <= bottom; ++y) {
        Pixel32* row = out.At(0, y);
        const double dy = double(y) - cy;
        for (int x = left; x <= right; ++x) {
            const double dx = double(x) - cx;
            const int coverage = Coverage(std::sqrt(dx * dx + dy * dy), r, filled, antialias);
            if (coverage > 0 && sector.Contains(dx, dy))
                Plot(row[x], colour, mode, coverage * ia >> 8);
        }
    }
}

} // namespace

void RasterArc(RasterBitmap* dest, float cx, float cy, float r, float angle1, float angle2,
               Pixel32 colour, float weight, int mode, bool antialias) {
    DrawCircular(dest, cx, cy, r, angle1, angle2, colour, weight, mode, antialias, false);
}

void RasterFillArc(RasterBitmap* dest, float cx, float cy, float r, float angle1, float angle2,
                   Pixel32 colour, float weight, int mode, bool antialias) {
    DrawCircular(dest, cx, cy, r, angle1, angle2, colour, weight, mode, antialias, true);
}
