#pragma once

#include "CLS_QUORVEL.h"

#include <memory>
#include <vector>

using Signal = std::vector<double>;

// A plug-in after the start-up a host performs: every parameter announced, processing set
// up at the given rate and block size, running.
std::unique_ptr<CLS_QUORVEL> StartedMeter(double rate = 48000.0, int maxBlock = 512);

// Feeds a stereo signal (one channel when right is null) in host blocks of `block` frames
// and returns the output.
std::vector<Signal> Feed(CLS_QUORVEL& meter, const Signal& left, const Signal* right,
                         int block = 512);
inline std::vector<Signal> Feed(CLS_QUORVEL& meter, const Signal& left, const Signal& right,
                                int block = 512) {
    return Feed(meter, left, &right, block);
}

// Deterministic white noise with peaks of `amplitude`.
Signal Noise(int frames, double amplitude, unsigned seed = 1);

// Sets a parameter as a host does: the plain value, then the plug-in is told.
void SetParam(CLS_QUORVEL& meter, int paramIndex, double plain);
