#include "raster/RasterCombine.h"

using namespace raster;

namespace {

// Clips [start, start + length) to [0, size).
bool ClipSpan(int start, int length, int size, int& from, int& count) {
    const long long begin = std::max(0, start);
    const long long end = std::min<long long>((long long)start + length, size);
    if (begin >= end)
        return false;
    from = int(begin);
    count = int(end - begin);
    return true;
}

} // namespace

void RasterFillRect(RasterBitmap* dest, int x, int y, int w, int h, Pixel32 colour, float weight,
                    int mode) {
    const Surface out(dest);
    if (mode & BlendUseSourceAlpha)
        weight *= float(Alpha(colour)) * 0.003921569f;
    const int ia = WeightAlpha(weight);
    int fromX, fromY, cols, rows;
    if (out.Empty() || ia == 0 || !ClipSpan(x, w, out.width, fromX, cols) ||
        !ClipSpan(y, h, out.height, fromY, rows))
        return;
    WithColourOp(mode, ia, true, [&](auto op) {
        Pixel32* row = out.At(fromX, fromY);
        for (int j = 0; j < rows; ++j, row += out.span)
            for (int i = 0; i < cols; ++i)
                row[i] = op(colour, row[i]);
    });
}
