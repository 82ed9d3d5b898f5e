#include "analysis/BandLoudness.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// The single-precision value of 0.1, widened: the block is 100 ms as the host's float maths
// would have it (1103 samples at 11025 Hz, not 1102).
constexpr double kBlockSeconds = 0.10000000149011612;

// Largest block kept so that 29 blocks still count in 32 bits, for absurd host rates.
constexpr double kMaxBlockLength = 1 << 26;

std::int32_t BlockLengthFor(double sampleRate) {
    const double samples = std::min(sampleRate * kBlockSeconds, kMaxBlockLength);
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(samples)));
}

void StoreIfGreater(std::atomic<double>& maximum, double value) {
    if (value > maximum.load(kRelaxed)) {
        maximum.store(value, kRelaxed);
    }
}

} // namespace

const double BandLoudness::tenOverLn10 = 10.0 / std::log(10.0);

BandLoudness::BandLoudness(const double& analysisSampleRate)
    : analysisSampleRate(analysisSampleRate) {}

double BandLoudness::FastLufs(double meanSquare) {
    std::uint64_t bits;
    std::memcpy(&bits, &meanSquare, sizeof bits);
    const auto high = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32));
    return (high - 1072632447) * 6.610368362777016e-7 * tenOverLn10 - 0.691;
}

double BandLoudness::IntegratedLufs() const {
    const double lufs =
        std::log(integratedMeanSquare.load(kRelaxed)) * tenOverLn10 - 0.691;
    return lufs >= floorLufs ? lufs : floorLufs;
}

void BandLoudness::DesignKWeighting() {
    const double fs = analysisSampleRate;

    // Stage 1: high shelf of about +4 dB above 1.7 kHz.
    double k = std::tan(5284.078578647628 / fs);
    const double vh = std::pow(10.0, 0.19999219269866736);
    const double vb = std::pow(vh, 0.4996667741545416);
    double r = 1.414076664088621;
    double a0 = 1.0 + k * r + k * k;
    shelfB0 = (vh + vb * k * r + k * k) / a0;
    shelfB1 = 2.0 * (k * k - vh) / a0;
    shelfB2 = (vh - vb * k * r + k * k) / a0;
    shelfA1 = 2.0 * (k * k - 1.0) / a0;
    shelfA2 = (1.0 - k * r + k * k) / a0;

    // Stage 2: high-pass at about 38 Hz; its numerator is not normalised.
    k = std::tan(119.8061151453059 / fs);
    r = 1.9986927057725021;
    a0 = 1.0 + k * r + k * k;
    highPassA1 = 2.0 * (k * k - 1.0) / a0;
    highPassA2 = (1.0 - k * r + k * k) / a0;
    highPassB0 = 1.0;
    highPassB1 = -2.0;
    highPassB2 = 1.0;
}

void BandLoudness::ResetBand() {
    const double fs = analysisSampleRate;
    const bool configured = fs > 0.0;
    if (configured) {
        DesignKWeighting();
    }

    integratedMeanSquare.store(0.0, kRelaxed);
    momentaryMeanSquare = 0.0;
    gatedEnergySum = 0.0;
    shortTermMeanSquare = 0.0;
    gatedBlockCount = 0;
    momentaryIndex = 0;
    shortTermIndex = 0;
    blockSampleCount = 0;
    momentaryLufs.store(floorLufs, kRelaxed);
    maxMomentaryLufs.store(floorLufs, kRelaxed);
    maxShortTermLufs.store(floorLufs, kRelaxed);
    shortTermLufs.store(floorLufs, kRelaxed);
    channels[0] = ChannelState();
    channels[1] = ChannelState();

    std::fill(std::begin(momentaryRing), std::end(momentaryRing), 0.0);
    std::fill(std::begin(shortTermRing), std::end(shortTermRing), 0.0);
    std::fill(std::begin(histogramEnergy), std::end(histogramEnergy), 0.0);
    std::fill(std::begin(histogramCount), std::end(histogramCount), 0);

    if (!configured) {
        // Unconfigured: no block is ever completed into a reading.
        blockLength = 0;
        momentaryScale = 0.0;
        shortTermScale = 0.0;
        return;
    }
    blockLength = BlockLengthFor(fs);
    momentaryScale = 1.0 / static_cast<double>(blockLength * momentaryBlocks);
    shortTermScale = 1.0 / static_cast<double>(blockLength * shortTermBlocks);
}

void BandLoudness::EndBlock(bool integrate) {
    blockSampleCount = 0;
    const double energy = sampleEnergy;

    // Running sums over the rings, never re-summed: the first blocks after a reset are padded
    // with the rings' zero energy.
    momentaryMeanSquare += (energy - momentaryRing[momentaryIndex]) * momentaryScale;
    momentaryRing[momentaryIndex] = energy;
    if (++momentaryIndex == momentaryBlocks) {
        momentaryIndex = 0;
    }
    shortTermMeanSquare += (energy - shortTermRing[shortTermIndex]) * shortTermScale;
    shortTermRing[shortTermIndex] = energy;
    if (++shortTermIndex == shortTermBlocks) {
        shortTermIndex = 0;
    }

    // A window that is empty, or slightly negative by rounding of the running sum, reads the
    // floor rather than minus infinity.
    if (momentaryMeanSquare > 0.0) {
        const double lufs = FastLufs(momentaryMeanSquare);
        momentaryLufs.store(lufs, kRelaxed);
        StoreIfGreater(maxMomentaryLufs, lufs);
        if (integrate) {
            AddGatingBlock(lufs, momentaryMeanSquare);
        }
    } else {
        momentaryLufs.store(floorLufs, kRelaxed);
    }

    if (shortTermMeanSquare > 0.0) {
        const double lufs = FastLufs(shortTermMeanSquare);
        shortTermLufs.store(lufs, kRelaxed);
        StoreIfGreater(maxShortTermLufs, lufs);
    } else {
        shortTermLufs.store(floorLufs, kRelaxed);
    }
}

// One 400 ms gating block: the absolute gate at -70 LUFS decides whether it enters the
// histogram; the relative gate, 10 LU below the mean of all retained blocks, is applied on whole
// bins over the complete history, so earlier blocks drop in and out as the mean moves.
void BandLoudness::AddGatingBlock(double lufs, double meanSquare) {
    const double position = (lufs + 70.0) * binsPerLu;
    if (position < 0.0) {
        return;
    }
    const int bin = position >= histogramBins - 1 ? histogramBins - 1
                                                  : static_cast<int>(std::floor(position));

    ++gatedBlockCount;
    gatedEnergySum += meanSquare;
    ++histogramCount[bin];
    histogramEnergy[bin] += meanSquare;

    const double relativeGate = FastLufs(gatedEnergySum / gatedBlockCount);
    const double startPosition = (relativeGate + 60.0) * binsPerLu;
    if (startPosition >= histogramBins) {
        // The gate lies above every bin: nothing to average, keep the last result.
        return;
    }
    int start = static_cast<int>(startPosition);
    if (start < 1) {
        start = 0;
    }

    std::int32_t count = 0;
    double energy = 0.0;
    for (int k = start; k < histogramBins; ++k) {
        count += histogramCount[k];
        energy += histogramEnergy[k];
    }
    if (count > 0) {
        integratedMeanSquare.store(energy / count, kRelaxed);
    }
}
