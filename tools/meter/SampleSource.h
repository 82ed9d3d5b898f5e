#pragma once

#include <cstdint>

// Audio to be metered, mono or stereo, read front to back in blocks.
class SampleSource {
public:
    virtual ~SampleSource() = default;

    virtual double SampleRate() const = 0;
    virtual int Channels() const = 0;
    virtual int64_t Frames() const = 0;

    // Reads up to `frames` frames into left and (for stereo) right; returns the number of
    // frames read, 0 at the end.
    virtual int Read(double* left, double* right, int frames) = 0;
};
