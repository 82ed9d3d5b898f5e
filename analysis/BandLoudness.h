#pragma once

#include <atomic>
#include <cstdint>

// Loudness of one band of a stereo signal: K-weighting, 100 ms blocks, the momentary (400 ms)
// and short-term (2.9 s) windows with their maxima since the last reset, and a gated integrated
// loudness kept as a histogram of 0.1 LU steps.
//
// Fed one stereo sample at a time on the audio thread:
//     band.BeginSample(); band.Weight(left, 0); band.Weight(right, 1); band.EndSample(integrate);
// The published readings are read by other threads without a lock.
class BandLoudness {
public:
    static constexpr int floorLufs = -160; // "no reading"
    static constexpr int momentaryBlocks = 4;
    static constexpr int shortTermBlocks = 29;
    static constexpr int histogramBins = 1024;
    static constexpr int binsPerLu = 10;

    // 10 / ln(10), computed once with the natural logarithm.
    static const double tenOverLn10;

    explicit BandLoudness(const double& analysisSampleRate);
    BandLoudness(const BandLoudness&) = delete;
    BandLoudness& operator=(const BandLoudness&) = delete;

    // Clears every reading, window and history and configures the record for the owner's
    // current rate. With no rate known yet the record stays unconfigured.
    void ResetBand();

    // Recomputes both K-weighting stages for the owner's rate.
    void DesignKWeighting();

    void BeginSample() { sampleEnergy = 0.0; }

    // One sample of channel 0 (left) or 1 (right) through the K-weighting, squared into the
    // current block. Returns the weighted sample.
    double Weight(double x, int channel) {
        ChannelState& ch = channels[channel];
        const double shelfZ0 = x - shelfA1 * ch.shelfZ1 - shelfA2 * ch.shelfZ2;
        const double t = shelfB1 * ch.shelfZ1 + shelfB0 * shelfZ0 + shelfB2 * ch.shelfZ2;
        ch.shelfZ2 = ch.shelfZ1;
        ch.shelfZ1 = shelfZ0;
        const double highPassZ0 = t - highPassA1 * ch.highPassZ1 - highPassA2 * ch.highPassZ2;
        const double y = highPassB1 * ch.highPassZ1 + highPassB0 * highPassZ0 +
                         highPassB2 * ch.highPassZ2;
        ch.highPassZ2 = ch.highPassZ1;
        ch.highPassZ1 = highPassZ0;

        if (blockSampleCount == 0) {
            ch.blockAccumulator = 0.0;
        }
        ch.blockAccumulator += y * y;
        sampleEnergy += ch.blockAccumulator;
        return y;
    }

    // Ends the stereo sample; at the end of a block updates the windows, the maxima and, when
    // integrate is true, the integrated measurement.
    void EndSample(bool integrate) {
        if (++blockSampleCount < blockLength) {
            return;
        }
        EndBlock(integrate);
    }

    // While the signal is held as silent, momentary and short-term show no reading.
    void ShowSilence() {
        momentaryLufs.store(floorLufs, std::memory_order_relaxed);
        shortTermLufs.store(floorLufs, std::memory_order_relaxed);
    }

    // Loudness of a mean square through the upper half of its bit pattern: within -0.085 and
    // +0.175 dB of 10 log10(m) - 0.691, and exactly reproducible, which the histogram relies on.
    static double FastLufs(double meanSquare);

    // The integrated loudness with the exact logarithm, or the floor when nothing was retained.
    double IntegratedLufs() const;

    int BlockLength() const { return blockLength; }

    // Published readings (LUFS, except the linear integratedMeanSquare).
    std::atomic<double> momentaryLufs{floorLufs};
    std::atomic<double> maxMomentaryLufs{floorLufs};
    std::atomic<double> shortTermLufs{floorLufs};
    std::atomic<double> maxShortTermLufs{floorLufs};
    std::atomic<double> integratedMeanSquare{0.0};

private:
    struct ChannelState {
        double shelfZ1 = 0.0;
        double shelfZ2 = 0.0;
        double highPassZ1 = 0.0;
        double highPassZ2 = 0.0;
        double blockAccumulator = 0.0;
    };

    void EndBlock(bool integrate);
    void AddGatingBlock(double lufs, double meanSquare);

    double momentaryRing[momentaryBlocks] = {};
    double shortTermRing[shortTermBlocks] = {};
    double histogramEnergy[histogramBins] = {};
    std::int32_t histogramCount[histogramBins] = {};

    double shelfA1 = 0.0, shelfA2 = 0.0, shelfB0 = 0.0, shelfB1 = 0.0, shelfB2 = 0.0;
    double highPassA1 = 0.0, highPassA2 = 0.0, highPassB0 = 0.0, highPassB1 = 0.0,
           highPassB2 = 0.0;

    double sampleEnergy = 0.0;
    double momentaryMeanSquare = 0.0;
    double shortTermMeanSquare = 0.0;
    double gatedEnergySum = 0.0;
    double momentaryScale = 0.0;
    double shortTermScale = 0.0;

    std::int32_t blockSampleCount = 0;
    std::int32_t blockLength = 0;
    std::int32_t gatedBlockCount = 0;
    std::int32_t momentaryIndex = 0;
    std::int32_t shortTermIndex = 0;

    ChannelState channels[2];
    const double& analysisSampleRate;
};
