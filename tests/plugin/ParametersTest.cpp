#include "MeterHarness.h"

#include "PluginEntry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

TEST(QuorvelIdentity, ConstructionRecord) {
    std::unique_ptr<QuorvelAdapter> created(CreatePluginInstance({}));
    const CLS_QUORVEL& meter = static_cast<const CLS_QUORVEL&>(*created);
    EXPECT_STREQ(meter.effectName, "Quorvel");
    EXPECT_STREQ(meter.productName, "");
    EXPECT_STREQ(meter.vendorName, "Palund");
    EXPECT_EQ(meter.uniqueId, 0x51763778);
    EXPECT_EQ(meter.vendorId, 0x50616c64);
    EXPECT_EQ(meter.VersionNumber(true), 11600);
    EXPECT_EQ(meter.ParamCount(), 9);
    EXPECT_EQ(meter.PresetCount(), 30);
    EXPECT_EQ(meter.InputChannelCount(), 2);
    EXPECT_EQ(meter.OutputChannelCount(), 2);
    EXPECT_TRUE(meter.AcceptsChannelCounts(1, 1));
    EXPECT_FALSE(meter.processingEnabled);
    EXPECT_DOUBLE_EQ(meter.silenceThreshold, 1.000000013351432e-10);
}

TEST(QuorvelParameters, Definitions) {
    const struct {
        const char* name;
        ParamKind kind;
        double defaultValue, minValue, maxValue, exponent;
        const char* label;
        const char* texts; // value texts from 0 on, separated by '|'
    } expected[] = {
        {"Freq low", ParamInteger, 200, 20, 20000, 3.0, "Hz", ""},
        {"Freq high", ParamInteger, 2000, 20, 20000, 3.0, "Hz", ""},
        {"Low Lufs Target", ParamContinuous, -20, -45, -5, 1.0, "lu", ""},
        {"Middle Lufs Target", ParamContinuous, -20, -45, -5, 1.0, "lu", ""},
        {"High Lufs Target", ParamContinuous, -20, -45, -5, 1.0, "lu", ""},
        {"Target", ParamChoice, 0, 0, 2, 1.0, "", "Integrated|Short Term|Momentary"},
        {"Reset on play", ParamChoice, 1, 0, 1, 1.0, "", "no|yes"},
        {"Graph when play", ParamChoice, 1, 0, 1, 1.0, "", "no|yes"},
        {"Split by 24dB", ParamChoice, 1, 0, 1, 1.0, "", "no|yes"},
    };
    CLS_QUORVEL meter({});
    for (int i = 0; i < 9; ++i) {
        const PlugParam& p = *meter.ParamAt(i);
        const auto& e = expected[i];
        EXPECT_STREQ(p.Name(), e.name);
        EXPECT_EQ(p.Kind(), e.kind) << e.name;
        EXPECT_EQ(p.DefaultValue(), e.defaultValue) << e.name;
        EXPECT_EQ(p.Value(), e.defaultValue) << e.name;
        EXPECT_EQ(p.MinValue(), e.minValue) << e.name;
        EXPECT_EQ(p.MaxValue(), e.maxValue) << e.name;
        EXPECT_EQ(p.CurveExponent(), e.exponent) << e.name;
        EXPECT_STREQ(p.UnitLabel(), e.label);
        std::string texts;
        for (int v = 0; v < p.ValueTextCount(); ++v) {
            texts += (v ? "|" : "") + std::string(p.ValueTextFor(v));
        }
        EXPECT_EQ(texts, e.texts);
    }
    EXPECT_EQ(meter.ParamAt(2)->Precision(), 1);
}

