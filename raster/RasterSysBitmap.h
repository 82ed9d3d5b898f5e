#pragma once
#include "raster/RasterBitmap.h"

// Extension ids answered by RasterSysBitmap.
enum : int { RasterExtSetScale = 8192, RasterExtGetScale = 8193 };

// The drawing surface. On Windows a top-down 32-bit DIB section selected into a memory device
// context; elsewhere the same bitmap in ordinary memory, without a device context. Rows are
// padded to four pixels, and the storage never shrinks.
class RasterSysBitmap : public RasterBitmap {
public:
    RasterSysBitmap(int w, int h);
    ~RasterSysBitmap() override;
    RasterSysBitmap(const RasterSysBitmap&) = delete;
    RasterSysBitmap& operator=(const RasterSysBitmap&) = delete;

    Pixel32* Pixels() override { return pixels; }
    int Width() override { return width; }
    int Height() override { return height; }
    int RowSpan() override { return allocSpan; }
    bool Resize(int w, int h) override;
    RasterDeviceContext DeviceContext() override { return context; }
    int Extension(int id, void* data) override;

private:
    // Platform storage: sets pixels for span x h pixels, or fails leaving it null.
    bool Allocate(int span, int h);
    void Release();

    int width = 0;
    int height = 0;
    Pixel32* pixels = nullptr;
    int allocSpan = 0;
    int allocHeight = 0;
    RasterDeviceContext context = nullptr;
    void* storage = nullptr;  // the DIB section (Windows) or the pixel block
    void* previous = nullptr; // object selected into the context before the DIB (Windows)
    int scale = 0;
};
