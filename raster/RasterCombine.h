#pragma once
// The per-pixel combine rules and their selection by blend mode. Internal to the raster library.
#include "raster/RasterDraw.h"

#include <algorithm>
#include <cmath>

namespace raster {

// The integer weight 0..256 of an opacity: truncated, NaN and negatives 0, above 1 capped.
inline int WeightAlpha(float weight) {
    if (!(weight > 0.0f))
        return 0;
    return weight >= 1.0f ? 256 : int(weight * 256.0f);
}

inline int Alpha(Pixel32 p) {
    return int(p >> 24);
}

inline int Clamp255(int v) {
    return std::min(v, 255);
}

// Applies f(source channel, destination channel) to the channels selected by the shifts.
template <int FirstShift, int EndShift, class F>
inline Pixel32 Channels(Pixel32 s, Pixel32 d, F f) {
    Pixel32 out = 0;
    for (int shift = FirstShift; shift < EndShift; shift += 8)
        out |= Pixel32(f(int(s >> shift) & 0xFF, int(d >> shift) & 0xFF)) << shift;
    return out;
}
template <class F> inline Pixel32 AllChannels(Pixel32 s, Pixel32 d, F f) {
    return Channels<0, 32>(s, d, f);
}
template <class F> inline Pixel32 ColourChannels(Pixel32 s, Pixel32 d, F f) {
    return Channels<0, 24>(s, d, f);
}

// s moved toward d by keep/256, the division truncating toward zero.
inline int Mix(int s, int d, int keep) {
    return s + (d - s) * keep / 256;
}

// Each op maps (source, destination) to the new destination pixel. The first four are the
// copies at weights 1, 1/2, 1/4 and 3/4 by shifts, each channel shifted before adding.
struct SetOp {
    Pixel32 operator()(Pixel32 s, Pixel32) const { return s; }
};
struct HalfOp {
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        return ((s >> 1) & 0x7F7F7F7F) + ((d >> 1) & 0x7F7F7F7F);
    }
};
struct QuarterOp {
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        return ((d >> 1) & 0x7F7F7F7F) + ((d >> 2) & 0x3F3F3F3F) + ((s >> 2) & 0x3F3F3F3F);
    }
};
struct ThreeQuarterOp {
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        return ((s >> 1) & 0x7F7F7F7F) + ((s >> 2) & 0x3F3F3F3F) + ((d >> 2) & 0x3F3F3F3F);
    }
};
// Copy at weight ia.
struct CopyOp {
    int ia;
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        return AllChannels(s, d, [k = 256 - ia](int sc, int dc) { return Mix(sc, dc, k); });
    }
};
// Copy weighted by source alpha at full weight. It keeps (255 - alpha)/256 of the destination
// where the weighted rule below keeps (256 - w)/256: the two differ on purpose, and pictures
// drawn with them depend on both.
struct CopyAlphaFullOp {
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        const int sa = Alpha(s);
        if (sa == 0 || sa == 255)
            return sa ? s : d;
        const Pixel32 colour =
            ColourChannels(s, d, [k = 255 - sa](int sc, int dc) { return Mix(sc, dc, k); });
        return colour | Pixel32(Clamp255(Alpha(d) + sa)) << 24;
    }
};
// Copy weighted by source alpha and by ia below 256.
struct CopyAlphaOp {
    int ia;
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        const int sa = Alpha(s);
        if (sa == 0)
            return d;
        const int w = ia * (sa + 1) / 256;
        const Pixel32 colour =
            ColourChannels(s, d, [k = 256 - w](int sc, int dc) { return Mix(sc, dc, k); });
        return colour | Pixel32(Clamp255(Alpha(d) + w)) << 24;
    }
};
// The additive rules saturate each channel at 255.
struct AddOp {
    int ia;
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        return AllChannels(s, d,
                           [ia = ia](int sc, int dc) { return Clamp255(dc + sc * ia / 256); });
    }
};
struct AddAlphaOp {
    int ia;
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        const int sa = Alpha(s);
        if (sa == 0)
            return d;
        const int w = ia * (sa + 1) / 256;
        const Pixel32 colour =
            ColourChannels(s, d, [w](int sc, int dc) { return Clamp255(dc + sc * w / 256); });
        return colour | Pixel32(Clamp255(Alpha(d) + sa * w / 256)) << 24;
    }
};
// Dodge brightens the destination by dividing it by the inverted source.
struct DodgeOp {
    int ia;
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        return AllChannels(s, d, [ia = ia](int sc, int dc) {
            const int x = sc * ia / 256;
            return Clamp255(x > 254 ? dc * 256 : dc * 256 / (256 - x));
        });
    }
};
struct DodgeAlphaOp {
    int ia;
    Pixel32 operator()(Pixel32 s, Pixel32 d) const {
        return DodgeOp{ia * (Alpha(s) + 1) / 256}(s, d);
    }
};

// Calls fn with the op of a colour drawn with weight ia (sources without their own alpha:
// fills, lines, arcs). With quarterSteps, copies at ia 256, 128, 64 and 192 take the exact
// shift formulas. Returns false, drawing nothing, for an unknown combine rule.
template <class Fn> bool WithColourOp(int mode, int ia, bool quarterSteps, Fn&& fn) {
    switch (mode & BlendCombineMask) {
    case BlendCopy:
        if (quarterSteps && ia == 256)
            fn(SetOp{});
        else if (quarterSteps && ia == 128)
            fn(HalfOp{});
        else if (quarterSteps && ia == 64)
            fn(QuarterOp{});
        else if (quarterSteps && ia == 192)
            fn(ThreeQuarterOp{});
        else
            fn(CopyOp{ia});
        return true;
    case BlendAdd:
        fn(AddOp{ia});
        return true;
    case BlendDodge:
        fn(DodgeOp{ia});
        return true;
    default:
        return false;
    }
}

// Calls fn with the op of a source bitmap drawn with weight ia, honouring BlendUseSourceAlpha.
template <class Fn> bool WithSourceOp(int mode, int ia, Fn&& fn) {
    if (!(mode & BlendUseSourceAlpha))
        return WithColourOp(mode, ia, false, fn);
    switch (mode & BlendCombineMask) {
    case BlendCopy:
        if (ia == 256)
            fn(CopyAlphaFullOp{});
        else
            fn(CopyAlphaOp{ia});
        return true;
    case BlendAdd:
        fn(AddAlphaOp{ia});
        return true;
    case BlendDodge:
        fn(DodgeAlphaOp{ia});
        return true;
    default:
        return false;
    }
}

// Combines one pixel with the colour rule of mode at weight ia (for sparse, covered pixels).
inline void Plot(Pixel32& p, Pixel32 colour, int mode, int ia) {
    WithColourOp(mode, ia, false, [&](auto op) { p = op(colour, p); });
}

// A bitmap's pixels and geometry, read once per operation.
struct Surface {
    Pixel32* pixels = nullptr;
    int width = 0;
    int height = 0;
    int span = 0;

    explicit Surface(RasterBitmap* bitmap) {
        if (!bitmap || !bitmap->Pixels() || bitmap->Width() <= 0 || bitmap->Height() <= 0)
            return;
        pixels = bitmap->Pixels();
        width = bitmap->Width();
        height = bitmap->Height();
        span = bitmap->RowSpan();
    }
    bool Empty() const { return !pixels; }
    Pixel32* At(int x, int y) const { return pixels + ptrdiff_t(y) * span + x; }
};

} // namespace raster
