#include "raster/RasterSysBitmap.h"

#include <windows.h>

RasterSysBitmap::RasterSysBitmap(int w, int h) {
    context = CreateCompatibleDC(nullptr);
    Resize(w, h);
}

RasterSysBitmap::~RasterSysBitmap() {
    Release();
    if (context)
        DeleteDC(context);
}

bool RasterSysBitmap::Allocate(int span, int h) {
    if (!context)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = span;
    info.bmiHeader.biHeight = -h; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(context, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) {
        if (dib)
            DeleteObject(dib);
        return false;
    }
    storage = dib;
    previous = SelectObject(context, dib);
    pixels = static_cast<Pixel32*>(bits);
    allocSpan = span;
    allocHeight = h;
    return true;
}

void RasterSysBitmap::Release() {
    if (storage) {
        SelectObject(context, static_cast<HGDIOBJ>(previous));
        DeleteObject(static_cast<HGDIOBJ>(storage));
    }
    storage = previous = nullptr;
    pixels = nullptr;
    allocSpan = allocHeight = 0;
}
