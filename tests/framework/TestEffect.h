#pragma once

#include "framework/IGraphics.h"
#include "framework/offline/IEffectOffline.h"

#include <vector>

// A small plug-in on the host-less adapter: three parameters (continuous, integer, choice),
// four preset slots. Its own processing doubles the input, so a test can tell whether it ran.
class TestEffect : public IEffectOffline {
public:
    explicit TestEffect(const char* channelConfig = "1-1 2-2");

    void ProcessBlock(double** inputs, double** outputs, int frames) override;
    void NotifyParamChanged(int paramIndex) override { notified.push_back(paramIndex); }

    std::vector<int> blockFrames;
    std::vector<int> notified;
};

// An editor that records what the base asks of it.
class FakeEditor : public IGraphics {
public:
    explicit FakeEditor(bool* deleted = nullptr) : deleted(deleted) {}
    ~FakeEditor() override;

    void ShowParamValue(int paramIndex, double value, bool normalised) override;
    void PrepareDrawing() override { prepared = true; }
    void StartEditEndCountdown(int ticks) override { countdown = ticks; }
    void CancelEditEndCountdown() override { countdown = 0; }
    int FrameRate() const override { return 24; }

    struct Shown {
        int paramIndex;
        double value;
        bool normalised;
    };
    std::vector<Shown> shown;
    bool prepared = false;
    int countdown = 0;
    bool* deleted;
};
