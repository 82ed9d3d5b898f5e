// Throughput of the meter's block path: one second of stereo noise at 48 kHz per iteration,
// in host blocks of 512 frames, double and single precision.
#include "CLS_QUORVEL.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr int rate = 48000;
constexpr int block = 512;

std::unique_ptr<CLS_QUORVEL> RunningMeter(bool split24dB) {
    auto meter = std::make_unique<CLS_QUORVEL>(IEffectOffline::HostContext{});
    meter->Open();
    meter->ParamAt(ParamSplit24dB)->SetValue(split24dB ? 1.0 : 0.0);
    meter->NotifyParamChanged(ParamSplit24dB);
    meter->SetupProcessing(rate, block);
    meter->Start();
    meter->SetTransportState(1);
    return meter;
}

template <typename Sample> std::vector<Sample> Noise() {
    std::vector<Sample> noise(rate);
    uint32_t state = 1;
    for (Sample& x : noise) {
        state = state * 1664525u + 1013904223u;
        x = static_cast<Sample>(0.5 * (state / 2147483648.0 - 1.0));
    }
    return noise;
}

void BM_DoubleBlocks(benchmark::State& state) {
    auto meter = RunningMeter(state.range(0) != 0);
    std::vector<double> in = Noise<double>(), out(rate);
    for (auto _ : state) {
        for (int at = 0; at + block <= rate; at += block) {
            double* ins[] = {in.data() + at, in.data() + at};
            double* outs[] = {out.data() + at, out.data() + at};
            meter->ProcessDouble(ins, outs, 2, block);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * (rate / block) * block);
}
BENCHMARK(BM_DoubleBlocks)->Arg(0)->Arg(1);

void BM_FloatBlocks(benchmark::State& state) {
    auto meter = RunningMeter(true);
    std::vector<float> in = Noise<float>(), out(rate);
    for (auto _ : state) {
        for (int at = 0; at + block <= rate; at += block) {
            const float* ins[] = {in.data() + at, in.data() + at};
            float* outs[] = {out.data() + at, out.data() + at};
            meter->ProcessFloat(ins, outs, 2, block);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * (rate / block) * block);
}
BENCHMARK(BM_FloatBlocks);

} // namespace
