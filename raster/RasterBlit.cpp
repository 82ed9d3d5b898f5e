#include "raster/RasterCombine.h"

#include <cstring>

using namespace raster;

namespace {

template <class Op>
void BlendRows(Pixel32* out, int outSpan, const Pixel32* in, int inSpan, int w, int h, Op op) {
    for (; h > 0; --h, out += outSpan, in += inSpan)
        for (int x = 0; x < w; ++x)
            out[x] = op(in[x], out[x]);
}

void CopyRows(Pixel32* out, int outSpan, const Pixel32* in, int inSpan, int w, int h) {
    for (; h > 0; --h, out += outSpan, in += inSpan)
        std::memmove(out, in, size_t(w) * sizeof(Pixel32));
}

// One axis of a blit: the source run [src, src + count) lands at dst. rectStart and rectEnd
// are the source rectangle's sides on this axis, when there is one.
bool ClipBlitAxis(const int* rectStart, const int* rectEnd, int srcSize, int dstPos, int dstSize,
                  int& src, int& dst, int& count) {
    long long end = srcSize, from = 0, to = dstPos;
    if (rectStart) {
        end = std::min<long long>(end, *rectEnd);
        if (*rectStart < 0)
            to -= *rectStart;
        else
            from = *rectStart;
    }
    if (to < 0) {
        from -= to;
        to = 0;
    }
    if (from >= end || to >= dstSize)
        return false;
    src = int(from);
    dst = int(to);
    count = int(std::min(end, from + dstSize - to) - from);
    return true;
}

// Source coordinates far outside any bitmap are held at a distance where the 16.16 walk over
// the widest destination cannot overflow.
float Limit(float v) {
    return std::max(-1.0e6f, std::min(v, 1.0e6f));
}

int ToInt(float v) {
    return int(Limit(v));
}

long long ToFixed(float v) {
    return (long long)(double(Limit(v)) * 65536.0);
}

// Where RasterRotatedBlit may sample, and how.
struct Sampler {
    const Surface& src;
    RasterRect bounds;
    bool bilinear;

    // The sample at the 16.16 position (s, t) relative to the bounds; false outside them. With
    // filtering the position is moved half a pixel onto the grid of pixel centres, and held at
    // the first centre in the outer half of the first column or row.
    bool operator()(long long s, long long t, Pixel32& out) const {
        const int w = bounds.R - bounds.L, h = bounds.B - bounds.T;
        if (s < 0 || t < 0 || (s >> 16) >= w || (t >> 16) >= h)
            return false;
        if (bilinear) {
            s = std::max(0LL, s - 0x8000);
            t = std::max(0LL, t - 0x8000);
        }
        const int x = int(s >> 16), y = int(t >> 16);
        const Pixel32* p = src.At(bounds.L + x, bounds.T + y);
        const bool right = x + 1 < w, below = y + 1 < h;
        const int fx = int(s & 0xFFFF), fy = int(t & 0xFFFF);
        if (!bilinear || (!right && !below))
            out = p[0];
        else if (right && below)
            out = Mix4(p[0], p[1], p[src.span], p[src.span + 1], fx, fy);
        else if (right)
            out = Mix2(p[0], p[1], fx);
        else
            out = Mix2(p[0], p[src.span], fy);
        return true;
    }

    static Pixel32 Mix2(Pixel32 a, Pixel32 b, int f) {
        return AllChannels(a, b,
                           [f](int ca, int cb) { return (ca * (0x10000 - f) + cb * f) >> 16; });
    }

    static Pixel32 Mix4(Pixel32 tl, Pixel32 tr, Pixel32 bl, Pixel32 br, int fx, int fy) {
        const int fxy = int((long long)fx * fy >> 16);
        const int wtl = 0x10000 - fx - fy + fxy, wtr = fx - fxy, wbl = fy - fxy;
        Pixel32 out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const auto c = [shift](Pixel32 p) { return int(p >> shift) & 0xFF; };
            const int v = (c(tl) * wtl + c(tr) * wtr + c(bl) * wbl + c(br) * fxy) >> 16;
            out |= Pixel32(v) << shift;
        }
        return out;
    }
};

} // namespace

