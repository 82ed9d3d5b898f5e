#pragma once

#include "meter/SampleSource.h"

#include <cstddef>
#include <vector>

// Stereo audio held in memory.
class MemorySource : public SampleSource {
public:
    MemorySource(double sampleRate, std::vector<double> left, std::vector<double> right);

    double SampleRate() const override { return sampleRate; }
    int Channels() const override { return 2; }
    int64_t Frames() const override { return static_cast<int64_t>(left.size()); }
    int Read(double* leftOut, double* rightOut, int frames) override;

private:
    double sampleRate;
    std::vector<double> left;
    std::vector<double> right;
    size_t position = 0;
};

// The demo programme: 30 seconds at 48 kHz of a bass line with a kick (low band), a chord
// with a louder second half (middle band) and a hi-hat figure (high band), each at its own
// level and with its own dynamics.
MemorySource MakeDemoProgramme();
