#pragma once

#include "framework/IEffectBase.h"

#include <vector>

// A host-less adapter: it drives a plug-in the way a host would, for tests and command-line
// tools. Gestures are recorded, the transport state is whatever its user sets, and host
// notifications do nothing.
class IEffectOffline : public IEffectBase {
public:
    struct HostContext {};

    enum class GestureKind { Begin, Perform, End };
    struct Gesture {
        GestureKind kind;
        int paramIndex;
        double value; // normalised value of a Perform, 0 otherwise
    };
    static constexpr int gestureCapacity = 1024;

    IEffectOffline(const EffectConfig& config, const HostContext& host);

    // Host side: announce every parameter once, as hosts do at start-up.
    void Open();
    // Sample rate and largest block, then ResetProcessing; Start runs NotifyRunning (true).
    void SetupProcessing(double rate, int maxBlockSize);
    void Start() { NotifyRunning(true); }
    void Stop() { NotifyRunning(false); }
    // 0 stopped, 1 playing, 2 recording.
    void SetTransportState(int state) { transportState = state; }

    // One block of `channels` channels (1 or 2 for a stereo plug-in): those channels are
    // connected, the others are not.
    void ProcessDouble(double* const* inputs, double* const* outputs, int channels, int frames);
    void ProcessFloat(const float* const* inputs, float* const* outputs, int channels, int frames);

    int QueryTransportState() { return transportState; }

    void BeginParamEdit(int paramIndex) override;
    void BeginWheelEdit(int paramIndex) override;
    void HostSetParamValue(int paramIndex, double normalised) override;
    void EndParamEdit(int paramIndex) override;
    void HostNotifyProgramChanged() override {}
    int CurrentSamplePosition() override { return 0; }
    double CurrentTempo() override { return 0.0; }
    void CurrentTimeSignature(int* numerator, int* denominator) override;
    void ResizeEditor(int, int) override {}
    bool SendMidiMessage(const MidiMessage*) override { return false; }

    // Recorded gestures, in order; recording stops at gestureCapacity so that it never
    // allocates once the adapter is constructed.
    std::vector<Gesture> gestures;
    int transportState = 0;

private:
    void Record(GestureKind kind, int paramIndex, double value);
    void ConnectChannels(int channels);
    template <class In, class Out> void Process(In inputs, Out outputs, int channels, int frames);
};
