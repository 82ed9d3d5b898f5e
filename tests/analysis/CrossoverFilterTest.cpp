#include "analysis/BandSplit.h"

#include "TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

enum class Band { Low, High };

double Output(const StereoBands& bands, Band band, int channel) {
    return band == Band::Low ? bands.low[channel] : bands.high[channel];
}

// lowSplit and highSplit at their own rate, by default at 200 and 2000 Hz.
class Crossover {
public:
    explicit Crossover(double sampleRate, int lowHz = 200, int highHz = 2000) : rate(sampleRate) {
        lowSplit.SetFrequency(lowHz);
        highSplit.SetFrequency(highHz);
    }
    Crossover(const Crossover&) = delete;
    Crossover& operator=(const Crossover&) = delete;

    StereoBands Split(bool split24dB, double left, double right) {
        return SplitStereoSample(lowSplit, highSplit, split24dB, left, right);
    }

private:
    double rate;
    CrossoverFilter lowSplit{rate, true};
    CrossoverFilter highSplit{rate, false};
};

} // namespace

TEST(CrossoverFilter, OneOctaveBeyondTheCorner) {
    // A section of Q 0.7564 is about 12 dB down one octave beyond its corner; the second stage
    // of the 24 dB slope doubles that. At half scale: near full scale the high-pass first state
    // of a 1 kHz sine reaches the clamp at 1.
    struct Case {
        bool split24dB;
        Band band;
        double hz;
        double expectedDb;
    };
    const Case cases[] = {{false, Band::Low, 400.0, -12.04},
                          {false, Band::High, 1000.0, -12.11},
                          {true, Band::Low, 400.0, -24.08},
                          {true, Band::High, 1000.0, -24.22}};
    constexpr long kRate = 48000;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hz << " Hz, 24 dB " << c.split24dB);
        Crossover crossover(kRate);
        double inputEnergy = 0.0;
        double outputEnergy[2] = {};
        // The second second holds a whole number of periods of the settled response.
        for (long n = 0; n < 2 * kRate; ++n) {
            const double x = 0.5 * SineAt(c.hz, kRate, n);
            const StereoBands bands = crossover.Split(c.split24dB, x, -x);
            if (n >= kRate) {
                inputEnergy += x * x;
                for (int channel : {0, 1}) {
                    outputEnergy[channel] += std::pow(Output(bands, c.band, channel), 2);
                }
            }
        }
        for (int channel : {0, 1}) {
            EXPECT_NEAR(10.0 * std::log10(outputEnergy[channel] / inputEnergy), c.expectedDb, 0.02);
        }
    }
}

TEST(CrossoverFilter, BandsAddUpToTheInput) {
    for (bool split24dB : {false, true}) {
        Crossover crossover(44100.0);
        NoiseSource noise(7);
        double worst = 0.0;
        for (int n = 0; n < 20000; ++n) {
            const double input[2] = {noise.White(), 1.5 * noise.White()};
            const StereoBands bands = crossover.Split(split24dB, input[0], input[1]);
            for (int c : {0, 1}) {
                const double sum = bands.low[c] + bands.middle[c] + bands.high[c];
                worst = std::max(worst, std::abs(sum - input[c]));
            }
        }
        EXPECT_LT(worst, 1e-14) << "24 dB " << split24dB;
    }
}

TEST(CrossoverFilter, SettlesOnHeldInput) {
    struct Case {
        bool split24dB;
        double input;
        double low;
        double high;
    };
    const Case cases[] = {
        {false, 0.5, 0.5, 0.0},
        {true, 0.5, 0.5, 0.0},
        // Held at +4, the clamped first state of every section pins its output at
        // gain x input + 1 (low-pass) or gain x input - 1 (high-pass): the low band stays near 1,
        // the high band does not return to 0, and the middle band takes the rest.
        {false, 4.0, 1.0006737, 2.3574595},
        {true, 4.0, 1.0001685, 0.9787687},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.input << ", 24 dB " << c.split24dB);
        Crossover crossover(48000.0);
        StereoBands bands{};
        for (int n = 0; n < 48000; ++n) {
            bands = crossover.Split(c.split24dB, c.input, c.input);
        }
        for (int channel : {0, 1}) {
            EXPECT_NEAR(bands.low[channel], c.low, 1e-6);
            EXPECT_NEAR(bands.high[channel], c.high, 1e-6);
            EXPECT_NEAR(bands.middle[channel], c.input - c.low - c.high, 1e-6);
        }
    }
}

// With the corner at or above half the rate the tangent is taken at pi / 2: a huge but finite
// warped frequency, for which the low-pass passes everything and the high-pass nothing.
TEST(CrossoverFilter, CornerAtOrAboveHalfTheRate) {
    for (int hz : {16000, 20000}) {
        for (bool split24dB : {false, true}) {
            SCOPED_TRACE(testing::Message() << hz << " Hz, 24 dB " << split24dB);
            Crossover crossover(32000.0, hz, hz);
            NoiseSource noise(3);
            for (int n = 0; n < 32000; ++n) {
                const double x = 0.9 * noise.White();
                const StereoBands bands = crossover.Split(split24dB, x, -x);
                ASSERT_NEAR(bands.low[0], x, 1e-9) << n;
                ASSERT_NEAR(bands.low[1], -x, 1e-9) << n;
                ASSERT_NEAR(bands.high[0], 0.0, 1e-9) << n;
                ASSERT_NEAR(bands.high[1], 0.0, 1e-9) << n;
            }
        }
    }
}