TEST(QuorvelPresets, NamesAndLoading) {
    auto meter = StartedMeter();
    const char* names[] = {"---- default ----",
                           "Pop",
                           "Pop - Extreme",
                           "Hip Hop",
                           "Rock",
                           "Rock - Extreme",
                           "Trance",
                           "Trance - Extreme",
                           "Psy Trance",
                           "Psy Trance - Extreme",
                           "Ambient",
                           "Soundtrack",
                           "- 13 -"};
    for (int i = 0; i < 13; ++i) {
        EXPECT_STREQ(meter->PresetNameAt(i), names[i]);
    }
    EXPECT_STREQ(meter->PresetNameAt(29), "- 30 -");

    SetParam(*meter, ParamResetOnPlay, 0);
    SetParam(*meter, ParamTargetKind, 2);
    ASSERT_TRUE(meter->LoadPreset(8));
    EXPECT_EQ(meter->targetLufs[0], -11.0f);
    EXPECT_EQ(meter->targetLufs[1], -11.0f);
    EXPECT_EQ(meter->targetLufs[2], -16.0f);
    EXPECT_EQ(meter->targetKind, 0);
    EXPECT_TRUE(meter->resetOnPlay);
    EXPECT_TRUE(meter->analyseOnlyWhenPlaying);
    EXPECT_TRUE(meter->split24dB);

    // The default entry restores the defaults, "Freq low" included.
    SetParam(*meter, ParamFreqLow, 500);
    ASSERT_TRUE(meter->LoadPreset(0));
    EXPECT_EQ(meter->lowSplit.FrequencyHz(), 200);
    EXPECT_EQ(meter->targetLufs[0], -20.0f);
    EXPECT_EQ(meter->ParamAt(ParamFreqLow)->Value(), 200.0);
}

TEST(QuorvelParameters, FirstApplicationTakesEffect) {
    CLS_QUORVEL meter({});
    EXPECT_FALSE(meter.resetOnPlay);
    EXPECT_EQ(meter.lowSplit.FrequencyHz(), 0);
    meter.Open();
    EXPECT_TRUE(meter.resetOnPlay);
    EXPECT_TRUE(meter.analyseOnlyWhenPlaying);
    EXPECT_TRUE(meter.split24dB);
    EXPECT_EQ(meter.lowSplit.FrequencyHz(), 200);
    EXPECT_EQ(meter.highSplit.FrequencyHz(), 2000);
    EXPECT_EQ(meter.targetLufs[1], -20.0f);
    for (int32_t applied : meter.appliedValues) {
        EXPECT_NE(applied, -101);
    }
}

TEST(QuorvelParameters, DescriptionsAfterProcessingStarted) {
    CLS_QUORVEL meter({});
    meter.Open();
    SetParam(meter, ParamLowTarget, -12.34);
    EXPECT_EQ(meter.targetLufs[0], -12.3f);
    SetParam(meter, ParamMiddleTarget, -44.6); // -446 x 0.1f would give -44.6000023
    EXPECT_EQ(meter.targetLufs[1], -44.6f);
    EXPECT_STREQ(meter.messageText.Text(), ""); // no block yet
    EXPECT_EQ(meter.messageDeadline, 0u);
    meter.NotifyParamHovered(ParamTargetKind);
    EXPECT_STREQ(meter.messageText.Text(), "");

    meter.SetupProcessing(48000, 64);
    Feed(meter, Signal(64), Signal(64));
    SetParam(meter, ParamLowTarget, -12.0);
    SetParam(meter, ParamLowTarget, -12.34);
    EXPECT_STREQ(meter.messageText.Text(), "Low lufs target: -12.30 lu");
    EXPECT_NE(meter.messageDeadline, 0u);

    const struct {
        int param;
        double value;
        const char* text;
    } cases[] = {
        {ParamTargetKind, 2, "Target to: max momentary"},
        {ParamTargetKind, 1, "Target to: max short term"},
        {ParamTargetKind, 0, "Target to: integrated"},
        {ParamFreqLow, 250, "Split freq Low-Middle: 250 Hz"},
        {ParamFreqHigh, 2500, "Split freq Middle-High: 2500 Hz"},
        {ParamHighTarget, -5, "High lufs target: -5.00 lu"},
        {ParamResetOnPlay, 0, "Lock data, keep at play start"},
        {ParamGraphWhenPlay, 0, "Analyzing without play"},
        {ParamSplit24dB, 0, "Split frequencies by 12dB"},
        {ParamSplit24dB, 1, "Split frequencies by 24dB"},
    };
    for (const auto& c : cases) {
        SetParam(meter, c.param, c.value);
        EXPECT_STREQ(meter.messageText.Text(), c.text);
    }
    SetParam(meter, ParamTargetKind, 2);
    meter.NotifyParamHovered(ParamFreqLow);
    meter.NotifyParamHovered(ParamTargetKind);
    EXPECT_STREQ(meter.messageText.Text(), "Target to: max momentary");
    meter.NotifyParamHovered(9);
    EXPECT_STREQ(meter.messageText.Text(), "");
}

