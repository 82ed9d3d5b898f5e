#include "TestEffect.h"
#include "framework/Rounding.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

using Kind = IEffectOffline::GestureKind;

namespace {

// The recorded gestures as text, e.g. "B2 P2 E2".
std::string GestureText(const IEffectOffline& effect) {
    std::string text;
    for (const IEffectOffline::Gesture& g : effect.gestures) {
        text += text.empty() ? "" : " ";
        text += g.kind == Kind::Begin ? 'B' : g.kind == Kind::Perform ? 'P' : 'E';
        text += std::to_string(g.paramIndex);
    }
    return text;
}

} // namespace

TEST(IEffectBase, Identity) {
    TestEffect effect;
    EXPECT_STREQ(effect.effectName, "Test");
    EXPECT_EQ(effect.GetHostApi(), HostApiOffline);
    EXPECT_EQ(effect.GetHostId(), -1);
    EXPECT_EQ(effect.sampleRate, 44100.0);
    char version[16];
    effect.FormatVersion(version, sizeof version);
    EXPECT_STREQ(version, "v1.16");
    EXPECT_EQ(effect.VersionNumber(true), 11600);
    EXPECT_EQ(effect.VersionNumber(false), 0x11000);
}

TEST(IEffectBase, HostNames) {
    const struct {
        const char* name;
        int hostId;
    } cases[] = {
        {"REAPER", 1},
        {"Steinberg Nuendo (Cubase engine)", 3},
        {"WaveLab Gold", 28},
        {"Ableton Live", 9},
        {"", 0},
        {nullptr, 0},
        {"Some New Host", 0},
        {"BrainwaveProducer for Cubase", 29},
    };
    for (const auto& c : cases) {
        TestEffect effect;
        effect.IdentifyHost(c.name, 0x80005);
        EXPECT_EQ(effect.GetHostId(), c.hostId) << (c.name ? c.name : "null");
        EXPECT_EQ(effect.hostVersion, 0x80005);
    }
    // Only the first 255 characters of a name are looked at.
    EXPECT_EQ(IEffectBase::LookupHostId((std::string(255, 'x') + "reaper").c_str()), 0);
    EXPECT_EQ(IEffectBase::LookupHostId((std::string(249, 'x') + "reaper").c_str()), 1);
}

TEST(IEffectBase, ChannelConfigurations) {
    const struct {
        const char* config;
        int pairs, inputs, outputs;
    } cases[] = {
        {"1-1 2-2", 2, 2, 2},
        {"1-2", 1, 1, 2},
        {nullptr, 0, 0, 0},
        {"x-3 4", 2, 4, 0},
    };
    for (const auto& c : cases) {
        TestEffect effect(c.config);
        EXPECT_EQ(static_cast<int>(effect.channelPairs.size()), c.pairs);
        EXPECT_EQ(effect.InputChannelCount(), c.inputs);
        EXPECT_EQ(effect.OutputChannelCount(), c.outputs);
    }
    TestEffect stereo;
    EXPECT_TRUE(stereo.AcceptsChannelCounts(1, -1));
    EXPECT_TRUE(stereo.AcceptsChannelCounts(2, 2));
    EXPECT_FALSE(stereo.AcceptsChannelCounts(1, 2));
    EXPECT_FALSE(stereo.AcceptsChannelCounts(3, -1));
}

TEST(IEffectBase, ResizeBlockBuffersKeepsOrRenews) {
    TestEffect effect;
    effect.ConnectInputChannels(1, INT_MAX, false);
    effect.ResizeBlockBuffers(8);
    effect.inputPorts[1].scratch[3] = 0.5;
    const double* before = effect.inputPorts[1].scratch.data();

    effect.ResizeBlockBuffers(8);
    EXPECT_EQ(effect.inputPorts[1].scratch.data(), before);
    EXPECT_EQ(effect.inputPorts[1].scratch[3], 0.5);

    effect.ResizeBlockBuffers(16);
    EXPECT_EQ(effect.blockSize, 16);
    for (const InputPort& port : effect.inputPorts) {
        EXPECT_EQ(port.scratch, std::vector<double>(16, 0.0));
    }
    EXPECT_EQ(effect.inputSlots[1], effect.inputPorts[1].scratch.data());
    effect.ResizeBlockBuffers(-1);
    EXPECT_EQ(effect.blockSize, 16);
}

