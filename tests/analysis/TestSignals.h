#pragma once

#include <cmath>
#include <cstdint>

// Deterministic signals shared by the analysis tests.

constexpr double kPi = 3.14159265358979323846;

// Sample n of a unit sine of hz at rate.
inline double SineAt(double hz, double rate, long n) {
    return std::sin(2.0 * kPi * hz * static_cast<double>(n) / rate);
}

// Seeded noise: xorshift64 white noise in [-1, 1), and a pink-ish noise from it through three
// one-pole sections (about -3 dB per octave over the audio range).
class NoiseSource {
public:
    explicit NoiseSource(std::uint64_t seed) : state(seed) {}

    double White() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<double>(state >> 11) * 0x1.0p-52 - 1.0;
    }

    double Pink() {
        const double w = White();
        b0 = 0.99765 * b0 + w * 0.0990460;
        b1 = 0.96300 * b1 + w * 0.2965164;
        b2 = 0.57000 * b2 + w * 1.0526913;
        return (b0 + b1 + b2 + w * 0.1848) * 0.25;
    }

private:
    std::uint64_t state;
    double b0 = 0.0, b1 = 0.0, b2 = 0.0;
};
