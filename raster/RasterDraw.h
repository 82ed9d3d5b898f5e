#pragma once
#include "raster/RasterBitmap.h"

// Blend mode: a combine rule in the low byte plus flags.
enum : int {
    BlendCopy = 0,
    BlendAdd = 1,
    BlendDodge = 2,
    BlendCombineMask = 0xFF,
    FilterBilinear = 0x100,        // only RasterRotatedBlit filters
    BlendUseSourceAlpha = 0x10000, // weight each source pixel by its own alpha
};

// A rectangle in pixels: left and top included, right and bottom excluded.
struct RasterRect {
    int L, T, R, B;
};

// Every operation clips against the destination, draws nothing for a null bitmap, a weight
// of 0 (or NaN) or an unknown combine rule, and treats weights above 1 as 1. Colours are
// Pixel32 values; coordinates are pixels from the top left, y downward.

// Copies src (or the srcRect of it) to (dstX, dstY).
void RasterBlit(RasterBitmap* dest, RasterBitmap* src, int dstX, int dstY,
                const RasterRect* srcRect, float weight, int mode);

// Copies the source rectangle (srcX, srcY, srcW, srcH) scaled into the destination rectangle
// and turned clockwise by angle (radians) about the destination's centre, moved by
// (rotCentreX, rotCentreY). A negative dstW or dstH mirrors. Each destination pixel takes the
// source where its centre lands (FilterBilinear: mixed from the four nearest pixels); samples
// outside the source (or the source rectangle, with clipToSourceRect) leave it unchanged.
void RasterRotatedBlit(RasterBitmap* dest, RasterBitmap* src, int dstX, int dstY, int dstW,
                       int dstH, float srcX, float srcY, float srcW, float srcH, float angle,
                       bool clipToSourceRect, float weight, int mode, float rotCentreX,
                       float rotCentreY);

void RasterFillRect(RasterBitmap* dest, int x, int y, int w, int h, Pixel32 colour, float weight,
                    int mode);

// Both end points are drawn. Integer lines are never antialiased.
void RasterLine(RasterBitmap* dest, int x1, int y1, int x2, int y2, Pixel32 colour, float weight,
                int mode, bool antialias);

void RasterLineF(RasterBitmap* dest, float x1, float y1, float x2, float y2, Pixel32 colour,
                 float weight, int mode, bool antialias);

// Angles in radians, 0 pointing up and growing clockwise: the point at angle a is
// (cx + r sin a, cy - r cos a). A span of 2 pi or more is the whole circle.
void RasterArc(RasterBitmap* dest, float cx, float cy, float r, float angle1, float angle2,
               Pixel32 colour, float weight, int mode, bool antialias);

// Fills the circular sector between the two angles, centre pixel and both edges included.
void RasterFillArc(RasterBitmap* dest, float cx, float cy, float r, float angle1, float angle2,
                   Pixel32 colour, float weight, int mode, bool antialias);
