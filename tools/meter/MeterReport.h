#pragma once

#include <optional>
#include <string>

// A loudness in LUFS, or no value: a reading at the floor, or nothing to compare.
using Reading = std::optional<double>;

// The difference readout's colours: red, white and green.
enum class Verdict { TooLoud, OnTarget, TooQuiet };

struct Difference {
    double lu; // measured minus target
    Verdict verdict;
};

// What a band's difference readout shows for a measured value and a target: nothing while
// the measurement is below -100 LUFS; too loud above the target by more than half a unit;
// too quiet below it by half a unit or more; on target in between.
std::optional<Difference> ReadDifference(double measuredLufs, float targetLufs);

const char* VerdictText(Verdict verdict);
const char* TargetKindName(int targetKind);

struct BandReport {
    const char* band; // "low", "middle", "high" or "full"
    Reading integrated;
    Reading maxShortTerm;
    Reading maxMomentary;
    Reading shortTerm;
    Reading momentary;
    Reading target; // none for the full band
    std::optional<Difference> difference;
};

struct MeterSettings {
    int freqLow;
    int freqHigh;
    int slope; // dB per octave
    int targetKind;
    double targets[3];
};

struct FileReport {
    static constexpr int bandCount = 4; // low, middle, high and the full band

    std::string file;
    double sampleRate;
    int channels;
    double seconds;
    MeterSettings settings;
    BandReport bands[bandCount];
};
