#include "meter/MeterReport.h"
#include "meter/ReportWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

TEST(MeterReport, DifferenceReadsAsTheBandReadout) {
    const struct {
        double measured;
        float target;
        const char* text; // null: the readout shows nothing
        Verdict verdict;
    } cases[] = {
        {-13.2, -14.0f, "+0.80 lu", Verdict::TooLoud},
        {-13.5, -14.0f, "+0.50 lu", Verdict::OnTarget}, // exactly half a unit above
        {-14.3, -14.0f, "-0.30 lu", Verdict::OnTarget},
        {-13.996, -14.0f, "0.00 lu", Verdict::OnTarget},
        {-14.004, -14.0f, "0.00 lu", Verdict::OnTarget},
        {-14.5, -14.0f, "-0.50 lu", Verdict::TooQuiet}, // exactly half a unit below
        {-14.6, -14.0f, "-0.60 lu", Verdict::TooQuiet},
        {-100.0, -14.0f, "-86.00 lu", Verdict::TooQuiet},
        {-100.01, -14.0f, nullptr, Verdict::TooQuiet},
        {-160.0, -14.0f, nullptr, Verdict::TooQuiet},
        {std::nan(""), -14.0f, nullptr, Verdict::TooQuiet},
    };
    for (const auto& c : cases) {
        const std::optional<Difference> shown = ReadDifference(c.measured, c.target);
        if (c.text == nullptr) {
            EXPECT_FALSE(shown) << c.measured;
            continue;
        }
        ASSERT_TRUE(shown) << c.measured;
        EXPECT_EQ(DifferenceText(shown->lu), c.text) << c.measured;
        EXPECT_EQ(shown->verdict, c.verdict) << c.measured;
    }
}

TEST(MeterReport, ExactNumbersReadBackAsTheSameDouble) {
    for (double x : {-23.000000000000004, 0.1, -12.300000190734863, 1e-300, 48000.0}) {
        const std::string text = ExactNumber(x);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), x) << text;
    }
    EXPECT_EQ(ExactNumber(-12.5), "-12.5");
    EXPECT_EQ(ExactNumber(44100.0), "44100");
}
