#include "MeterHarness.h"

#include "framework/ProcessClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double floorLufs = BandLoudness::floorLufs;

double Momentary(const CLS_QUORVEL& meter, int band) {
    return meter.bands[band].momentaryLufs;
}

void ExpectAllReadingsEmpty(const CLS_QUORVEL& meter) {
    for (const BandLoudness& band : meter.bands) {
        EXPECT_EQ(band.momentaryLufs, floorLufs);
        EXPECT_EQ(band.shortTermLufs, floorLufs);
        EXPECT_EQ(band.maxMomentaryLufs, floorLufs);
        EXPECT_EQ(band.maxShortTermLufs, floorLufs);
        EXPECT_EQ(band.integratedMeanSquare, 0.0);
    }
}

uint32_t testClock = 0;
uint32_t TestClock() {
    return testClock;
}

} // namespace

TEST(QuorvelProcessing, SilenceHoldAt48k) {
    auto meter = StartedMeter(48000);
    Feed(*meter, Signal(10000), Signal(10000));
    ExpectAllReadingsEmpty(*meter); // digital silence from the start: nothing analysed

    meter->SetTransportState(1);
    const Signal loud = Noise(48000, 0.5);
    Feed(*meter, loud, loud);
    Feed(*meter, Signal(23999), Signal(23999));
    const double maxShort = meter->bands[1].maxShortTermLufs;
    const double integrated = meter->bands[1].integratedMeanSquare;
    ASSERT_GT(maxShort, -60.0);
    ASSERT_GT(integrated, 0.0);
    for (const BandLoudness& band : meter->bands) {
        EXPECT_GT(band.shortTermLufs, floorLufs);
    }

    Feed(*meter, Signal(1), Signal(1)); // the 24000th silent sample
    for (const BandLoudness& band : meter->bands) {
        EXPECT_EQ(band.momentaryLufs, floorLufs);
        EXPECT_EQ(band.shortTermLufs, floorLufs);
    }
    Feed(*meter, Signal(10000), Signal(10000));
    EXPECT_EQ(meter->bands[1].maxShortTermLufs, maxShort);
    EXPECT_EQ(meter->bands[1].integratedMeanSquare, integrated);
}

TEST(QuorvelProcessing, ResetOnPlay) {
    for (const bool reset : {true, false}) {
        auto meter = StartedMeter();
        SetParam(*meter, ParamResetOnPlay, reset ? 1 : 0);
        const Signal noise = Noise(24000, 0.5);
        meter->SetTransportState(1);
        Feed(*meter, noise, noise);
        meter->SetTransportState(0);
        Feed(*meter, noise, noise);
        const double maxBefore = meter->bands[0].maxMomentaryLufs;
        ASSERT_GT(maxBefore, floorLufs);

        meter->SetTransportState(2); // recording counts as running
        Feed(*meter, Signal(100, 0.1), Signal(100, 0.1));
        if (reset) {
            ExpectAllReadingsEmpty(*meter);
        } else {
            EXPECT_EQ(meter->bands[0].maxMomentaryLufs, maxBefore);
        }
    }
}

TEST(QuorvelProcessing, GraphWhenPlay) {
    for (const bool onlyWhenPlaying : {true, false}) {
        auto meter = StartedMeter();
        SetParam(*meter, ParamGraphWhenPlay, onlyWhenPlaying ? 1 : 0);
        const Signal noise = Noise(48000, 0.5);
        Feed(*meter, noise, noise); // transport stopped
        for (int band = 0; band < 3; ++band) {
            EXPECT_GT(Momentary(*meter, band), -60.0);
            EXPECT_GT(meter->bands[band].shortTermLufs, -60.0);
            EXPECT_EQ(meter->bands[band].integratedMeanSquare > 0.0, !onlyWhenPlaying);
        }
    }
}

TEST(QuorvelProcessing, SampleRateChange) {
    auto meter = StartedMeter(44100);
    const Signal noise = Noise(44100, 0.5);
    Feed(*meter, noise, noise);
    EXPECT_EQ(meter->bands[0].BlockLength(), 4410);
    EXPECT_GT(meter->bands[0].maxMomentaryLufs, floorLufs);

    meter->SetupProcessing(96000, 512);
    EXPECT_EQ(meter->analysisSampleRate, 96000.0);
    ExpectAllReadingsEmpty(*meter);
    EXPECT_EQ(meter->silenceLimit, 48000);
    for (const BandLoudness& band : meter->bands) {
        EXPECT_EQ(band.BlockLength(), 9600);
    }
    EXPECT_EQ(meter->lowSplit.FrequencyHz(), 200);
    EXPECT_EQ(meter->highSplit.FrequencyHz(), 2000);

    meter->sampleRate = 0.0; // an unusable rate keeps the analysis as it is
    meter->ResetProcessing();
    EXPECT_EQ(meter->analysisSampleRate, 96000.0);
}

