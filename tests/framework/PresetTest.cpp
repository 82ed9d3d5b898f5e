#include "TestEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Presets, SlotsAndNames) {
    TestEffect effect;
    ASSERT_EQ(effect.PresetCount(), 4);
    EXPECT_STREQ(effect.PresetNameAt(0), "- 1 -");
    EXPECT_STREQ(effect.PresetNameAt(3), "- 4 -");
    EXPECT_STREQ(effect.PresetNameAt(4), "");
    EXPECT_STREQ(effect.PresetNameAt(-1), "");
    EXPECT_FALSE(effect.LoadPreset(4));
    EXPECT_FALSE(effect.LoadPreset(-1));
    EXPECT_EQ(effect.currentPresetIndex, 0);

    effect.AddDefaultPresets(nullptr, 1);
    effect.AddPresetWithValues("Loud", -10.0, 500, 2);
    EXPECT_STREQ(effect.PresetNameAt(0), "Default");
    EXPECT_STREQ(effect.PresetNameAt(1), "Loud");

    // Slots never used become numbered user presets and keep the current values.
    effect.ParamAt(1)->SetValue(1000.0);
    EXPECT_TRUE(effect.LoadPreset(3));
    EXPECT_STREQ(effect.PresetNameAt(3), "user preset 1");
    EXPECT_TRUE(effect.LoadPreset(2));
    EXPECT_STREQ(effect.PresetNameAt(2), "user preset 2");
    EXPECT_EQ(effect.ParamAt(1)->Value(), 1000.0);
    EXPECT_EQ(effect.currentPresetIndex, 2);

    effect.AddDefaultPresets("Full", 1); // no free slot left: nothing happens
    EXPECT_STREQ(effect.PresetNameAt(2), "user preset 2");
}

TEST(Presets, LoadRestoresStoredValues) {
    TestEffect effect;
    effect.AddDefaultPresets("---- default ----", 1);
    effect.AddPresetWithValues("Loud", -10.0, 500, 2);
    effect.ParamAt(0)->SetValue(-30.0);

    auto* editor = new FakeEditor;
    effect.AttachEditor(editor);
    editor->shown.clear();
    EXPECT_TRUE(effect.LoadPreset(1));
    EXPECT_EQ(effect.ParamAt(0)->Value(), -10.0);
    EXPECT_EQ(effect.ParamAt(1)->Value(), 500.0);
    EXPECT_EQ(effect.ParamAt(2)->Value(), 2.0);
    EXPECT_EQ(editor->shown.size(), 3u);

    // The default entry holds the values of the moment it was added.
    EXPECT_TRUE(effect.LoadPreset(0));
    EXPECT_EQ(effect.ParamAt(0)->Value(), -20.0);
    EXPECT_EQ(effect.ParamAt(1)->Value(), 200.0);
    EXPECT_EQ(effect.ParamAt(2)->Value(), 0.0);

    effect.ParamAt(0)->SetValue(-12.0);
    effect.StoreCurrentPreset("Mine");
    effect.LoadPreset(1);
    EXPECT_TRUE(effect.LoadPreset(0));
    EXPECT_STREQ(effect.PresetNameAt(0), "Mine");
    EXPECT_EQ(effect.ParamAt(0)->Value(), -12.0);
}

TEST(Presets, PresetListRoundTrip) {
    TestEffect source;
    source.AddPresetWithValues("Loud", -10.0, 500, 2);
    ChunkBuffer chunk;
    ASSERT_TRUE(source.WritePresets(&chunk));

    TestEffect copy;
    EXPECT_EQ(copy.ReadPresets(&chunk, 0), chunk.Size());
    EXPECT_STREQ(copy.PresetNameAt(0), "Loud");
    EXPECT_STREQ(copy.PresetNameAt(1), "- 2 -");
    EXPECT_TRUE(copy.presets[0].used);
    EXPECT_FALSE(copy.presets[1].used);
    EXPECT_EQ(copy.ParamAt(1)->Value(), 500.0);

    ChunkBuffer cut;
    cut.AppendBytes(chunk.Data(), 10);
    EXPECT_EQ(copy.ReadPresets(&cut, 0), -1);
}

TEST(State, ValueThatIsNotANumberIsRefused) {
    TestEffect effect;
    ChunkBuffer state;
    state.AppendDouble(-30.0);
    state.AppendDouble(std::nan(""));
    state.AppendDouble(2.0);
    EXPECT_EQ(effect.ReadParamValues(&state, 0), -1);
    EXPECT_EQ(effect.ParamAt(0)->Value(), -30.0);
    EXPECT_EQ(effect.ParamAt(1)->Value(), 200.0);
    EXPECT_EQ(effect.ParamAt(2)->Value(), 2.0);
    EXPECT_EQ(effect.notified, (std::vector<int>{0, 2}));
}
