#pragma once

#include <climits>
#include <cmath>

// Rounds half away from zero to an int; values beyond the int range give its ends and a
// NaN gives 0, so no conversion is ever undefined.
inline int RoundHalfAway(double x) {
    if (!(x == x)) {
        return 0;
    }
    // x - trunc(x) is exact, unlike x + 0.5 (0.49999999999999994 + 0.5 rounds up to 1), and
    // unlike some C libraries' round().
    double r = std::trunc(x);
    if (std::fabs(x - r) >= 0.5) {
        r += x > 0.0 ? 1.0 : -1.0;
    }
    if (r >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (r <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(r);
}
