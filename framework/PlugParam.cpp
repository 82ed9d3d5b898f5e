#include "framework/PlugParam.h"

#include "framework/Rounding.h"
#include "framework/TextCopy.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int DecimalsOf(double step) {
    int decimals = 0;
    for (double s = step; std::floor(s) != s && decimals < 6; s *= 10.0) {
        ++decimals;
    }
    return decimals;
}

} // namespace

PlugParam::PlugParam() = default;

void PlugParam::DefineContinuous(const char* paramName, double defaultPlain, double minPlain,
                                 double maxPlain, double stepSize, const char* label) {
    if (kind == ParamUndefined) {
        kind = ParamContinuous;
    }
    CopyText(name, sizeof name, paramName);
    CopyText(unitLabel, sizeof unitLabel, label);
    minValue = minPlain;
    SetValue(defaultPlain);
    defaultValue = defaultPlain;
    step = stepSize;
    maxValue = maxPlain >= minPlain + stepSize ? maxPlain : minPlain + stepSize;
    precision = DecimalsOf(stepSize);
}

void PlugParam::DefineInteger(const char* paramName, int defaultPlain, int minPlain, int maxPlain,
                              const char* label) {
    if (kind == ParamUndefined) {
        kind = ParamInteger;
    }
    DefineContinuous(paramName, defaultPlain, minPlain, maxPlain, 1.0, label);
}

void PlugParam::DefineChoice(const char* paramName, int defaultPlain, int count,
                             const char* label) {
    if (kind == ParamUndefined) {
        kind = ParamChoice;
    }
    DefineContinuous(paramName, defaultPlain, 0.0, count - 1.0, 1.0, label);
}

void PlugParam::SetCurveExponent(double exponent) {
    if (exponent != 0.0) {
        curveExponent = exponent;
    }
}

void PlugParam::AddValueText(int forValue, const char* text) {
    ValueText entry{forValue, {}};
    CopyText(entry.text, sizeof entry.text, text);
    valueTexts.push_back(entry);
}

double PlugParam::ToNormalized(double plain) const {
    return std::pow((Clamped(plain) - minValue) / (maxValue - minValue), 1.0 / curveExponent);
}

double PlugParam::FromNormalized(double normalised) const {
    return std::pow(normalised, curveExponent) * (maxValue - minValue) + minValue;
}

double PlugParam::NormalizedValue() const {
    return ToNormalized(Value());
}

void PlugParam::SetFromNormalized(double normalised) {
    double v = FromNormalized(normalised);
    if (kind != ParamContinuous) {
        v = std::floor(v / step + 0.5) * step;
    }
    // A value that is not a number (a NaN from the host, or a negative value under a
    // fractional exponent) would poison every later use: the parameter keeps its value.
    if (std::isnan(v)) {
        return;
    }
    SetValue(std::fmin(v, maxValue));
}

void PlugParam::SetValue(double plain) {
    if (!std::isnan(plain)) {
        value.store(plain, std::memory_order_relaxed);
    }
}

void PlugParam::SetClampedValue(double plain) {
    SetValue(Clamped(plain));
}

double PlugParam::Clamped(double plain) const {
    if (plain < minValue) {
        return minValue;
    }
    return plain > maxValue ? maxValue : plain;
}

void PlugParam::FormatValue(double x, bool normalised, char* out, size_t outSize) const {
    if (out == nullptr || outSize == 0) {
        return;
    }
    if (normalised) {
        x = FromNormalized(x);
    }
    const int rounded = RoundHalfAway(x);
    for (const ValueText& entry : valueTexts) {
        if (entry.value == rounded) {
            if (entry.text[0] != '\0') {
                CopyText(out, outSize, entry.text);
                return;
            }
            break;
        }
    }
    if (x == 0.0) {
        CopyText(out, outSize, "0");
    } else if (precision > 0) {
        std::snprintf(out, outSize, "%.*f", precision, x);
    } else {
        std::snprintf(out, outSize, "%d", rounded);
    }
}

int PlugParam::ValueTextCount() const {
    return static_cast<int>(valueTexts.size());
}

const char* PlugParam::ValueTextFor(int forValue) const {
    for (const ValueText& entry : valueTexts) {
        if (entry.value == forValue) {
            return entry.text;
        }
    }
    return "";
}

bool PlugParam::ValueForText(const char* text, int* forValue) const {
    if (text == nullptr) {
        return false;
    }
    for (const ValueText& entry : valueTexts) {
        if (std::strcmp(entry.text, text) == 0) {
            if (forValue != nullptr) {
                *forValue = entry.value;
            }
            return true;
        }
    }
    return false;
}

double PlugParam::ParseValue(const char* text) const {
    if (text == nullptr) {
        return 0.0;
    }
    int textValue = 0;
    if (ValueForText(text, &textValue)) {
        return textValue;
    }
    return std::strtod(text, nullptr);
}
