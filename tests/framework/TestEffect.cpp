#include "TestEffect.h"

namespace {

EffectConfig TestConfig(const char* channelConfig) {
    return {3,     channelConfig, 4,     "Test", "Test product", "Tester", 0x11000, 1, 2, 0,
            false, false,         false, 0};
}

} // namespace

TestEffect::TestEffect(const char* channelConfig)
    : IEffectOffline(TestConfig(channelConfig), HostContext{}) {
    ParamAt(0)->DefineContinuous("Target", -20.0, -45.0, -5.0, 0.1, "lu");
    ParamAt(1)->DefineInteger("Freq", 200, 20, 20000, "Hz");
    ParamAt(2)->DefineChoice("Kind", 0, 3, "");
}

void TestEffect::ProcessBlock(double** inputs, double** outputs, int frames) {
    blockFrames.push_back(frames);
    for (int c = 0; c < InputChannelCount() && c < OutputChannelCount(); ++c) {
        for (int i = 0; i < frames; ++i) {
            outputs[c][i] = 2.0 * inputs[c][i];
        }
    }
}

FakeEditor::~FakeEditor() {
    if (deleted != nullptr) {
        *deleted = true;
    }
}

void FakeEditor::ShowParamValue(int paramIndex, double value, bool normalised) {
    shown.push_back({paramIndex, value, normalised});
}
