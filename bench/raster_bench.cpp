// Megapixels per second of the raster operations the editor repaints with, over a surface of
// the editor's size.
#include "raster/RasterDraw.h"
#include "raster/RasterSysBitmap.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int width = 630, height = 500;

// A source of varied colours and alpha values.
RasterMemBitmap& Source() {
    static RasterMemBitmap source(width, height, 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            source.Pixels()[y * source.RowSpan() + x] = Pixel32(x * 2654435761u + y * 40503u);
    return source;
}

void CountPixels(benchmark::State& state) {
    state.counters["Mpixels/s"] = benchmark::Counter(
        double(state.iterations()) * width * height / 1e6, benchmark::Counter::kIsRate);
}

void Blit(benchmark::State& state, float weight, int mode) {
    RasterMemBitmap& source = Source();
    RasterSysBitmap surface(width, height);
    for (auto _ : state) {
        RasterBlit(&surface, &source, 0, 0, nullptr, weight, mode);
        benchmark::DoNotOptimize(surface.Pixels());
    }
    CountPixels(state);
}

void BM_BlitCopy(benchmark::State& state) {
    Blit(state, 1.0f, BlendCopy);
}
void BM_BlitCopyWithAlpha(benchmark::State& state) {
    Blit(state, 1.0f, BlendUseSourceAlpha);
}
void BM_BlitHalfWeight(benchmark::State& state) {
    Blit(state, 0.5f, BlendCopy);
}

void BM_FillRect(benchmark::State& state) {
    RasterSysBitmap surface(width, height);
    for (auto _ : state) {
        RasterFillRect(&surface, 0, 0, width, height, 0xFF336699, 1.0f, BlendCopy);
        benchmark::DoNotOptimize(surface.Pixels());
    }
    CountPixels(state);
}

} // namespace

BENCHMARK(BM_BlitCopy);
BENCHMARK(BM_BlitCopyWithAlpha);
BENCHMARK(BM_BlitHalfWeight);
BENCHMARK(BM_FillRect);
