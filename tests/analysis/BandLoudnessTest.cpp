#include "analysis/BandLoudness.h"

#include "TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr double kSineHz = 1000.0;

// The mean square whose exact loudness is lufs.
double MeanSquareOf(double lufs) {
    return std::pow(10.0, (lufs + 0.691) / 10.0);
}

std::uint32_t HighWord(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return static_cast<std::uint32_t>(bits >> 32);
}

// The mean square in the middle of the step of the fast logarithm whose high word is high.
double StepCentre(std::uint32_t high) {
    const std::uint64_t bits = static_cast<std::uint64_t>(high) << 32 | 0x80000000u;
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// The high word of the lowest step of the fast logarithm that reads at least lufs.
std::uint32_t FirstStepAtOrAbove(double lufs) {
    std::uint32_t high = HighWord(MeanSquareOf(lufs));
    while (BandLoudness::FastLufs(StepCentre(high - 1)) >= lufs) {
        --high;
    }
    while (BandLoudness::FastLufs(StepCentre(high)) < lufs) {
        ++high;
    }
    return high;
}

// The K-weighted mean square (both channels summed) of a stereo 1 kHz sine of amplitude 1 at
// 48 kHz, taken from a settled block. A 100 ms block holds exactly 100 periods, so every settled
// block has the same energy and a sine scaled by sqrt(m / this) gives windows of mean square m.
double UnitSineMeanSquare() {
    double rate = kRate;
    BandLoudness probe(rate);
    probe.ResetBand();
    const long blockLength = probe.BlockLength();
    double sum = 0.0;
    for (long n = 0; n < 3 * blockLength; ++n) {
        const double y = probe.Weight(SineAt(kSineHz, kRate, n), 0);
        if (n >= 2 * blockLength) {
            sum += y * y;
        }
    }
    return 2.0 * sum / static_cast<double>(blockLength);
}

// One band at 48 kHz fed with a stereo 1 kHz sine, block by block, as the processing routine
// feeds it.
class BandLoudnessTest : public testing::Test {
protected:
    void SetUp() override { band.ResetBand(); }

    // Whole blocks of the sine, scaled to the window mean square m.
    void FeedBlocks(int blocks, double meanSquare, bool integrate = true) {
        static const double unitMeanSquare = UnitSineMeanSquare();
        const double amplitude = std::sqrt(meanSquare / unitMeanSquare);
        for (long i = 0; i < static_cast<long>(blocks) * band.BlockLength(); ++i) {
            const double x = amplitude * SineAt(kSineHz, kRate, sampleIndex++);
            band.BeginSample();
            band.Weight(x, 0);
            band.Weight(x, 1);
            band.EndSample(integrate);
        }
    }
    void FeedLufs(int blocks, double lufs, bool integrate = true) {
        FeedBlocks(blocks, MeanSquareOf(lufs), integrate);
    }

    double Momentary() const { return band.momentaryLufs.load(); }
    double ShortTerm() const { return band.shortTermLufs.load(); }

    double rate = kRate;
    BandLoudness band{rate};
    long sampleIndex = 0;
};

} // namespace

TEST(BandLoudness, FastLufsExactValues) {
    struct Case {
        double meanSquare;
        double lufs;
    };
    const Case cases[] = {
        {1.0, -0.5164496617527417}, {0.5, -3.526750404799025}, {1e-7, -70.72352339406407}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(BandLoudness::FastLufs(c.meanSquare), c.lufs) << c.meanSquare;
    }
}

TEST(BandLoudness, BlockIsTenthOfASecondRoundedHalfAwayFromZero) {
    struct Case {
        double rate;
        int blockLength;
    };
    // 11025 x 0.1f is 1102.5000164.
    const Case cases[] = {{11025.0, 1103}, {44100.0, 4410}, {48000.0, 4800}, {96000.0, 9600}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        BandLoudness band(c.rate);
        band.ResetBand();
        ASSERT_EQ(band.BlockLength(), c.blockLength);

        // The first reading appears with the block's last sample, not before.
        for (int n = 0; n < c.blockLength; ++n) {
            EXPECT_EQ(band.momentaryLufs.load(), BandLoudness::floorLufs) << n;
            const double x = SineAt(kSineHz, c.rate, n);
            band.BeginSample();
            band.Weight(x, 0);
            band.Weight(x, 1);
            band.EndSample(true);
        }
        EXPECT_GT(band.momentaryLufs.load(), -20.0);
    }
}

TEST(BandLoudness, KWeightingResponseFollowsTheRate) {
    struct Case {
        double hz;
        double gainDb;
    };
    const Case cases[] = {{997.0, 0.69}, {20.0, -13.28}, {10000.0, 4.04}};
    for (double rate : {44100.0, 48000.0, 96000.0}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.hz << " Hz at " << rate);
            BandLoudness band(rate);
            band.ResetBand();
            // Settle for a second, then measure over a second: a whole number of periods.
            const long second = static_cast<long>(rate);
            double inputEnergy = 0.0;
            double outputEnergy = 0.0;
            for (long n = 0; n < 2 * second; ++n) {
                const double x = SineAt(c.hz, rate, n);
                const double y = band.Weight(x, 1);
                if (n >= second) {
                    inputEnergy += x * x;
                    outputEnergy += y * y;
                }
            }
            EXPECT_NEAR(10.0 * std::log10(outputEnergy / inputEnergy), c.gainDb, 0.03);
        }
    }
}

