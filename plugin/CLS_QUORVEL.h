#pragma once

#include "QuorvelAdapter.h"

#include "analysis/BandLoudness.h"
#include "analysis/CrossoverFilter.h"
#include "framework/MessageLine.h"

#include <atomic>
#include <cstdint>

enum QuorvelParam {
    ParamFreqLow = 0,
    ParamFreqHigh,
    ParamLowTarget,
    ParamMiddleTarget,
    ParamHighTarget,
    ParamTargetKind,
    ParamResetOnPlay,
    ParamGraphWhenPlay,
    ParamSplit24dB,
    QuorvelParamCount
};

// The three-band loudness meter: splits the input into a low, a middle and a high band and
// measures each band's loudness, passing the audio through unchanged.
class CLS_QUORVEL : public QuorvelAdapter {
public:
    static constexpr int bandCount = 3;
    static constexpr int presetSlots = 30;
    static constexpr int messageMs = 9000;
    // Identity, parameter and preset counts and channel configuration.
    static const EffectConfig config;

    explicit CLS_QUORVEL(const QuorvelAdapter::HostContext& host);
    ~CLS_QUORVEL() override;

    void ResetProcessing() override;
    void NotifyParamChanged(int paramIndex) override;
    void ProcessBlock(double** inputs, double** outputs, int frames) override;
    void NotifyRunning(bool running) override;
    void NotifyParamHovered(int paramIndex) override;

    void describeParameter(int paramIndex);
    void ResetAllBands();

    int32_t appliedValues[QuorvelParamCount];
    // Read by the editor's readouts without the lock.
    std::atomic<int32_t> targetKind{0};
    uint32_t messageDeadline = 0; // process clock in ms; 0 when nothing is pending
    std::atomic<float> targetLufs[bandCount] = {-20.0f, -20.0f, -20.0f};
    double analysisSampleRate = 0.0;
    double integratedLufs[bandCount] = {BandLoudness::floorLufs, BandLoudness::floorLufs,
                                        BandLoudness::floorLufs};
    bool processingStarted = false;
    bool resetOnPlay = false;
    bool wasPlaying = false;
    bool analyseOnlyWhenPlaying = false;
    bool resetRequested = false;
    bool split24dB = false;
    MessageLine messageText;
    BandLoudness bands[bandCount];
    CrossoverFilter lowSplit;
    CrossoverFilter highSplit;
    int32_t silenceCounter = 0;
    int32_t silenceLimit = 0;
    // 1e-10 (-200 dBFS) as a float, widened.
    double silenceThreshold = static_cast<double>(1e-10f);
    bool parameterSeen[QuorvelParamCount] = {};
    int16_t parametersMissing = QuorvelParamCount;

private:
    void DefineParameters();
    void AddFactoryPresets();
    bool ApplyParam(int paramIndex, int applied);
    bool ApplyFrequency(int paramIndex, int hz);
    void MarkApplied(int paramIndex);
    void ShowMessage(const char* text);
    void ClearExpiredMessage();
    void AnalyseSample(double left, double right, bool integrate);
};
