// libFuzzer entry: DecodePng on arbitrary bytes, alone and into an existing bitmap.
#include "raster/RasterPng.h"

#include <climits>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > INT_MAX)
        return 0;
    std::unique_ptr<RasterBitmap> decoded(DecodePng(data, int(size), nullptr));
    RasterMemBitmap into(3, 3, 4);
    DecodePng(data, int(size), &into);
    return 0;
}
