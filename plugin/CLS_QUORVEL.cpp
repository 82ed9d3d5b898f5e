#include "CLS_QUORVEL.h"

#include "analysis/BandSplit.h"
#include "framework/ProcessClock.h"
#include "framework/Rounding.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int32_t notApplied = -101; // no parameter rounds to this
constexpr double maxSampleRate = 4.0e6;

} // namespace

const EffectConfig CLS_QUORVEL::config = {
    QuorvelParamCount,
    "1-1 2-2",
    CLS_QUORVEL::presetSlots,
    "Quorvel",
    "",
    "Palund",
    0x11000,
    0x51763778, // 'Qv7x'
    0x50616c64, // 'Pald'
    0,
    false,
    false,
    false,
    0,
};

namespace {

struct GenrePreset {
    const char* name;
    double low, middle, high;
};

constexpr GenrePreset genrePresets[] = {
    {"Pop", -12.5, -10.0, -12.5},
    {"Pop - Extreme", -11.0, -9.0, -12.0},
    {"Hip Hop", -12.0, -8.5, -13.0},
    {"Rock", -12.0, -10.0, -11.0},
    {"Rock - Extreme", -12.0, -8.0, -10.0},
    {"Trance", -13.0, -13.0, -16.0},
    {"Trance - Extreme", -12.0, -12.0, -16.0},
    {"Psy Trance", -11.0, -11.0, -16.0},
    {"Psy Trance - Extreme", -10.0, -10.0, -16.0},
    {"Ambient", -13.5, -11.0, -14.0},
    {"Soundtrack", -16.0, -12.0, -16.0},
};

// Beyond +60 dBFS, and for NaN and infinity, a host sample is no signal but a fault
// upstream: it is measured as silence, since the windows' running sums would not recover
// from it until the next reset. The audio itself passes unchanged.
constexpr double maxMeasurableSample = 1000.0;

double Measurable(double sample) {
    return std::fabs(sample) <= maxMeasurableSample ? sample : 0.0;
}

const char* TargetKindText(int kind) {
    return kind == 0 ? "integrated" : kind == 1 ? "max short term" : "max momentary";
}

bool IsUsableSampleRate(double rate) {
    return rate > 0.0 && rate <= maxSampleRate;
}

} // namespace

CLS_QUORVEL::CLS_QUORVEL(const QuorvelAdapter::HostContext& host)
    : QuorvelAdapter(config, host), bands{BandLoudness(analysisSampleRate),
                                          BandLoudness(analysisSampleRate),
                                          BandLoudness(analysisSampleRate)},
      lowSplit(analysisSampleRate, true), highSplit(analysisSampleRate, false) {
    for (int32_t& applied : appliedValues) {
        applied = notApplied;
    }
    for (BandLoudness& band : bands) {
        band.ResetBand();
    }
    DefineParameters();
    AddFactoryPresets();
}

CLS_QUORVEL::~CLS_QUORVEL() {
    processingEnabled = false;
}

void CLS_QUORVEL::DefineParameters() {
    static const char* const targetNames[] = {"Low Lufs Target", "Middle Lufs Target",
                                              "High Lufs Target"};
    ParamAt(ParamFreqLow)->DefineInteger("Freq low", 200, 20, 20000, "Hz");
    ParamAt(ParamFreqLow)->SetCurveExponent(3.0);
    ParamAt(ParamFreqHigh)->DefineInteger("Freq high", 2000, 20, 20000, "Hz");
    ParamAt(ParamFreqHigh)->SetCurveExponent(3.0);
    for (int band = 0; band < bandCount; ++band) {
        ParamAt(ParamLowTarget + band)
            ->DefineContinuous(targetNames[band], -20.0, -45.0, -5.0, 0.1, "lu");
    }
    PlugParam* target = ParamAt(ParamTargetKind);
    target->DefineChoice("Target", 0, 3, "");
    target->AddValueText(0, "Integrated");
    target->AddValueText(1, "Short Term");
    target->AddValueText(2, "Momentary");
    static const char* const optionNames[] = {"Reset on play", "Graph when play", "Split by 24dB"};
    for (int option = 0; option < 3; ++option) {
        PlugParam* param = ParamAt(ParamResetOnPlay + option);
        param->DefineChoice(optionNames[option], 1, 2, "");
        param->AddValueText(0, "no");
        param->AddValueText(1, "yes");
    }
}

