#pragma once

#include <climits>

// Rounds half away from zero to an int; values beyond the int range give its ends and a
// NaN gives 0, so no conversion is ever undefined.
inline int RoundHalfAway(double x) {
    if (!(x == x)) {
        return 0;
    }
    const double r = x >= 0.0 ? x + 0.5 : x - 0.5;
    if (r >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (r <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(r);
}
