#include "MeterHarness.h"

#include <algorithm>

std::unique_ptr<CLS_QUORVEL> StartedMeter(double rate, int maxBlock) {
    auto meter = std::make_unique<CLS_QUORVEL>(IEffectOffline::HostContext{});
    meter->Open();
    meter->SetupProcessing(rate, maxBlock);
    meter->Start();
    return meter;
}

std::vector<Signal> Feed(CLS_QUORVEL& meter, const Signal& left, const Signal* right, int block) {
    const int channels = right != nullptr ? 2 : 1;
    std::vector<Signal> out(channels, Signal(left.size()));
    for (size_t at = 0; at < left.size(); at += block) {
        const int frames = static_cast<int>(std::min<size_t>(block, left.size() - at));
        double* ins[] = {const_cast<double*>(left.data() + at),
                         right != nullptr ? const_cast<double*>(right->data() + at) : nullptr};
        double* outs[] = {out[0].data() + at, channels == 2 ? out[1].data() + at : nullptr};
        meter.ProcessDouble(ins, outs, channels, frames);
    }
    return out;
}

Signal Noise(int frames, double amplitude, unsigned seed) {
    Signal noise(frames);
    uint32_t state = seed * 2654435761u + 1;
    for (double& x : noise) {
        state = state * 1664525u + 1013904223u;
        x = amplitude * (static_cast<double>(state) / 2147483648.0 - 1.0);
    }
    return noise;
}

void SetParam(CLS_QUORVEL& meter, int paramIndex, double plain) {
    meter.ParamAt(paramIndex)->SetClampedValue(plain);
    meter.NotifyParamChanged(paramIndex);
}
