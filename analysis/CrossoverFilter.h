#pragma once

// One second-order crossover section (low-pass or high-pass) for two channels, in transposed
// direct form II, with an optional second stage of identical coefficients for the 24 dB slope.
// The corner frequency is kept in whole Hz; the coefficients follow the owner's analysis rate.
class CrossoverFilter {
public:
    CrossoverFilter(const double& analysisSampleRate, bool isLowPass);

    // A frequency of 0 or less keeps the stored one; a rate of 0 keeps the warped frequency.
    // Recomputes the coefficients; the filter state is left as it is.
    void SetFrequency(int hz);

    int FrequencyHz() const { return frequencyHz; }

    // One sample of channel 0 (left) or 1 (right) through the first section.
    double LowPass(double x, int channel) { return Step(state, x, channel, +2.0); }
    double HighPass(double x, int channel) { return Step(state, x, channel, -2.0); }

    // The same through the second section, which has a state of its own.
    double LowPassStage2(double x, int channel) { return Step(secondState, x, channel, +2.0); }
    double HighPassStage2(double x, int channel) { return Step(secondState, x, channel, -2.0); }

private:
    static constexpr double kDamping = 1.322; // 1 / Q for Q = 0.7564

    void DesignCoefficients();

    // state[c] is s1 and state[c + 2] is s2 of channel c. Only s1 is clamped, into [-1, 1]
    // (a NaN becomes -1), which keeps the section stable for input far above full scale.
    double Step(double (&s)[4], double x, int c, double middleTap) {
        const double u = gain * x;
        const double y = u + s[c];
        s[c] = middleTap * u + s[c + 2] - a1 * y;
        s[c + 2] = u - a2 * y;
        if (s[c] > 1.0) {
            s[c] = 1.0;
        } else if (!(s[c] >= -1.0)) {
            s[c] = -1.0;
        }
        return y;
    }

    double warped = 0.0;
    double damping = kDamping;
    double gain = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double state[4] = {};
    double secondState[4] = {};
    int frequencyHz = 0;
    bool isLowPass;
    const double& analysisSampleRate;
};