void RasterBlit(RasterBitmap* dest, RasterBitmap* src, int dstX, int dstY,
                const RasterRect* srcRect, float weight, int mode) {
    const Surface out(dest), in(src);
    const int ia = WeightAlpha(weight);
    if (out.Empty() || in.Empty() || ia == 0)
        return;
    int sx, sy, dx, dy, w, h;
    if (!ClipBlitAxis(srcRect ? &srcRect->L : nullptr, srcRect ? &srcRect->R : nullptr, in.width,
                      dstX, out.width, sx, dx, w) ||
        !ClipBlitAxis(srcRect ? &srcRect->T : nullptr, srcRect ? &srcRect->B : nullptr, in.height,
                      dstY, out.height, sy, dy, h))
        return;
    Pixel32* to = out.At(dx, dy);
    const Pixel32* from = in.At(sx, sy);
    const bool plainCopy = (mode & (BlendCombineMask | BlendUseSourceAlpha)) == 0;
    if (plainCopy && weight == 1.0f)
        CopyRows(to, out.span, from, in.span, w, h);
    else if (plainCopy && weight == 0.5f)
        BlendRows(to, out.span, from, in.span, w, h, HalfOp{});
    else
        WithSourceOp(mode, ia, [&](auto op) { BlendRows(to, out.span, from, in.span, w, h, op); });
}

void RasterRotatedBlit(RasterBitmap* dest, RasterBitmap* src, int dstX, int dstY, int dstW,
                       int dstH, float srcX, float srcY, float srcW, float srcH, float angle,
                       bool clipToSourceRect, float weight, int mode, float rotCentreX,
                       float rotCentreY) {
    const Surface out(dest), in(src);
    const int ia = WeightAlpha(weight);
    for (float v : {srcX, srcY, srcW, srcH, angle, rotCentreX, rotCentreY})
        if (!std::isfinite(v))
            return;
    if (out.Empty() || in.Empty() || ia == 0 || dstW == 0 || dstH == 0)
        return;

    RasterRect bounds{0, 0, in.width, in.height};
    if (clipToSourceRect) {
        bounds.L = std::max(0, ToInt(srcX));
        bounds.T = std::max(0, ToInt(srcY));
        bounds.R = std::min(in.width, ToInt(srcX + srcW));
        bounds.B = std::min(in.height, ToInt(srcY + srcH));
        if (bounds.R <= bounds.L || bounds.B <= bounds.T)
            return;
    }

    long long x = dstX, y = dstY, w = dstW, h = dstH;
    if (w < 0) {
        w = -w;
        x -= w;
        srcX += srcW;
        srcW = -srcW;
    }
    if (h < 0) {
        h = -h;
        y -= h;
        srcY += srcH;
        srcH = -srcH;
    }

    const float c = std::cos(angle), s = std::sin(angle);
    const float scaleX = srcW / float(w), scaleY = srcH / float(h);
    const float dsdx = scaleX * c, dtdx = -scaleY * s, dsdy = scaleX * s, dtdy = scaleY * c;
    srcX -= (float(w) * dsdx + float(h) * dsdy - srcW) * 0.5f - rotCentreX;
    srcY -= (float(h) * dtdy + float(w) * dtdx - srcH) * 0.5f - rotCentreY;

    if (x < 0) {
        w += x;
        srcX -= float(x) * dsdx;
        srcY -= float(x) * dtdx;
        x = 0;
    }
    if (y < 0) {
        h += y;
        srcY -= float(y) * dtdy;
        srcX -= float(y) * dsdy;
        y = 0;
    }
    if (w <= 0 || h <= 0 || x >= out.width || y >= out.height)
        return;
    w = std::min<long long>(w, out.width - x);
    h = std::min<long long>(h, out.height - y);

    const Sampler sample{in, bounds, (mode & FilterBilinear) != 0};
    const long long stepSX = ToFixed(dsdx), stepTX = ToFixed(dtdx);
    const long long stepSY = ToFixed(dsdy), stepTY = ToFixed(dtdy);
    // Each destination pixel samples the source where its centre lands: the pixel there, or
    // with filtering the four pixels whose centres surround that point.
    const float firstX = srcX + 0.5f * (dsdx + dsdy) - float(bounds.L);
    const float firstY = srcY + 0.5f * (dtdx + dtdy) - float(bounds.T);
    long long rowS = ToFixed(firstX), rowT = ToFixed(firstY);
    WithSourceOp(mode, ia, [&](auto op) {
        Pixel32* row = out.At(int(x), int(y));
        for (long long j = 0; j < h; ++j, row += out.span, rowS += stepSY, rowT += stepTY) {
            long long ps = rowS, pt = rowT;
            for (long long i = 0; i < w; ++i, ps += stepSX, pt += stepTX) {
                Pixel32 p;
                if (sample(ps, pt, p))
                    row[i] = op(p, row[i]);
            }
        }
    });
}
