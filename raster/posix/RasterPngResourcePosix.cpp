#include "raster/RasterPng.h"
#include "raster/posix/RasterEmbeddedPng.h"

namespace {

const RasterEmbeddedPngSet* firstSet = nullptr;

} // namespace

RasterEmbeddedPngSet::RasterEmbeddedPngSet(const RasterEmbeddedPng* images, int count)
    : images(images), count(count), next(firstSet) {
    firstSet = this;
}

const RasterEmbeddedPng* RasterEmbeddedPngSet::Find(int id) {
    for (const RasterEmbeddedPngSet* set = firstSet; set; set = set->next)
        for (int i = 0; i < set->count; ++i)
            if (set->images[i].id == id)
                return &set->images[i];
    return nullptr;
}

RasterBitmap* LoadPngResource(void* /*module*/, int id, RasterBitmap* into) {
    const RasterEmbeddedPng* image = RasterEmbeddedPngSet::Find(id & 0xFFFF);
    if (!image || image->size <= 7)
        return nullptr;
    return DecodePng(image->data, image->size, into);
}
