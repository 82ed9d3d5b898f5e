#pragma once
// PNG writing for the project's tools and tests; the plug-ins never write files.
#include "raster/RasterBitmap.h"

#include <cstdint>
#include <vector>

enum class PngColourType { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

// An image in PNG's own sample layout: rows of packed samples, 16-bit samples big-endian.
struct PngImage {
    int width = 0;
    int height = 0;
    PngColourType colourType = PngColourType::Rgba;
    int bitDepth = 8;
    bool interlaced = false;
    const uint8_t* rows = nullptr;
    int rowBytes = 0; // distance between rows
    // Palette images: the colours, whose alpha values below 255 become a transparency chunk.
    const Pixel32* palette = nullptr;
    int paletteSize = 0;
};

// Encodes the image as a PNG file in out. False (out empty) for an invalid image.
bool EncodePng(const PngImage& image, std::vector<uint8_t>& out);

// Encodes the bitmap as 8-bit RGBA.
bool EncodePng(RasterBitmap& bitmap, std::vector<uint8_t>& out);

bool WritePngFile(const char* path, RasterBitmap& bitmap);