TEST_F(BandLoudnessTest, WindowsFillAfterFourAndTwentyNineBlocks) {
    std::vector<double> momentary, shortTerm;
    for (int block = 1; block <= 40; ++block) {
        FeedLufs(1, -20.0);
        momentary.push_back(Momentary());
        shortTerm.push_back(ShortTerm());
    }
    const double settled = momentary.back();
    EXPECT_NEAR(settled, -20.0, 0.2);
    EXPECT_NEAR(shortTerm.back(), settled, 1e-6);

    // The windows start from empty rings: a quarter of the energy after the first block.
    EXPECT_NEAR(momentary[0], settled + 10.0 * std::log10(0.25), 0.05);
    EXPECT_LT(momentary[2], settled - 0.5);
    EXPECT_NEAR(momentary[3], settled, 0.01);
    EXPECT_LT(shortTerm[27], settled - 0.05);
    EXPECT_NEAR(shortTerm[28], settled, 0.01);
}

TEST_F(BandLoudnessTest, AbsoluteGateAtMinus70) {
    struct Case {
        const char* name;
        double meanSquare;
        bool passes;
    };
    const std::uint32_t lowestPassing = FirstStepAtOrAbove(-70.0);
    const Case cases[] = {
        {"lowest step at or above -70", StepCentre(lowestPassing), true},
        {"step just below -70", StepCentre(lowestPassing - 1), false},
        {"-70.05", StepCentre(FirstStepAtOrAbove(-70.05)), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        band.ResetBand();
        // Integrate only once the window holds settled blocks alone.
        FeedBlocks(5, c.meanSquare, false);
        FeedBlocks(10, c.meanSquare, true);
        ASSERT_EQ(Momentary(), BandLoudness::FastLufs(c.meanSquare));
        if (c.passes) {
            EXPECT_NEAR(band.integratedMeanSquare.load() / c.meanSquare, 1.0, 1e-9);
        } else {
            EXPECT_EQ(band.integratedMeanSquare.load(), 0.0);
            EXPECT_EQ(band.IntegratedLufs(), BandLoudness::floorLufs);
        }
    }
}

TEST_F(BandLoudnessTest, RelativeGateOverTheWholeHistory) {
    struct Case {
        double secondLufs;
        int secondBlocks;
        double integrated;
    };
    // Ten seconds at -20 LUFS, then a second passage. At -40 the quiet blocks are more than 10 LU
    // below the mean of all retained blocks and drop out; what remains is the loud passage with
    // its partly filled lead-in and fade-out windows, about 0.13 LU below -20. At -25 every block
    // counts: 10 log10((100 + 600 x 10^-0.5) / 700) - 20.
    const Case cases[] = {{-40.0, 100, -20.13}, {-25.0, 600, -23.83}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.secondLufs);
        band.ResetBand();
        FeedLufs(100, -20.0);
        const double loudMomentary = Momentary();
        const double loudShortTerm = ShortTerm();
        FeedLufs(c.secondBlocks, c.secondLufs);

        EXPECT_NEAR(band.IntegratedLufs(), c.integrated, 0.02);
        EXPECT_NEAR(Momentary(), c.secondLufs, 0.2);
        EXPECT_EQ(band.maxMomentaryLufs.load(), loudMomentary);
        EXPECT_EQ(band.maxShortTermLufs.load(), loudShortTerm);
    }
}

TEST_F(BandLoudnessTest, IntegrationOffFreezesOnlyTheIntegratedReading) {
    FeedLufs(50, -20.0);
    const double integrated = band.integratedMeanSquare.load();
    FeedLufs(50, -10.0, false);
    EXPECT_EQ(band.integratedMeanSquare.load(), integrated);
    EXPECT_NEAR(Momentary(), -10.0, 0.2);
    EXPECT_NEAR(ShortTerm(), -10.0, 0.2);
}

TEST_F(BandLoudnessTest, NothingOrAlmostNothingGivesNoReading) {
    struct Case {
        double meanSquare;
        double reading;
    };
    // A tiny window mean square is converted, not floored, but reads below the floor and so
    // never raises the maxima.
    const Case cases[] = {{0.0, BandLoudness::floorLufs}, {1e-17, -170.78}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.meanSquare);
        band.ResetBand();
        FeedBlocks(40, c.meanSquare);
        EXPECT_NEAR(Momentary(), c.reading, 0.01);
        EXPECT_NEAR(ShortTerm(), c.reading, 0.01);
        EXPECT_EQ(band.maxMomentaryLufs.load(), BandLoudness::floorLufs);
        EXPECT_EQ(band.maxShortTermLufs.load(), BandLoudness::floorLufs);
        EXPECT_EQ(band.IntegratedLufs(), BandLoudness::floorLufs);
    }
}

// Far above full scale the mean of the retained blocks, and with it the relative gate, climbs
// above the top bin: the scan finds nothing to average and the last result stays.
TEST_F(BandLoudnessTest, RelativeGateAboveTheTopBinKeepsTheLastResult) {
    FeedBlocks(30, 1e6); // about +59 LUFS from the start
    EXPECT_EQ(band.integratedMeanSquare.load(), 0.0);
    EXPECT_EQ(band.IntegratedLufs(), BandLoudness::floorLufs);

    band.ResetBand();
    FeedLufs(20, -20.0);
    double last = band.integratedMeanSquare.load();
    int unchangedBlocks = 0;
    for (int block = 0; block < 100; ++block) {
        FeedBlocks(1, 1e6);
        const double integrated = band.integratedMeanSquare.load();
        ASSERT_TRUE(std::isfinite(integrated)) << block;
        ASSERT_GT(integrated, 0.0);
        unchangedBlocks = integrated == last ? unchangedBlocks + 1 : 0;
        last = integrated;
    }
    EXPECT_GT(unchangedBlocks, 50);
    EXPECT_TRUE(std::isfinite(band.IntegratedLufs()));
}
