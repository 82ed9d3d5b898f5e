#include "framework/offline/IEffectOffline.h"

IEffectOffline::IEffectOffline(const EffectConfig& config, const HostContext&)
    : IEffectBase(config, HostApiOffline) {
    gestures.reserve(gestureCapacity);
    ConnectInputChannels(0, InputChannelCount(), true);
    ConnectOutputChannels(0, OutputChannelCount(), true);
}

void IEffectOffline::Open() {
    for (int i = 0; i < ParamCount(); ++i) {
        NotifyParamChanged(i);
    }
}

void IEffectOffline::SetupProcessing(double rate, int maxBlockSize) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    sampleRate = rate;
    ResizeBlockBuffers(maxBlockSize);
    ResetProcessing();
}

void IEffectOffline::ConnectChannels(int channels) {
    ConnectInputChannels(0, channels, true);
    ConnectOutputChannels(0, channels, true);
    ConnectInputChannels(channels, InputChannelCount(), false);
    ConnectOutputChannels(channels, OutputChannelCount(), false);
}

// Double and single precision differ only in how the base attaches the host's buffers.
template <class In, class Out>
void IEffectOffline::Process(In inputs, Out outputs, int channels, int frames) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    ConnectChannels(channels);
    AttachInputBuffers(0, channels, inputs);
    AttachOutputBuffers(0, channels, outputs);
    RunBlock(frames);
}

void IEffectOffline::ProcessDouble(double* const* inputs, double* const* outputs, int channels,
                                   int frames) {
    Process(inputs, outputs, channels, frames);
}

void IEffectOffline::ProcessFloat(const float* const* inputs, float* const* outputs, int channels,
                                  int frames) {
    Process(inputs, outputs, channels, frames);
}

void IEffectOffline::Record(GestureKind kind, int paramIndex, double value) {
    if (static_cast<int>(gestures.size()) < gestureCapacity) {
        gestures.push_back({kind, paramIndex, value});
    }
}

void IEffectOffline::BeginParamEdit(int paramIndex) {
    FlushDelayedEditEnd();
    Record(GestureKind::Begin, paramIndex, 0.0);
}

void IEffectOffline::BeginWheelEdit(int paramIndex) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (paramIndex != pendingWheelParam) {
        FlushDelayedEditEnd();
        Record(GestureKind::Begin, paramIndex, 0.0);
    }
}

void IEffectOffline::HostSetParamValue(int paramIndex, double normalised) {
    Record(GestureKind::Perform, paramIndex, normalised);
}

void IEffectOffline::EndParamEdit(int paramIndex) {
    Record(GestureKind::End, paramIndex, 0.0);
}

void IEffectOffline::CurrentTimeSignature(int* numerator, int* denominator) {
    if (numerator != nullptr) {
        *numerator = 0;
    }
    if (denominator != nullptr) {
        *denominator = 0;
    }
}
