#include "analysis/CrossoverFilter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

CrossoverFilter::CrossoverFilter(const double& analysisSampleRate, bool isLowPass)
    : isLowPass(isLowPass), analysisSampleRate(analysisSampleRate) {}

void CrossoverFilter::SetFrequency(int hz) {
    if (hz > 0) {
        frequencyHz = hz;
    }
    if (analysisSampleRate > 0.0) {
        // At or above half the rate the tangent is taken at pi / 2 exactly: a huge but finite K.
        const double ratio = std::min(frequencyHz / analysisSampleRate, 0.5);
        warped = std::tan(kPi * ratio);
    }
    damping = kDamping;
    DesignCoefficients();
}

void CrossoverFilter::DesignCoefficients() {
    const double k = warped;
    const double a0 = 1.0 + k * damping + k * k;
    a1 = 2.0 * (k * k - 1.0) / a0;
    a2 = (1.0 - k * damping + k * k) / a0;
    gain = isLowPass ? k * k / a0 : 1.0 / a0;
}
