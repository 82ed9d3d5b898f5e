#include "framework/PlugParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string Format(const PlugParam& param, double x, bool normalised = false) {
    char text[32];
    param.FormatValue(x, normalised, text, sizeof text);
    return text;
}

void DefineLufsTarget(PlugParam& param) {
    param.DefineContinuous("Low Lufs Target", -20.0, -45.0, -5.0, 0.1, "lu");
}

} // namespace

TEST(PlugParam, ContinuousDefinition) {
    PlugParam param;
    DefineLufsTarget(param);
    EXPECT_EQ(param.Kind(), ParamContinuous);
    EXPECT_EQ(param.Precision(), 1);
    EXPECT_STREQ(param.Name(), "Low Lufs Target");
    EXPECT_STREQ(param.UnitLabel(), "lu");
    EXPECT_EQ(param.Value(), -20.0);
    EXPECT_EQ(param.DefaultValue(), -20.0);
    EXPECT_DOUBLE_EQ(param.NormalizedValue(), 0.625);
}

TEST(PlugParam, DefinitionEdges) {
    PlugParam empty;
    empty.DefineContinuous("x", 0, 0, 0, 1, "");
    EXPECT_EQ(empty.MaxValue(), 1.0);

    const struct {
        double step;
        int precision;
    } steps[] = {{1.0, 0}, {0.1, 1}, {0.01, 2}, {0.25, 2}, {1e-9, 6}};
    for (const auto& c : steps) {
        PlugParam param;
        param.DefineContinuous("x", 0, 0, 10, c.step, "");
        EXPECT_EQ(param.Precision(), c.precision) << c.step;
    }

    PlugParam longName;
    longName.DefineInteger("a name that is far longer than thirty-one characters", 0, 0, 1, "");
    EXPECT_EQ(std::string(longName.Name()).size(), 31u);

    PlugParam choice;
    choice.DefineChoice("Target", 0, 3, "");
    EXPECT_EQ(choice.Kind(), ParamChoice);
    EXPECT_EQ(choice.MaxValue(), 2.0);
}

TEST(PlugParam, FormatValue) {
    PlugParam target;
    DefineLufsTarget(target);
    EXPECT_EQ(Format(target, 0.0), "0");
    EXPECT_EQ(Format(target, -20.0), "-20.0");
    EXPECT_EQ(Format(target, 0.625, true), "-20.0");

    PlugParam freq;
    freq.DefineInteger("Freq low", 1000, 20, 20000, "Hz");
    EXPECT_EQ(Format(freq, 1000.0), "1000");
    EXPECT_EQ(Format(freq, 20.5), "21");
    EXPECT_EQ(Format(freq, -2.5), "-3");

    PlugParam choice;
    choice.DefineChoice("Target", 0, 4, "");
    choice.AddValueText(0, "Integrated");
    choice.AddValueText(1, "Short Term");
    choice.AddValueText(1, "ignored second text");
    choice.AddValueText(2, "");
    EXPECT_EQ(Format(choice, 1.0), "Short Term");
    EXPECT_EQ(Format(choice, 2.0), "2");
    EXPECT_EQ(Format(choice, 3.0), "3");

    char small[4];
    choice.FormatValue(0.0, false, small, sizeof small);
    EXPECT_STREQ(small, "Int");
}

TEST(PlugParam, NormalisedMapping) {
    PlugParam param;
    param.DefineInteger("Freq low", 1000, 20, 20000, "Hz");
    param.SetFromNormalized(0.5);
    EXPECT_EQ(param.Value(), std::floor(param.Value()));

    param.SetCurveExponent(0.0);
    EXPECT_EQ(param.CurveExponent(), 1.0);
    param.SetCurveExponent(2.0);
    const double plain = param.FromNormalized(0.5);
    EXPECT_DOUBLE_EQ(plain, 20 + 0.25 * 19980);
    EXPECT_DOUBLE_EQ(param.ToNormalized(plain), 0.5);

    PlugParam unit;
    unit.DefineContinuous("x", 0, 0, 1, 0.01, "");
    unit.SetFromNormalized(1.2);
    EXPECT_EQ(unit.Value(), 1.0);
    unit.SetFromNormalized(-0.1);
    EXPECT_DOUBLE_EQ(unit.Value(), -0.1);
    unit.SetFromNormalized(NAN);
    unit.SetClampedValue(NAN);
    unit.SetValue(NAN);
    EXPECT_DOUBLE_EQ(unit.Value(), -0.1);
}

TEST(PlugParam, TextsAndParsing) {
    PlugParam choice;
    choice.DefineChoice("Reset on play", 1, 2, "");
    choice.AddValueText(0, "no");
    choice.AddValueText(1, "yes");
    int value = -1;
    EXPECT_TRUE(choice.ValueForText("yes", &value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(choice.ValueForText("Yes", &value));
    EXPECT_FALSE(choice.ValueForText(nullptr, &value));
    EXPECT_STREQ(choice.ValueTextFor(0), "no");
    EXPECT_STREQ(choice.ValueTextFor(5), "");
    EXPECT_EQ(choice.ValueTextCount(), 2);

    EXPECT_EQ(choice.ParseValue("no"), 0.0);
    EXPECT_EQ(choice.ParseValue("-12.5 lu"), -12.5);
    EXPECT_EQ(choice.ParseValue("lu"), 0.0);
    EXPECT_EQ(choice.ParseValue(nullptr), 0.0);
}