TEST(QuorvelParameters, FrequencyRefusedOnceProcessing) {
    auto meter = StartedMeter();
    Feed(*meter, Signal(64), Signal(64));
    meter->messageText.SetText("before");
    meter->gestures.clear();

    SetParam(*meter, ParamFreqHigh, 150);
    EXPECT_EQ(meter->ParamAt(ParamFreqHigh)->Value(), 200.0);
    EXPECT_EQ(meter->highSplit.FrequencyHz(), 2000);
    EXPECT_STREQ(meter->messageText.Text(), "before");
    // The host is told the pushed-back value within one edit.
    ASSERT_EQ(meter->gestures.size(), 3u);
    EXPECT_EQ(meter->gestures[0].kind, IEffectOffline::GestureKind::Begin);
    EXPECT_EQ(meter->gestures[1].kind, IEffectOffline::GestureKind::Perform);
    EXPECT_EQ(meter->gestures[1].paramIndex, ParamFreqHigh);
    EXPECT_DOUBLE_EQ(meter->gestures[1].value, meter->ParamAt(ParamFreqHigh)->NormalizedValue());
    EXPECT_EQ(meter->gestures[2].kind, IEffectOffline::GestureKind::End);

    SetParam(*meter, ParamFreqLow, 5000);
    EXPECT_EQ(meter->ParamAt(ParamFreqLow)->Value(), 2000.0);
    EXPECT_EQ(meter->lowSplit.FrequencyHz(), 200);
}

TEST(QuorvelParameters, StartupGate) {
    CLS_QUORVEL meter({});
    CLS_QUORVEL other({});
    for (int i = 0; i < 8; ++i) {
        meter.NotifyParamChanged(i);
        meter.NotifyParamChanged(i);
    }
    meter.NotifyParamChanged(-1);
    meter.NotifyParamChanged(9);
    EXPECT_FALSE(meter.processingEnabled);
    EXPECT_EQ(meter.parametersMissing, 1);
    meter.NotifyParamChanged(8);
    EXPECT_TRUE(meter.processingEnabled);
    EXPECT_FALSE(other.processingEnabled);
}

TEST(QuorvelState, NineDoubles) {
    auto meter = StartedMeter();
    SetParam(*meter, ParamFreqLow, 300);
    SetParam(*meter, ParamHighTarget, -14.5);
    ChunkBuffer saved;
    ASSERT_TRUE(meter->WriteState(&saved));
    ASSERT_EQ(saved.Size(), 72);

    auto restored = StartedMeter();
    EXPECT_EQ(restored->ReadState(&saved, 0), 72);
    EXPECT_EQ(restored->lowSplit.FrequencyHz(), 300);
    EXPECT_EQ(restored->targetLufs[2], -14.5f);

    ChunkBuffer longer = saved;
    longer.AppendDouble(1.0);
    EXPECT_EQ(restored->ReadState(&longer, 0), 72);

    // 40 bytes: five values; the later parameters keep theirs.
    ChunkBuffer shorter;
    const double values[] = {100, 1000, -30, -31, -32, 2, 0, 0, 0};
    for (double v : values) {
        shorter.AppendDouble(v);
    }
    ChunkBuffer cut;
    cut.AppendBytes(shorter.Data(), 40);
    SetParam(*restored, ParamTargetKind, 1);
    EXPECT_EQ(restored->ReadState(&cut, 0), -1);
    EXPECT_EQ(restored->targetLufs[2], -32.0f);
    EXPECT_EQ(restored->highSplit.FrequencyHz(), 1000);
    EXPECT_EQ(restored->targetKind, 1);
    EXPECT_TRUE(restored->resetOnPlay);

    ChunkBuffer damaged; // a value out of range is clamped, one that is not a number skipped
    damaged.AppendDouble(-1e9);
    damaged.AppendDouble(std::nan(""));
    damaged.AppendDouble(-40.0);
    restored->ReadState(&damaged, 0);
    EXPECT_EQ(restored->ParamAt(ParamFreqLow)->Value(), 20.0);
    EXPECT_EQ(restored->lowSplit.FrequencyHz(), 20);
    EXPECT_EQ(restored->ParamAt(ParamFreqHigh)->Value(), 1000.0);
    EXPECT_EQ(restored->targetLufs[0], -40.0f);
}
