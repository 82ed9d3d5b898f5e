#include "meter/MeterOptions.h"
#include "meter/MeterRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Parses and resolves a command line as the tool does; returns the error text.
std::string Check(const std::vector<std::string>& args, MeterOptions& options) {
    const std::string error = ParseMeterOptions(args, options);
    if (!error.empty()) {
        return error;
    }
    const CLS_QUORVEL plugin(QuorvelAdapter::HostContext{});
    return ResolveAgainstPlugin(plugin, options);
}

struct BadCommandLine {
    std::vector<std::string> args;
    const char* error;
};

} // namespace

TEST(MeterOptions, RejectsBadCommandLines) {
    const BadCommandLine cases[] = {
        {{"--bogus", "a.wav"}, "unknown option --bogus"},
        {{"a.wav", "--freq-low"}, "--freq-low needs a value (HZ)"},
        {{"--help=yes"}, "--help takes no value"},
        {{"--freq-low", "150.5", "a.wav"}, "--freq-low expects a whole number, not \"150.5\""},
        {{"--target-low", "loud", "a.wav"}, "--target-low expects a number, not \"loud\""},
        {{"--target-high", "nan", "a.wav"}, "--target-high expects a number, not \"nan\""},
        {{"--slope", "18", "a.wav"}, "--slope expects 12 or 24, not \"18\""},
        {{"--target-kind", "peak", "a.wav"},
         "--target-kind expects integrated, short-term or momentary, not \"peak\""},
        {{"--format=xml", "a.wav"}, "--format expects text, json or csv, not \"xml\""},
        {{"--block", "0", "a.wav"}, "--block expects a whole number from 1 to 65536, not \"0\""},
        {{}, "no files to measure"},
        {{"--demo", "a.wav"}, "--demo measures its own programme and takes no files"},
        {{"--target-low", "-45.01", "a.wav"}, "--target-low -45.01 is outside the range -45 to -5"},
        {{"--target-middle=-4.9", "a.wav"}, "--target-middle -4.9 is outside the range -45 to -5"},
        {{"--freq-high", "20001", "a.wav"}, "--freq-high 20001 is outside the range 20 to 20000"},
        {{"--freq-low", "19", "a.wav"}, "--freq-low 19 is outside the range 20 to 20000"},
        {{"--preset", "pop", "a.wav"},
         "no factory preset is named \"pop\" (--list-presets shows them)"},
        {{"--freq-low", "3000", "a.wav"},
         "the low crossover (3000 Hz) lies above the high one (2000 Hz)"},
    };
    for (const BadCommandLine& c : cases) {
        MeterOptions options;
        EXPECT_EQ(Check(c.args, options), c.error) << c.args.size() << " arguments";
    }
}

TEST(MeterOptions, ExplicitValuesOverrideThePresetWhereverTheyStand) {
    MeterOptions options;
    ASSERT_EQ(Check({"--target-low", "-30", "--slope=12", "--preset", "Psy Trance", "--format",
                     "csv", "--block", "100", "--", "--odd name.wav"},
                    options),
              "");
    EXPECT_EQ(options.format, ReportFormat::Csv);
    EXPECT_EQ(options.blockFrames, 100);
    EXPECT_EQ(options.files, std::vector<std::string>{"--odd name.wav"});

    const std::unique_ptr<CLS_QUORVEL> plugin = CreateMeterPlugin(options);
    EXPECT_EQ(plugin->targetLufs[0], -30.0f);
    EXPECT_EQ(plugin->targetLufs[1], -11.0f);
    EXPECT_EQ(plugin->targetLufs[2], -16.0f);
    EXPECT_FALSE(plugin->split24dB);
    EXPECT_TRUE(plugin->resetOnPlay);
    EXPECT_TRUE(plugin->processingEnabled);
}
