#pragma once

#include "analysis/CrossoverFilter.h"

// One stereo sample split into three bands; index 0 is left, 1 right.
struct StereoBands {
    double low[2];
    double middle[2];
    double high[2];
};

// The low band is the low-pass of lowSplit, the high band the high-pass of highSplit (each
// through its second stage too at 24 dB per octave), and the middle band is what remains, so
// the three always add back up to the input.
inline StereoBands SplitStereoSample(CrossoverFilter& lowSplit, CrossoverFilter& highSplit,
                                     bool split24dB, double left, double right) {
    StereoBands bands;
    bands.low[0] = lowSplit.LowPass(left, 0);
    bands.low[1] = lowSplit.LowPass(right, 1);
    bands.high[0] = highSplit.HighPass(left, 0);
    bands.high[1] = highSplit.HighPass(right, 1);
    if (split24dB) {
        bands.low[0] = lowSplit.LowPassStage2(bands.low[0], 0);
        bands.low[1] = lowSplit.LowPassStage2(bands.low[1], 1);
        bands.high[0] = highSplit.HighPassStage2(bands.high[0], 0);
        bands.high[1] = highSplit.HighPassStage2(bands.high[1], 1);
    }
    bands.middle[0] = left - bands.low[0] - bands.high[0];
    bands.middle[1] = right - bands.low[1] - bands.high[1];
    return bands;
}
