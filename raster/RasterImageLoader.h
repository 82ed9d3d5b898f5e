#pragma once
#include "raster/RasterBitmap.h"

// A file format the raster library can load.
struct RasterImageLoader {
    const char* extension; // with its dot, e.g. ".png"
    const char* description;
    RasterBitmap* (*load)(const char* path, RasterBitmap* into);
};

// The loader for the extension of path (compared without case), or null.
const RasterImageLoader* FindImageLoader(const char* path);
