#include "meter/DemoProgramme.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double demoRate = 48000.0;
constexpr double demoSeconds = 30.0;
constexpr double beatSeconds = 0.5; // 120 beats per minute
constexpr double twoPi = 6.283185307179586;

struct Stereo {
    double left;
    double right;
};

double Sine(double hz, double t) {
    return std::sin(twoPi * hz * t);
}

// Time since the last beat subdivision of the given length.
double SinceStep(double t, double step) {
    return std::fmod(t, step);
}

double Ramp(double t, double from, double to) {
    return std::clamp((t - from) / (to - from), 0.0, 1.0);
}

// Low band: a bass line moving between A and D every four seconds, and a kick on every beat
// from the fourth second on.
Stereo Bass(double t) {
    const double hz = std::fmod(t, 8.0) < 4.0 ? 55.0 : 73.42;
    const double sinceBeat = SinceStep(t, beatSeconds);
    const double bass = 0.44 * (0.6 + 0.4 * std::exp(-sinceBeat * 6.0)) * Sine(hz, t);
    const double kickPhase = twoPi * (50.0 * sinceBeat + 7.0 * (1.0 - std::exp(-sinceBeat * 10.0)));
    const double kick = t < 4.0 ? 0.0 : 0.6 * std::exp(-sinceBeat * 9.0) * std::sin(kickPhase);
    return {bass + kick, bass + kick};
}

// Middle band: an A minor chord, slightly wider in the right channel, swelling up for its
// loud middle section between 12 and 24 seconds.
Stereo Chord(double t) {
    const double swell = 0.5 + 0.5 * Ramp(t, 11.0, 12.0) - 0.3 * Ramp(t, 24.0, 25.0);
    const double tremolo = 1.0 + 0.15 * Sine(0.25, t);
    double left = 0.0;
    double right = 0.0;
    for (double hz : {440.0, 523.25, 659.26}) {
        left += Sine(hz, t);
        right += Sine(hz * 1.002, t);
    }
    const double gain = 0.21 * swell * tremolo;
    return {gain * left, gain * right};
}

// High band: a hi-hat figure on every eighth note from the eighth second on, accented on the
// off-beat and leaning to the right.
Stereo HiHat(double t) {
    if (t < 8.0) {
        return {0.0, 0.0};
    }
    const double sinceStep = SinceStep(t, beatSeconds / 2.0);
    const bool offBeat = SinceStep(t, beatSeconds) >= beatSeconds / 2.0;
    const double envelope = (offBeat ? 0.45 : 0.22) * std::exp(-sinceStep * 40.0);
    const double metal = Sine(6300.0, t) + 0.7 * Sine(8130.0, t) + 0.5 * Sine(10710.0, t);
    return {0.7 * envelope * metal, envelope * metal};
}

// A gentle saturation that keeps the peaks of the mix below full scale, as mastering would.
double Saturate(double x) {
    return std::tanh(x);
}

// Fades in over half a second and out over the last second.
double Fade(double t) {
    return Ramp(t, 0.0, 0.5) * (1.0 - Ramp(t, demoSeconds - 1.0, demoSeconds));
}

} // namespace

MemorySource::MemorySource(double sampleRate, std::vector<double> left, std::vector<double> right)
    : sampleRate(sampleRate), left(std::move(left)), right(std::move(right)) {}

int MemorySource::Read(double* leftOut, double* rightOut, int frames) {
    const size_t count = std::min(left.size() - position, static_cast<size_t>(frames));
    std::copy_n(left.begin() + position, count, leftOut);
    std::copy_n(right.begin() + position, count, rightOut);
    position += count;
    return static_cast<int>(count);
}

MemorySource MakeDemoProgramme() {
    const size_t frames = static_cast<size_t>(demoRate * demoSeconds);
    std::vector<double> left(frames);
    std::vector<double> right(frames);
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / demoRate;
        const Stereo parts[] = {Bass(t), Chord(t), HiHat(t)};
        const double fade = Fade(t);
        for (const Stereo& part : parts) {
            left[i] += part.left;
            right[i] += part.right;
        }
        left[i] = fade * Saturate(left[i]);
        right[i] = fade * Saturate(right[i]);
    }
    return MemorySource(demoRate, std::move(left), std::move(right));
}
