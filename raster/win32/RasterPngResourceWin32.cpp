#include "raster/RasterPng.h"

#include <windows.h>

#include <climits>

RasterBitmap* LoadPngResource(void* module, int id, RasterBitmap* into) {
    const WORD name = WORD(id & 0xFFFF);
    if (name == 0) // not a resource id
        return nullptr;
    const auto instance = static_cast<HMODULE>(module);
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(name), "PNG");
    if (!resource)
        return nullptr;
    const DWORD size = SizeofResource(instance, resource);
    if (size <= 7 || size > INT_MAX)
        return nullptr;
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return nullptr;
    return DecodePng(static_cast<const uint8_t*>(data), int(size), into);
}
