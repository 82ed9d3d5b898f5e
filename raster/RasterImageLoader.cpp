#include "raster/RasterImageLoader.h"

#include "raster/RasterPng.h"

#include <cctype>
#include <cstring>

namespace {

const RasterImageLoader loaders[] = {
    {".png", "PNG files (*.PNG)", LoadPngFile},
};

bool EndsWithNoCase(const char* text, const char* suffix) {
    const size_t length = std::strlen(text), suffixLength = std::strlen(suffix);
    if (length < suffixLength)
        return false;
    text += length - suffixLength;
    for (size_t i = 0; i < suffixLength; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(suffix[i])))
            return false;
    return true;
}

} // namespace

const RasterImageLoader* FindImageLoader(const char* path) {
    if (!path)
        return nullptr;
    for (const RasterImageLoader& loader : loaders)
        if (EndsWithNoCase(path, loader.extension))
            return &loader;
    return nullptr;
}