TEST(IEffectBase, DisabledAndBypassedBlocks) {
    TestEffect effect;
    effect.ResizeBlockBuffers(4);
    float inL[4] = {1, 2, 3, 4}, inR[4] = {-1, -2, -3, -4};
    float outL[4] = {9, 9, 9, 9}, outR[4] = {9, 9, 9, 9};
    const float* in[] = {inL, inR};
    float* out[] = {outL, outR};

    effect.ProcessFloat(in, out, 2, 4); // processingEnabled is false
    EXPECT_TRUE(effect.blockFrames.empty());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(outL[i], 0.0f);
        EXPECT_EQ(outR[i], 0.0f);
    }

    double dIn[4] = {1, 2, 3, 4}, dOut[4] = {9, 9, 9, 9};
    double* dIns[] = {dIn, dIn};
    double* dOuts[] = {dOut, dOut};
    effect.ProcessDouble(dIns, dOuts, 2, 4);
    EXPECT_EQ(dOut[0], 9.0); // left as the host passed it

    effect.processingEnabled = true;
    effect.AttachInputBuffers(0, 2, in);
    effect.AttachOutputBuffers(0, 2, out);
    effect.RunBypassedBlock(4);
    EXPECT_TRUE(effect.blockFrames.empty());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(outL[i], inL[i]);
        EXPECT_EQ(outR[i], inR[i]);
    }
}

TEST(IEffectBase, DisconnectedInputReadsSilence) {
    TestEffect effect;
    effect.ResizeBlockBuffers(4);
    float left[4] = {1, 2, 3, 4}, right[4] = {5, 6, 7, 8}, out[2][4] = {};
    const float* stereoIn[] = {left, right};
    float* stereoOut[] = {out[0], out[1]};
    effect.ProcessFloat(stereoIn, stereoOut, 2, 4); // right converted into its scratch buffer
    effect.ProcessFloat(stereoIn, stereoOut, 1, 4); // mono: the right channel is not connected
    EXPECT_EQ(effect.inputSlots[1], effect.inputPorts[1].scratch.data());
    EXPECT_EQ(effect.inputPorts[1].scratch, std::vector<double>(4, 0.0));
}

TEST(IEffectBase, DefaultProcessBlockZeroesExtraOutputs) {
    TestEffect effect("1-2");
    effect.ResizeBlockBuffers(3);
    double in[3] = {1, 2, 3}, out1[3] = {}, out2[3] = {7, 7, 7};
    double* ins[] = {in};
    double* outs[] = {out1, out2};
    effect.AttachInputBuffers(0, 1, ins);
    effect.AttachOutputBuffers(0, 2, outs);
    effect.RunBypassedBlock(3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out1[i], in[i]);
        EXPECT_EQ(out2[i], 0.0);
    }
}

TEST(IEffectBase, LongHostBlocksRunInSlices) {
    TestEffect effect;
    effect.ResizeBlockBuffers(4);
    effect.processingEnabled = true;
    float in[10], acc[10];
    for (int i = 0; i < 10; ++i) {
        in[i] = static_cast<float>(i);
        acc[i] = 100.0f;
    }
    const float* ins[] = {in, in};
    float* outs[] = {acc, nullptr}; // a null host buffer: that channel is not delivered
    effect.AttachInputBuffers(0, 2, ins);
    effect.AttachOutputBuffers(0, 2, outs);
    effect.RunAccumulatingBlock(10);
    EXPECT_EQ(effect.blockFrames, (std::vector<int>{4, 4, 2}));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(acc[i], 100.0f + 2.0f * i) << i;
    }
}

TEST(IEffectBase, NothingRunsWithoutBuffers) {
    TestEffect effect;
    effect.processingEnabled = true;
    double buffer[4] = {1, 2, 3, 4};
    double* channels[] = {buffer, buffer};
    effect.ProcessDouble(channels, channels, 2, 4);
    EXPECT_TRUE(effect.blockFrames.empty());

    effect.ResizeBlockBuffers(4);
    effect.RunBlock(4); // nothing attached: scratch buffers only
    EXPECT_EQ(effect.blockFrames, std::vector<int>{4});
}

