#include "meter/MeterReport.h"

std::optional<Difference> ReadDifference(double measuredLufs, float targetLufs) {
    if (!(measuredLufs >= -100.0)) {
        return std::nullopt;
    }
    // As the readout compares: the upper bound summed in single precision, the lower in double.
    const double lu = measuredLufs - targetLufs;
    if (measuredLufs > targetLufs + 0.5f) {
        return Difference{lu, Verdict::TooLoud};
    }
    if (measuredLufs > targetLufs - 0.5) {
        return Difference{lu, Verdict::OnTarget};
    }
    return Difference{lu, Verdict::TooQuiet};
}

const char* VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::TooLoud:
        return "too loud";
    case Verdict::OnTarget:
        return "on target";
    case Verdict::TooQuiet:
        break;
    }
    return "too quiet";
}

const char* TargetKindName(int targetKind) {
    switch (targetKind) {
    case 0:
        return "integrated";
    case 1:
        return "short-term";
    }
    return "momentary";
}