TEST(QuorvelProcessing, MonoMeasuresTheSingleChannel) {
    auto mono = StartedMeter();
    auto stereo = StartedMeter();
    const Signal noise = Noise(30000, 0.5);
    Feed(*mono, noise, nullptr);
    Feed(*stereo, noise, Signal(noise.size()));
    for (int band = 0; band < 3; ++band) {
        EXPECT_EQ(Momentary(*mono, band), Momentary(*stereo, band));
        EXPECT_GT(Momentary(*mono, band), floorLufs);
    }
}

TEST(QuorvelProcessing, OutputEqualsInputBitForBit) {
    Signal left = Noise(3000, 1.0, 7);
    Signal right = Noise(3000, 1.0, 8);
    const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::denorm_min(),
                               -0.0,
                               1e300,
                               4.0};
    for (size_t i = 0; i < std::size(specials); ++i) {
        left[100 + i] = specials[i];
        right[200 + 3 * i] = specials[i];
    }
    for (int options = 0; options < 16; ++options) {
        auto meter = StartedMeter();
        SetParam(*meter, ParamResetOnPlay, options & 1);
        SetParam(*meter, ParamGraphWhenPlay, (options >> 1) & 1);
        SetParam(*meter, ParamSplit24dB, (options >> 2) & 1);
        meter->SetTransportState((options >> 3) & 1);
        const std::vector<Signal> out = Feed(*meter, left, right, 333);
        EXPECT_EQ(std::memcmp(out[0].data(), left.data(), left.size() * sizeof(double)), 0);
        EXPECT_EQ(std::memcmp(out[1].data(), right.data(), right.size() * sizeof(double)), 0);

        std::vector<float> inL(left.begin(), left.end()), outL(left.size(), 9.0f);
        const float* ins[] = {inL.data(), inL.data()};
        float* outs[] = {outL.data(), outL.data()};
        meter->ProcessFloat(ins, outs, 2, static_cast<int>(inL.size()));
        EXPECT_EQ(std::memcmp(outL.data(), inL.data(), inL.size() * sizeof(float)), 0);
    }
}

TEST(QuorvelProcessing, FaultySamplesDoNotFreezeTheMeter) {
    auto meter = StartedMeter();
    meter->SetTransportState(1);
    Signal noise = Noise(48000, 0.5);
    noise[1000] = std::numeric_limits<double>::quiet_NaN();
    noise[2000] = std::numeric_limits<double>::infinity();
    noise[3000] = 1e10; // finite, but far beyond any signal
    Feed(*meter, noise, noise);
    const Signal quieter = Noise(48000, 0.05, 3);
    Feed(*meter, quieter, quieter);
    for (const BandLoudness& band : meter->bands) {
        EXPECT_TRUE(std::isfinite(band.momentaryLufs));
        EXPECT_GT(band.momentaryLufs, floorLufs);
        EXPECT_LT(band.momentaryLufs, band.maxMomentaryLufs);
        EXPECT_LT(band.maxMomentaryLufs, 0.0);
        EXPECT_GT(band.integratedMeanSquare, 0.0);
    }
}

TEST(QuorvelProcessing, HostBlockLongerThanBlockSize) {
    auto sliced = StartedMeter(48000, 256);
    auto whole = StartedMeter(48000, 10000);
    const Signal noise = Noise(10000, 0.5);
    const std::vector<Signal> out = Feed(*sliced, noise, noise, 10000);
    Feed(*whole, noise, noise, 10000);
    EXPECT_EQ(out[0], noise);
    for (int band = 0; band < 3; ++band) {
        EXPECT_EQ(Momentary(*sliced, band), Momentary(*whole, band));
        EXPECT_GT(Momentary(*sliced, band), floorLufs);
    }
}

TEST(QuorvelProcessing, MessageLineClearsAfterNineSeconds) {
    for (const uint32_t start : {1000u, 0xFFFFF000u}) {
        testClock = start;
        SetProcessClockSource(&TestClock);
        auto meter = StartedMeter();
        Feed(*meter, Signal(16), Signal(16));
        meter->NotifyParamHovered(ParamSplit24dB);
        ASSERT_STREQ(meter->messageText.Text(), "Split frequencies by 24dB");

        testClock = start + 100;
        Feed(*meter, Signal(16), Signal(16));
        testClock = start + 9000;
        Feed(*meter, Signal(16), Signal(16));
        EXPECT_STREQ(meter->messageText.Text(), "Split frequencies by 24dB") << start;

        testClock = start + 9001;
        Feed(*meter, Signal(16), Signal(16));
        EXPECT_STREQ(meter->messageText.Text(), "") << start;
        EXPECT_EQ(meter->messageDeadline, 0u);
        SetProcessClockSource(nullptr);
    }
}

TEST(QuorvelProcessing, ResetAllBands) {
    auto meter = StartedMeter();
    const Signal noise = Noise(20000, 0.5);
    Feed(*meter, noise, noise);
    meter->ResetAllBands();
    ExpectAllReadingsEmpty(*meter);
    EXPECT_EQ(meter->lowSplit.FrequencyHz(), 200);
}
