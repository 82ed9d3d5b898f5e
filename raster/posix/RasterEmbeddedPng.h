#pragma once
// PNG images embedded in a binary by quorvel_embed_png_resources, whose generated source
// defines one RasterEmbeddedPngSet; LoadPngResource finds them by id.

struct RasterEmbeddedPng {
    int id;
    const unsigned char* data;
    int size;
};

// A set of embedded images, linked into the process-wide list on construction (static
// initialisation of the binary that holds it).
class RasterEmbeddedPngSet {
public:
    RasterEmbeddedPngSet(const RasterEmbeddedPng* images, int count);

    // The image with this id in any set, or null.
    static const RasterEmbeddedPng* Find(int id);

private:
    const RasterEmbeddedPng* images;
    int count;
    const RasterEmbeddedPngSet* next;
};