// The genre presets set "Split by 24dB" to its default, on.
void CLS_QUORVEL::AddFactoryPresets() {
    AddDefaultPresets("---- default ----", 1);
    for (const GenrePreset& preset : genrePresets) {
        AddPresetWithValues(preset.name, 200, 2000, preset.low, preset.middle, preset.high, 0, 1, 1,
                            1);
    }
}

// ---- Parameters ----

void CLS_QUORVEL::NotifyParamChanged(int paramIndex) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (paramIndex < 0 || paramIndex >= QuorvelParamCount) {
        return;
    }
    const double v = ParamAt(paramIndex)->Value();
    const bool isTarget = paramIndex >= ParamLowTarget && paramIndex <= ParamHighTarget;
    const int applied = RoundHalfAway(isTarget ? v * 10.0 : v);
    if (applied == appliedValues[paramIndex]) {
        return;
    }
    appliedValues[paramIndex] = applied;
    if (!ApplyParam(paramIndex, applied)) {
        return;
    }
    describeParameter(paramIndex);
    MarkApplied(paramIndex);
}

// Returns false when the change was refused.
bool CLS_QUORVEL::ApplyParam(int paramIndex, int applied) {
    switch (paramIndex) {
    case ParamFreqLow:
    case ParamFreqHigh:
        return ApplyFrequency(paramIndex, applied);
    case ParamLowTarget:
    case ParamMiddleTarget:
    case ParamHighTarget:
        // Tenths of a LU, scaled in double precision and then stored as a float.
        targetLufs[paramIndex - ParamLowTarget] = static_cast<float>(applied * 0.1);
        return true;
    case ParamTargetKind:
        targetKind = applied;
        return true;
    case ParamResetOnPlay:
        resetOnPlay = applied > 0;
        return true;
    case ParamGraphWhenPlay:
        analyseOnlyWhenPlaying = applied > 0;
        return true;
    default:
        split24dB = applied > 0;
        return true;
    }
}

// Once processing runs, the low split may not pass the high one nor the high split fall
// below the low one: the moved parameter is pushed back to the other split's frequency.
bool CLS_QUORVEL::ApplyFrequency(int paramIndex, int hz) {
    const bool isLow = paramIndex == ParamFreqLow;
    CrossoverFilter& moved = isLow ? lowSplit : highSplit;
    const int other = (isLow ? highSplit : lowSplit).FrequencyHz();
    if (processingStarted && (isLow ? hz > other : hz < other)) {
        SetParameterFromPlugin(paramIndex, other);
        return false;
    }
    moved.SetFrequency(hz);
    return true;
}

void CLS_QUORVEL::MarkApplied(int paramIndex) {
    if (processingEnabled) {
        return;
    }
    if (!parameterSeen[paramIndex]) {
        parameterSeen[paramIndex] = true;
        --parametersMissing;
    }
    if (parametersMissing <= 0) {
        processingEnabled = true;
    }
}

void CLS_QUORVEL::NotifyParamHovered(int paramIndex) {
    describeParameter(paramIndex);
}

