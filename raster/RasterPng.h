#pragma once
#include "raster/RasterBitmap.h"

#include <cstdint>

// PNG decoding into straight (not premultiplied) Pixel32 bitmaps. Every function returns the
// bitmap decoded into: into, resized to the image, or a new RasterMemBitmap with row alignment
// 4 that the caller owns. Any failure returns null (and deletes a bitmap made for the call);
// into may then have been resized. Images wider or taller than 16384 pixels are refused.

RasterBitmap* DecodePng(const uint8_t* data, int size, RasterBitmap* into);

// The resource of type "PNG" named by the low 16 bits of id. On Windows module is the module
// (HMODULE) holding the resource; elsewhere the images embedded in this binary by
// quorvel_embed_png_resources are searched and module is not used.
RasterBitmap* LoadPngResource(void* module, int id, RasterBitmap* into);

RasterBitmap* LoadPngFile(const char* path, RasterBitmap* into);
