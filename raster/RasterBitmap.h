#pragma once
#include <cstddef>
#include <cstdint>

// A pixel: A << 24 | R << 16 | G << 8 | B, colour channels not premultiplied by alpha.
// Stored little-endian, so the bytes in memory are B, G, R, A.
using Pixel32 = uint32_t;

#ifdef _WIN32
struct HDC__;
using RasterDeviceContext = HDC__*; // the Win32 HDC
#else
using RasterDeviceContext = void*; // no system drawing context outside Windows
#endif

// A 32-bit bitmap: rows of Pixel32, RowSpan pixels apart, top row first.
class RasterBitmap {
public:
    virtual ~RasterBitmap() = default;
    virtual Pixel32* Pixels() = 0;
    virtual int Width() = 0;
    virtual int Height() = 0;
    virtual int RowSpan() = 0;
    virtual bool IsBottomUp() { return false; }
    // Returns true when the size changed.
    virtual bool Resize(int w, int h) = 0;
    virtual RasterDeviceContext DeviceContext() { return nullptr; }
    virtual int Extension(int /*id*/, void* /*data*/) { return 0; }
};

// A bitmap in ordinary memory: 64-byte aligned, rows padded to the row alignment (in pixels,
// a power of two up to 16). Storage is reused whenever it is large enough, grows by a quarter
// beyond the request and never shrinks; new or grown storage is not cleared.
class RasterMemBitmap : public RasterBitmap {
public:
    RasterMemBitmap(int w, int h, int rowAlign);
    ~RasterMemBitmap() override;
    RasterMemBitmap(const RasterMemBitmap&) = delete;
    RasterMemBitmap& operator=(const RasterMemBitmap&) = delete;

    Pixel32* Pixels() override;
    int Width() override { return width; }
    int Height() override { return height; }
    int RowSpan() override;
    bool Resize(int w, int h) override;

    // Bytes of pixel storage held.
    size_t Capacity() const { return capacity; }

private:
    void Release();

    unsigned char* buffer = nullptr;
    int width = 0;
    int height = 0;
    size_t capacity = 0;
    int rowAlignMask = 0;
};
