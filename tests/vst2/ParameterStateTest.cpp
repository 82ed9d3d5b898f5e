// Parameters, programs and chunks as a VST2 host sees them.
#include "Vst2Fixture.h"

#include "framework/IGraphics.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

TEST_F(Vst2Test, ParameterTexts) {
    const struct {
        const char* name;
        const char* label;
        const char* display;
    } cases[] = {
        {"Freq low", "Hz", "200"},           {"Freq high", "Hz", "2000"},
        {"Low Lufs Target", "lu", "-20.0"},  {"Middle Lufs Target", "lu", "-20.0"},
        {"High Lufs Target", "lu", "-20.0"}, {"Target", "", "Integrated"},
        {"Reset on play", "", "yes"},        {"Graph when play", "", "yes"},
        {"Split by 24dB", "", "yes"},
    };
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(host.Text(effGetParamName, i), cases[i].name);
        EXPECT_EQ(host.Text(effGetParamLabel, i), cases[i].label);
        EXPECT_EQ(Display(i), cases[i].display);
    }
}

TEST_F(Vst2Test, NormalisedValuesInAndOut) {
    host.Start(48000.0f, 512);
    EXPECT_FLOAT_EQ(Get(2), 0.625f); // -20 in -45 .. -5
    Set(2, 0.75f);
    EXPECT_FLOAT_EQ(Get(2), 0.75f);
    EXPECT_EQ(Display(2), "-15.0");
    Set(5, 1.0f);
    EXPECT_EQ(Display(5), "Momentary");

    const struct {
        int paramIndex;
        float normalised;
        const char* display;
    } outOfRange[] = {
        {0, -1.0f, "20"},  {0, 2.0f, "20000"}, {2, -0.5f, "-45.0"},
        {2, 1.5f, "-5.0"}, {2, NAN, "-5.0"}, // not a value: kept
    };
    for (const auto& c : outOfRange) {
        Set(c.paramIndex, c.normalised);
        EXPECT_EQ(Display(c.paramIndex), c.display) << c.normalised;
    }

    Set(2, 0.75f);
    for (int outside : {-1, 9, 1000}) {
        Set(outside, 0.1f);
        EXPECT_EQ(Get(outside), 0.0f);
    }
    EXPECT_FLOAT_EQ(Get(2), 0.75f);
}

// Records what the plug-in shows in its editor.
class RecordingEditor : public IGraphics {
public:
    struct Shown {
        int paramIndex;
        double value;
        bool normalised;
    };

    explicit RecordingEditor(std::vector<Shown>* shown) : shown(shown) {}
    void ShowParamValue(int paramIndex, double value, bool normalised) override {
        shown->push_back({paramIndex, value, normalised});
    }
    void PrepareDrawing() override {}
    void StartEditEndCountdown(int) override {}
    void CancelEditEndCountdown() override {}
    int FrameRate() const override { return 24; }

private:
    std::vector<Shown>* shown;
};

TEST_F(Vst2Test, HostValuesReachTheEditor) {
    host.Start(48000.0f, 512);
    std::vector<RecordingEditor::Shown> shown;
    Object().AttachEditor(new RecordingEditor(&shown)); // the plug-in owns it from here
    EXPECT_EQ(host.effect->flags & effFlagsHasEditor, effFlagsHasEditor);
    shown.clear();

    Set(2, NAN); // not a value: nothing to show
    Set(2, 1.5f);
    host.Dispatch(effString2Parameter, 5, 0, const_cast<char*>("Short Term"));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].paramIndex, 2);
    EXPECT_EQ(shown[0].value, 1.0);
    EXPECT_TRUE(shown[0].normalised);
    EXPECT_EQ(shown[1].paramIndex, 5);
    EXPECT_EQ(shown[1].value, 1.0);
    EXPECT_FALSE(shown[1].normalised);
}

TEST_F(Vst2Test, String2ParameterTakesValueTexts) {
    host.Start(48000.0f, 512);
    const struct {
        int paramIndex;
        const char* text;
        VstIntPtr expected;
        const char* display;
    } cases[] = {
        {5, "Short Term", 1, "Short Term"},
        {6, "no", 1, "no"},
        {2, "-12.34", 1, "-12.3"},
        {2, "-99", 1, "-45.0"}, // clamped into the range
        {0, "1000", 1, "1000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(host.Dispatch(effString2Parameter, c.paramIndex, 0, const_cast<char*>(c.text)),
                  c.expected)
            << c.text;
        EXPECT_EQ(Display(c.paramIndex), c.display);
    }
    EXPECT_EQ(host.Dispatch(effString2Parameter, 9, 0, const_cast<char*>("1")), 0);
    EXPECT_EQ(host.Dispatch(effString2Parameter, 2, 0, const_cast<char*>("nan")), 0);
    EXPECT_EQ(Display(2), "-45.0");
}

