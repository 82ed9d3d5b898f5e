// Nanoseconds per stereo frame at 48 kHz: the whole three-band analysis against libebur128
// ingesting the same seeded noise.
#include "analysis/BandLoudness.h"
#include "analysis/BandSplit.h"

#include <benchmark/benchmark.h>
#include <ebur128.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr long kFrames = 48000; // one second per iteration

// One second of seeded stereo white noise at about -10 dBFS, interleaved.
const std::vector<double>& Noise() {
    static const std::vector<double> frames = [] {
        std::vector<double> interleaved(2 * kFrames);
        std::uint64_t state = 0x9E3779B97F4A7C15u;
        for (double& x : interleaved) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            x = 0.3 * (static_cast<double>(state >> 11) * 0x1.0p-52 - 1.0);
        }
        return interleaved;
    }();
    return frames;
}

void SetFramesProcessed(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kFrames);
}

// The crossover at 200 and 2000 Hz with the 24 dB slope and three bands, fed per frame as the
// processing routine feeds them.
void ThreeBandAnalysis(benchmark::State& state) {
    const double rate = kRate;
    CrossoverFilter lowSplit(rate, true);
    CrossoverFilter highSplit(rate, false);
    lowSplit.SetFrequency(200);
    highSplit.SetFrequency(2000);
    BandLoudness low(rate), middle(rate), high(rate);
    BandLoudness* bands[3] = {&low, &middle, &high};
    for (BandLoudness* band : bands) {
        band->ResetBand();
    }
    const std::vector<double>& noise = Noise();

    for (auto _ : state) {
        for (long i = 0; i < kFrames; ++i) {
            const StereoBands split =
                SplitStereoSample(lowSplit, highSplit, true, noise[2 * i], noise[2 * i + 1]);
            const double* signals[3] = {split.low, split.middle, split.high};
            for (int b = 0; b < 3; ++b) {
                bands[b]->BeginSample();
                bands[b]->Weight(signals[b][0], 0);
                bands[b]->Weight(signals[b][1], 1);
                bands[b]->EndSample(true);
            }
        }
        benchmark::DoNotOptimize(high.momentaryLufs.load());
    }
    SetFramesProcessed(state);
}

void Libebur128(benchmark::State& state) {
    ebur128_state* meter = ebur128_init(2, static_cast<unsigned long>(kRate),
                                        EBUR128_MODE_I | EBUR128_MODE_S | EBUR128_MODE_M);
    const std::vector<double>& noise = Noise();
    for (auto _ : state) {
        ebur128_add_frames_double(meter, noise.data(), kFrames);
    }
    ebur128_destroy(&meter);
    SetFramesProcessed(state);
}

BENCHMARK(ThreeBandAnalysis)->Unit(benchmark::kMillisecond);
BENCHMARK(Libebur128)->Unit(benchmark::kMillisecond);

// The console report, plus the CPU time per frame of each benchmark for the closing line.
class FrameTimeReporter : public benchmark::ConsoleReporter {
public:
    FrameTimeReporter() : ConsoleReporter(OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                const double secondsPerIteration =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
                nanosecondsPerFrame[run.run_name.function_name] =
                    secondsPerIteration * 1e9 / kFrames;
            }
        }
    }

    std::map<std::string, double> nanosecondsPerFrame;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    FrameTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& ns = reporter.nanosecondsPerFrame;
    const auto ours = ns.find("ThreeBandAnalysis");
    const auto reference = ns.find("Libebur128");
    if (ours != ns.end() && reference != ns.end()) {
        std::printf("ns per stereo frame at 48 kHz: three-band analysis %.2f, libebur128 %.2f, "
                    "ratio %.2f\n",
                    ours->second, reference->second, ours->second / reference->second);
    }
    return 0;
}
