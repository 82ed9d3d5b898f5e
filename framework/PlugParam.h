#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

// Kinds of parameter. No parameter of this system is a toggle; the kind is only tested for.
enum ParamKind {
    ParamUndefined = 0,
    ParamToggle = 1,
    ParamInteger = 2,
    ParamChoice = 3,
    ParamContinuous = 4
};

// One parameter of a plug-in: its plain value, range, shape and display texts. Hosts and
// controls speak normalised values 0..1; the plug-in reads plain values.
class PlugParam {
public:
    static constexpr int textSize = 32;

    struct ValueText {
        int value;
        char text[textSize];
    };

    PlugParam();

    void DefineContinuous(const char* paramName, double defaultPlain, double minPlain,
                          double maxPlain, double stepSize, const char* label);
    void DefineInteger(const char* paramName, int defaultPlain, int minPlain, int maxPlain,
                       const char* label);
    void DefineChoice(const char* paramName, int defaultPlain, int count, const char* label);
    void SetCurveExponent(double exponent);
    void AddValueText(int forValue, const char* text);

    double ToNormalized(double plain) const;
    double FromNormalized(double normalised) const;
    double NormalizedValue() const;
    void SetFromNormalized(double normalised);
    // Plain value as given, and the same clamped into the range. A NaN is never taken: the
    // parameter keeps its value.
    void SetValue(double plain);
    void SetClampedValue(double plain);
    double Clamped(double plain) const;

    // Writes at most outSize bytes, terminator included.
    void FormatValue(double x, bool normalised, char* out, size_t outSize) const;
    int ValueTextCount() const;
    const char* ValueTextFor(int forValue) const;
    bool ValueForText(const char* text, int* forValue) const;
    // The value of a matching value text, else the number the text starts with (0 if none).
    // "nan" reads as NaN, which no setter takes.
    double ParseValue(const char* text) const;

    const char* Name() const { return name; }
    const char* UnitLabel() const { return unitLabel; }
    const char* Group() const { return group; }
    double Value() const { return value.load(std::memory_order_relaxed); }
    double MinValue() const { return minValue; }
    double MaxValue() const { return maxValue; }
    double Step() const { return step; }
    double CurveExponent() const { return curveExponent; }
    int Precision() const { return precision; }
    ParamKind Kind() const { return kind; }
    double DefaultValue() const { return defaultValue; }

    ParamKind kind = ParamUndefined;
    // Written by host threads (VST3 controller) without the plug-in lock, read by the audio thread.
    std::atomic<double> value{0.0};
    double minValue = 0.0;
    double maxValue = 1.0;
    double step = 1.0;
    double curveExponent = 1.0;
    double defaultValue = 0.0;
    int precision = 0;
    char name[textSize] = {};
    char unitLabel[textSize] = {};
    char group[textSize] = {};
    std::vector<ValueText> valueTexts;
};