TEST_F(Vst2Test, ProgramNames) {
    EXPECT_EQ(host.Dispatch(effGetProgram), 0);
    EXPECT_EQ(host.Text(effGetProgramName), "---- default ----");
    const struct {
        int index;
        VstIntPtr expected;
        const char* name;
    } cases[] = {
        {1, 1, "Pop"},     {11, 1, "Soundtrack"}, {12, 1, "- 13 -"},
        {29, 1, "- 30 -"}, {30, 0, ""},           {-1, 0, ""},
    };
    for (const auto& c : cases) {
        char name[256] = "stale";
        EXPECT_EQ(host.Dispatch(effGetProgramNameIndexed, c.index, 0, name), c.expected);
        EXPECT_STREQ(name, c.name);
    }
}

TEST_F(Vst2Test, SwitchingProgramsKeepsTheValuesLastUsed) {
    host.Start(48000.0f, 512);
    Set(2, 0.5f); // -25 lu in the default program
    host.Dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(host.Dispatch(effGetProgram), 1);
    EXPECT_EQ(Display(2), "-12.5"); // "Pop"
    Set(3, 0.25f);                  // -35 lu in "Pop"

    host.Dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(Display(2), "-25.0");
    EXPECT_EQ(Display(3), "-20.0");
    host.Dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(Display(2), "-12.5");
    EXPECT_EQ(Display(3), "-35.0");

    for (VstIntPtr outside : {VstIntPtr(30), VstIntPtr(-1), VstIntPtr(1) << 32}) {
        host.Dispatch(effSetProgram, 0, outside);
        EXPECT_EQ(host.Dispatch(effGetProgram), 1);
        EXPECT_EQ(Display(3), "-35.0");
    }

    host.Dispatch(effSetProgramName, 0, 0, const_cast<char*>("Mine"));
    EXPECT_EQ(host.Text(effGetProgramName), "Mine");
    EXPECT_EQ(host.Text(effGetProgramNameIndexed, 1), "Mine");
}

std::vector<char> ChunkOf(TestHost& host, int index) {
    void* data = nullptr;
    const VstIntPtr size = host.Dispatch(effGetChunk, index, 0, &data);
    if (size <= 0 || !data) {
        return {};
    }
    const char* bytes = static_cast<const char*>(data);
    return std::vector<char>(bytes, bytes + size);
}

template <typename T> T At(const std::vector<char>& bytes, size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST_F(Vst2Test, ChunkHoldsVersionAndValuesAndRestoresThem) {
    host.Start(48000.0f, 512);
    Set(2, 0.75f);
    for (int index : {0, 1}) { // bank, program
        const std::vector<char> chunk = ChunkOf(host, index);
        ASSERT_EQ(chunk.size(), 76u);
        EXPECT_EQ(At<int32_t>(chunk, 0), 11600);
        const double values[] = {200, 2000, -15, -20, -20, 0, 1, 1, 1};
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(At<double>(chunk, 4 + 8 * i), values[i]) << "parameter " << i;
        }
    }

    std::vector<char> saved = ChunkOf(host, 1);
    Set(2, 0.0f);
    Set(5, 1.0f);
    EXPECT_EQ(host.Dispatch(effSetChunk, 1, VstIntPtr(saved.size()), saved.data()), 1);
    EXPECT_EQ(Display(2), "-15.0");
    EXPECT_EQ(Display(5), "Integrated");

    saved.resize(84, 0); // bytes after the values are ignored
    Set(2, 0.0f);
    EXPECT_EQ(host.Dispatch(effSetChunk, 0, VstIntPtr(saved.size()), saved.data()), 1);
    EXPECT_EQ(Display(2), "-15.0");
}

TEST_F(Vst2Test, ShortOrDamagedChunksAreRefused) {
    host.Start(48000.0f, 512);
    std::vector<char> chunk = ChunkOf(host, 1);
    ASSERT_EQ(chunk.size(), 76u);
    // A chunk that names other values: Freq low 300 ... Target "Momentary".
    const double other[] = {300, 3000, -10, -11, -12, 2, 0, 0, 0};
    std::memcpy(chunk.data() + 4, other, sizeof other);

    for (VstIntPtr size : {0, 3, -1}) {
        EXPECT_EQ(host.Dispatch(effSetChunk, 1, size, chunk.data()), 0) << size;
    }
    EXPECT_EQ(host.Dispatch(effSetChunk, 1, 76, nullptr), 0);
    EXPECT_EQ(Display(0), "200");

    // Cut inside the fifth value: the four complete values are taken, the rest keep theirs.
    EXPECT_EQ(host.Dispatch(effSetChunk, 1, 4 + 8 * 4 + 5, chunk.data()), 0);
    const char* expected[] = {"300",        "3000", "-10.0", "-11.0", "-20.0",
                              "Integrated", "yes",  "yes",   "yes"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(Display(i), expected[i]) << "parameter " << i;
    }
}

} // namespace