void CLS_QUORVEL::describeParameter(int paramIndex) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (analysisSampleRate == 0.0) {
        return;
    }
    static const char* const targetTexts[] = {
        "Low lufs target: %.2f lu", "Middle lufs target: %.2f lu", "High lufs target: %.2f lu"};
    char text[MessageLine::capacity] = "";
    switch (paramIndex) {
    case ParamFreqLow:
    case ParamFreqHigh:
        std::snprintf(text, sizeof text,
                      paramIndex == ParamFreqLow ? "Split freq Low-Middle: %d Hz"
                                                 : "Split freq Middle-High: %d Hz",
                      RoundHalfAway(ParamAt(paramIndex)->Value()));
        break;
    case ParamLowTarget:
    case ParamMiddleTarget:
    case ParamHighTarget: {
        const int band = paramIndex - ParamLowTarget;
        std::snprintf(text, sizeof text, targetTexts[band], targetLufs[band].load());
        break;
    }
    case ParamTargetKind:
        std::snprintf(text, sizeof text, "Target to: %s", TargetKindText(targetKind));
        break;
    case ParamResetOnPlay:
        ShowMessage(resetOnPlay ? "Reset data at play start" : "Lock data, keep at play start");
        return;
    case ParamGraphWhenPlay:
        ShowMessage(analyseOnlyWhenPlaying ? "Analyzing only when play" : "Analyzing without play");
        return;
    case ParamSplit24dB:
        ShowMessage(split24dB ? "Split frequencies by 24dB" : "Split frequencies by 12dB");
        return;
    default:
        break;
    }
    ShowMessage(text);
}

// The deadline 0 means "nothing pending", so a deadline that wraps to 0 becomes 1.
void CLS_QUORVEL::ShowMessage(const char* text) {
    messageText.SetText(text);
    const uint32_t deadline = ProcessClockMs() + messageMs;
    messageDeadline = deadline != 0 ? deadline : 1;
}

void CLS_QUORVEL::ClearExpiredMessage() {
    if (messageDeadline != 0 && ClockIsPast(ProcessClockMs(), messageDeadline)) {
        messageText.SetText("");
        messageDeadline = 0;
    }
}

// ---- Processing ----

void CLS_QUORVEL::ResetProcessing() {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (!processingStarted || sampleRate == analysisSampleRate || !IsUsableSampleRate(sampleRate)) {
        return;
    }
    analysisSampleRate = sampleRate;
    ResetAllBands();
    silenceLimit = RoundHalfAway(analysisSampleRate * 0.5);
    silenceCounter = silenceLimit;
    appliedValues[ParamFreqLow] = -1;
    NotifyParamChanged(ParamFreqLow);
    appliedValues[ParamFreqHigh] = -1;
    NotifyParamChanged(ParamFreqHigh);
}

void CLS_QUORVEL::NotifyRunning(bool running) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (running) {
        ResetProcessing();
    }
}

void CLS_QUORVEL::ResetAllBands() {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    for (BandLoudness& band : bands) {
        band.ResetBand();
    }
}

void CLS_QUORVEL::ProcessBlock(double** inputs, double** outputs, int frames) {
    if (!processingStarted) {
        processingStarted = true;
        ResetProcessing();
    }
    const bool running = QueryTransportState() != 0;
    if (resetOnPlay && running && !wasPlaying) {
        ResetAllBands();
    }
    ClearExpiredMessage();
    const bool integrate = running || !analyseOnlyWhenPlaying;
    for (int i = 0; i < frames; ++i) {
        const double left = inputs[0][i];
        const double right = inputs[1][i];
        AnalyseSample(Measurable(left), Measurable(right), integrate);
        outputs[0][i] = left;
        outputs[1][i] = right;
    }
    wasPlaying = running;
}

void CLS_QUORVEL::AnalyseSample(double left, double right, bool integrate) {
    if (std::fabs(left) > silenceThreshold || std::fabs(right) > silenceThreshold) {
        silenceCounter = 0;
    }
    if (silenceCounter >= silenceLimit) {
        for (BandLoudness& band : bands) {
            band.ShowSilence();
        }
        return;
    }
    const StereoBands split = SplitStereoSample(lowSplit, highSplit, split24dB, left, right);
    const double* bandSamples[bandCount] = {split.low, split.middle, split.high};
    for (int b = 0; b < bandCount; ++b) {
        bands[b].BeginSample();
        bands[b].Weight(bandSamples[b][0], 0);
        bands[b].Weight(bandSamples[b][1], 1);
        bands[b].EndSample(integrate);
    }
    ++silenceCounter;
}
