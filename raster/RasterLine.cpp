#include "raster/RasterCombine.h"

#include <cstdlib>

using namespace raster;

namespace {

enum : int { OutLeft = 1, OutRight = 2, OutAbove = 4, OutBelow = 8 };

template <class T> int OutCode(T x, T y, T maxX, T maxY) {
    return (x < 0      ? OutLeft
            : x > maxX ? OutRight
                       : 0) |
           (y < 0      ? OutAbove
            : y > maxY ? OutBelow
                       : 0);
}

// Cohen-Sutherland clipping of a segment to [0, maxX] x [0, maxY]. A point moved onto the right
// or bottom side lands on edgeX or edgeY. Intersections are computed in double precision and
// converted to T by truncation. False when nothing of the segment remains.
template <class T> bool ClipSegment(T& x1, T& y1, T& x2, T& y2, T maxX, T maxY, T edgeX, T edgeY) {
    for (int pass = 0; pass < 32; ++pass) {
        const int code1 = OutCode(x1, y1, maxX, maxY), code2 = OutCode(x2, y2, maxX, maxY);
        if (!(code1 | code2))
            return true;
        if (code1 & code2)
            return false;
        const int code = code1 ? code1 : code2;
        const double dx = double(x2) - double(x1), dy = double(y2) - double(y1);
        double nx, ny;
        if (code & (OutLeft | OutRight)) {
            nx = code & OutLeft ? 0.0 : double(edgeX);
            ny = double(y1) + dy * (nx - double(x1)) / dx;
        } else {
            ny = code & OutAbove ? 0.0 : double(edgeY);
            nx = double(x1) + dx * (ny - double(y1)) / dy;
        }
        (code1 ? x1 : x2) = T(nx);
        (code1 ? y1 : y2) = T(ny);
    }
    return false;
}

// Integer coordinates far outside any bitmap, kept where the line arithmetic stays exact.
int Truncate(float v) {
    return int(std::max(-1.0e9f, std::min(v, 1.0e9f)));
}

template <class Op>
void Bresenham(const Surface& out, int x1, int y1, int x2, int y2, Pixel32 colour, Op op) {
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    for (int error = dx + dy;;) {
        Pixel32* p = out.At(x1, y1);
        *p = op(colour, *p);
        if (x1 == x2 && y1 == y2)
            return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x1 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y1 += sy;
        }
    }
}

// Plots the covered pixel (x, y) when it lies inside the bitmap.
void PlotCovered(const Surface& out, int x, int y, Pixel32 colour, int mode, int ia) {
    if (ia > 0 && x >= 0 && y >= 0 && x < out.width && y < out.height)
        Plot(*out.At(x, y), colour, mode, ia);
}

} // namespace

void RasterLine(RasterBitmap* dest, int x1, int y1, int x2, int y2, Pixel32 colour, float weight,
                int mode, bool /*antialias*/) {
    const Surface out(dest);
    const int ia = WeightAlpha(weight);
    if (out.Empty() || ia == 0 ||
        !ClipSegment(x1, y1, x2, y2, out.width - 1, out.height - 1, out.width - 1, out.height - 1))
        return;
    const int dx = x2 - x1, dy = y2 - y1;
    const bool axis = dx == 0 || dy == 0;
    const bool diagonal = std::abs(dx) == std::abs(dy);
    const bool quarterSteps =
        axis && (weight == 1.0f || weight == 0.5f || weight == 0.25f || weight == 0.75f);
    WithColourOp(mode, ia, quarterSteps, [&](auto op) {
        if (!axis && !diagonal)
            return Bresenham(out, x1, y1, x2, y2, colour, op);
        const ptrdiff_t step = (dx > 0) - (dx < 0) + ((dy > 0) - (dy < 0)) * ptrdiff_t(out.span);
        Pixel32* p = out.At(x1, y1);
        for (int n = std::max(std::abs(dx), std::abs(dy)); n >= 0; --n, p += step)
            *p = op(colour, *p);
    });
}

void RasterLineF(RasterBitmap* dest, float x1, float y1, float x2, float y2, Pixel32 colour,
                 float weight, int mode, bool antialias) {
    for (float v : {x1, y1, x2, y2})
        if (!std::isfinite(v))
            return;
    if (!antialias)
        return RasterLine(dest, Truncate(x1), Truncate(y1), Truncate(x2), Truncate(y2), colour,
                          weight, mode, false);
    const Surface out(dest);
    const int ia = WeightAlpha(weight);
    const float maxX = float(out.width - 1), maxY = float(out.height - 1);
    if (out.Empty() || ia == 0 || !ClipSegment(x1, y1, x2, y2, maxX, maxY, maxX - 1, maxY - 1) ||
        (x1 == x2 && y1 == y2))
        return;

    // Walk the major axis from its smaller end; the minor coordinate is 16.16 fixed point.
    const bool xMajor = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
    float major1 = xMajor ? x1 : y1, minor1 = xMajor ? y1 : x1;
    float major2 = xMajor ? x2 : y2, minor2 = xMajor ? y2 : x2;
    if (major2 < major1) {
        std::swap(major1, major2);
        std::swap(minor1, minor2);
    }
    const int first = int(std::ceil(major1)), last = int(std::floor(major2));
    const float slope = (minor2 - minor1) / (major2 - major1);
    const float minor = minor1 + (float(first) - major1) * slope;
    const float whole = std::floor(minor);
    long long position = (long long)whole * 0x10000 + (long long)((minor - whole) * 65536.0f);
    const long long step = (long long)(slope * 65536.0f);
    for (int m = first; m <= last; ++m, position += step) {
        const int i = int(position >> 16), f = int(position & 0xFFFF) >> 8;
        const int ia0 = (255 - f) * ia >> 8, ia1 = f * ia >> 8;
        PlotCovered(out, xMajor ? m : i, xMajor ? i : m, colour, mode, ia0);
        PlotCovered(out, xMajor ? m : i + 1, xMajor ? i + 1 : m, colour, mode, ia1);
    }
}