TEST(IEffectBase, WheelTurnsFoldIntoOneGesture) {
    TestEffect effect;
    effect.BeginWheelEdit(1);
    effect.BeginDelayedEditEnd(1);
    EXPECT_EQ(GestureText(effect), "B1 E1"); // without an editor the end comes at once

    effect.gestures.clear();
    auto* editor = new FakeEditor;
    effect.AttachEditor(editor);
    for (int turn = 0; turn < 2; ++turn) {
        effect.BeginWheelEdit(1);
        effect.BeginDelayedEditEnd(1);
    }
    EXPECT_EQ(editor->countdown, 12);
    EXPECT_EQ(GestureText(effect), "B1");

    effect.BeginWheelEdit(2);
    EXPECT_EQ(GestureText(effect), "B1 E1 B2");
    effect.BeginDelayedEditEnd(2);
    effect.FlushDelayedEditEnd();
    EXPECT_EQ(GestureText(effect), "B1 E1 B2 E2");
    EXPECT_EQ(editor->countdown, 0);
    EXPECT_EQ(effect.pendingWheelParam, -1);
}

TEST(IEffectBase, ParameterChangesFromEditorAndPlugin) {
    auto effect = std::make_unique<TestEffect>();
    bool deleted = false;
    auto* editor = new FakeEditor(&deleted);
    effect->AttachEditor(nullptr);
    EXPECT_EQ(effect->editor, nullptr);
    effect->AttachEditor(editor);
    EXPECT_TRUE(editor->prepared);
    ASSERT_EQ(editor->shown.size(), 3u);
    EXPECT_DOUBLE_EQ(editor->shown[0].value, 0.625);
    EXPECT_TRUE(editor->shown[0].normalised);

    effect->SetParameterFromEditor(0, 1.0);
    EXPECT_EQ(effect->ParamAt(0)->Value(), -5.0);
    EXPECT_EQ(GestureText(*effect), "P0");
    EXPECT_EQ(effect->notified, std::vector<int>{0});

    effect->SetParameterFromPlugin(1, 50000.0);
    EXPECT_EQ(effect->ParamAt(1)->Value(), 20000.0);
    EXPECT_EQ(GestureText(*effect), "P0 B1 P1 E1");
    EXPECT_EQ(effect->notified, std::vector<int>{0});
    EXPECT_EQ(editor->shown.back().value, 1.0);

    effect->SetParameterFromEditor(0, NAN); // not a value: ignored
    effect->SetParameterFromEditor(3, 0.5); // outside the list: ignored
    effect->SetParameterFromPlugin(-1, 0.5);
    EXPECT_EQ(GestureText(*effect), "P0 B1 P1 E1");
    EXPECT_EQ(effect->notified, std::vector<int>{0});
    EXPECT_EQ(effect->ParamAt(0)->Value(), -5.0);
    EXPECT_EQ(effect->ParamAt(3), nullptr);

    editor->shown.clear();
    effect->RefreshEditorFromParams();
    ASSERT_EQ(editor->shown.size(), 3u);
    EXPECT_EQ(editor->shown[1].value, 20000.0);
    EXPECT_FALSE(editor->shown[1].normalised);

    bool replacementDeleted = false;
    effect->AttachEditor(new FakeEditor(&replacementDeleted));
    EXPECT_TRUE(deleted);
    effect.reset();
    EXPECT_TRUE(replacementDeleted);
}

TEST(Rounding, HalfAwayFromZeroWithoutUndefinedConversions) {
    const struct {
        double x;
        int rounded;
    } cases[] = {
        {0.5, 1},
        {-0.5, -1},
        {2.5, 3},
        {-2.5, -3},
        {0.49999999999999994, 0},
        {-1.4, -1},
        {std::nan(""), 0},
        {1e300, INT_MAX},
        {-1e300, INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfAway(c.x), c.rounded) << c.x;
    }
}
