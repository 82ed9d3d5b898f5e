// One full-band BandLoudness against libebur128, the reference implementation of the same
// loudness measure, on the same synthesized stereo signals at 48 kHz.
#include "analysis/BandLoudness.h"

#include "TestSignals.h"

#include <ebur128.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr long kBlockFrames = 4800; // 100 ms

// The fast logarithm reads between -0.085 and +0.175 dB off the exact one. Both meters design
// the K-weighting from the same analogue parameters and sum the same 400 ms (and 2.9 s) of
// squares, so what remains beyond that is rounding: libebur128 runs the two stages as one
// fourth-order section and re-sums its window, where the band keeps two sections and a running
// sum. On these signals that rounding never moves the band's reading off the fast logarithm of
// libebur128's own mean square (less than 1e-9 dB apart); a margin of 0.001 dB covers it.
constexpr double kFastLogBelow = -0.085;
constexpr double kFastLogAbove = 0.175;
constexpr double kMargin = 0.001;

// A stereo signal: its length and the source of its frames (left, right), in order.
struct Signal {
    long frames;
    std::function<void(double* frame)> next;
};

// A level of the 1 kHz sine for a stretch of time. dBFS is the sine's peak against full scale,
// in both channels alike: a full-scale 997 Hz sine has a mean square of 0.5 per channel, 1.0
// summed, which the K-weighting raises by 0.691 dB and the loudness offset brings back to
// 0 LUFS; so a sine at -23 dBFS reads -23 LUFS in both meters (1 kHz weighs 0.007 dB more).
struct Stretch {
    double dbfs;
    double seconds;
};

Signal Sines(std::vector<Stretch> stretches) {
    long frames = 0;
    for (const Stretch& s : stretches) {
        frames += std::lround(s.seconds * kRate);
    }
    return {frames, [stretches, n = 0L](double* frame) mutable {
                double end = 0.0;
                double peak = 0.0;
                for (const Stretch& s : stretches) {
                    end += s.seconds * kRate;
                    if (n < end) {
                        peak = std::pow(10.0, s.dbfs / 20.0);
                        break;
                    }
                }
                frame[0] = frame[1] = peak * SineAt(1000.0, kRate, n++);
            }};
}

// Independent pink-ish noise in each channel, about -21 LUFS.
Signal PinkNoise(double seconds) {
    return {std::lround(seconds * kRate),
            [left = NoiseSource(11), right = NoiseSource(29)](double* frame) mutable {
                frame[0] = 0.5 * left.Pink();
                frame[1] = 0.5 * right.Pink();
            }};
}

using Reference = std::unique_ptr<ebur128_state, void (*)(ebur128_state*)>;

Reference StereoReference() {
    return Reference(ebur128_init(2, static_cast<unsigned long>(kRate),
                                  EBUR128_MODE_I | EBUR128_MODE_S | EBUR128_MODE_M),
                     [](ebur128_state* state) { ebur128_destroy(&state); });
}

// The range of (band - reference) over many readings.
struct Spread {
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();

    void Add(double band, double reference) {
        lowest = std::min(lowest, band - reference);
        highest = std::max(highest, band - reference);
    }
};

} // namespace

TEST(LoudnessReference, AgreesWithLibebur128) {
    struct Case {
        const char* name;
        Signal signal;
        double integrated; // what both should read, where the signal fixes it
    };
    const double unknown = std::numeric_limits<double>::quiet_NaN();
    Case cases[] = {
        {"sine -23 dBFS", Sines({{-23.0, 20.0}}), -23.0},
        {"sine -33 dBFS", Sines({{-33.0, 20.0}}), -33.0},
        {"sine -36/-23/-36 dBFS", Sines({{-36.0, 10.0}, {-23.0, 60.0}, {-36.0, 10.0}}), -23.0},
        {"pink noise", PinkNoise(30.0), unknown},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        double rate = kRate;
        BandLoudness band(rate);
        band.ResetBand();
        Reference reference = StereoReference();
        ASSERT_TRUE(reference);

        Spread momentary, shortTerm;
        std::vector<double> frames(2 * kBlockFrames);
        for (long block = 1; block * kBlockFrames <= c.signal.frames; ++block) {
            for (long i = 0; i < kBlockFrames; ++i) {
                double* frame = &frames[2 * i];
                c.signal.next(frame);
                band.BeginSample();
                band.Weight(frame[0], 0);
                band.Weight(frame[1], 1);
                band.EndSample(true);
            }
            ASSERT_EQ(ebur128_add_frames_double(reference.get(), frames.data(), kBlockFrames),
                      EBUR128_SUCCESS);

            // Compared once the windows are full: 4 blocks, and 29 for the short-term reading,
            // whose 2.9 s window libebur128 reads as a window of 2900 ms (its own short-term
            // window is 3 s).
            double value;
            if (block >= BandLoudness::momentaryBlocks) {
                ebur128_loudness_momentary(reference.get(), &value);
                momentary.Add(band.momentaryLufs.load(), value);
            }
            if (block >= BandLoudness::shortTermBlocks) {
                ebur128_loudness_window(reference.get(), 2900, &value);
                shortTerm.Add(band.shortTermLufs.load(), value);
            }
        }

        double integrated;
        ASSERT_EQ(ebur128_loudness_global(reference.get(), &integrated), EBUR128_SUCCESS);
        EXPECT_NEAR(band.IntegratedLufs(), integrated, 0.1);
        if (!std::isnan(c.integrated)) {
            EXPECT_NEAR(integrated, c.integrated, 0.1);
        }
        for (const Spread* spread : {&momentary, &shortTerm}) {
            EXPECT_GE(spread->lowest, kFastLogBelow - kMargin);
            EXPECT_LE(spread->highest, kFastLogAbove + kMargin);
        }
        testing::Test::RecordProperty(std::string(c.name) + ": integrated",
                                      std::to_string(band.IntegratedLufs() - integrated));
        testing::Test::RecordProperty(std::string(c.name) + ": momentary",
                                      std::to_string(momentary.lowest) + " " +
                                          std::to_string(momentary.highest));
        testing::Test::RecordProperty(std::string(c.name) + ": short-term",
                                      std::to_string(shortTerm.lowest) + " " +
                                          std::to_string(shortTerm.highest));
    }
}
