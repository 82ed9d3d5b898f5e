// The effect record, the identity answers and the dispatcher's handling of bad input.
#include "Vst2Fixture.h"

#include <cstring>

namespace {

struct OpcodeAnswer {
    VstInt32 opcode;
    VstIntPtr expected;
};

TEST(Vst2Entry, BothEntryNamesAreTheSameFunction) {
    const PluginLibrary& library = Quorvel2Library();
    ASSERT_TRUE(library.Loaded());
    ASSERT_NE(library.Symbol("VSTPluginMain"), nullptr);
    EXPECT_EQ(library.Symbol("main"), library.Symbol("VSTPluginMain"));

    TestHost host(library);
    ASSERT_NE(host.Create("main"), nullptr);
    EXPECT_EQ(host.effect->magic, kEffectMagic);
}

TEST(Vst2Entry, WorksWithoutHostCallback) {
    using Entry = AEffect* (*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(Quorvel2Library().Symbol("VSTPluginMain"));
    AEffect* effect = entry(nullptr);
    ASSERT_NE(effect, nullptr);
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    float left[64], right[64], outLeft[64] = {}, outRight[64] = {};
    for (int i = 0; i < 64; ++i) {
        left[i] = 0.01f * i;
        right[i] = -0.01f * i;
    }
    float* inputs[] = {left, right};
    float* outputs[] = {outLeft, outRight};
    effect->processReplacing(effect, inputs, outputs, 64);
    EXPECT_EQ(0, std::memcmp(left, outLeft, sizeof left));
    EXPECT_EQ(0, std::memcmp(right, outRight, sizeof right));
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(Vst2Test, EffectRecordDescribesTheMeter) {
    const AEffect& e = *host.effect;
    EXPECT_EQ(e.magic, 0x56737450);
    EXPECT_EQ(e.numParams, 9);
    EXPECT_EQ(e.numPrograms, 30);
    EXPECT_EQ(e.numInputs, 2);
    EXPECT_EQ(e.numOutputs, 2);
    EXPECT_EQ(e.flags, 0x1018); // replacing, double replacing, mono; no editor yet
    EXPECT_EQ(e.uniqueID, FourCharCode("Qv7x"));
    EXPECT_EQ(e.version, 11600);
    EXPECT_EQ(e.initialDelay, 0);
    EXPECT_EQ(e.ioRatio, 1.0f);
    EXPECT_NE(e.object, nullptr);
    EXPECT_TRUE(e.dispatcher && e.process && e.processReplacing && e.processDoubleReplacing &&
                e.getParameter && e.setParameter);
}

TEST_F(Vst2Test, IdentityAnswers) {
    const OpcodeAnswer answers[] = {
        {effGetVstVersion, 2400}, {effIdentify, 0x4E764566}, {effGetVendorVersion, 11600},
        {effGetPlugCategory, 1},  {effCanBeAutomated, 1},    {effIdle, 0},
        {effGetTailSize, 0},      {effProcessVarIo, 0},
    };
    for (const OpcodeAnswer& answer : answers) {
        EXPECT_EQ(host.Dispatch(answer.opcode), answer.expected) << "opcode " << answer.opcode;
    }
    EXPECT_EQ(host.Text(effGetEffectName), "Quorvel");
    EXPECT_EQ(host.Text(effGetVendorString), "Palund");
    EXPECT_EQ(host.Text(effGetProductString), "");
}

TEST_F(Vst2Test, CanDoAnswersOnlyTimeInfo) {
    const struct {
        const char* text;
        VstIntPtr expected;
    } cases[] = {
        {"receiveVstTimeInfo", 1},  {"receiveVstEvents", 0},
        {"receiveVstMidiEvent", 0}, {"sendVstEvents", 0},
        {"sendVstMidiEvent", 0},    {"bypass", 0},
        {"receivevsttimeinfo", 0},  {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(host.Dispatch(effCanDo, 0, 0, const_cast<char*>(c.text)), c.expected) << c.text;
    }
    EXPECT_EQ(host.Dispatch(effCanDo), 0);
}

TEST_F(Vst2Test, PinProperties) {
    const struct {
        VstInt32 opcode;
        int index;
        VstIntPtr expected;
        const char* label;
        VstInt32 flags;
    } cases[] = {
        {effGetInputProperties, 0, 1, "Input 1", kVstPinIsActive | kVstPinIsStereo},
        {effGetInputProperties, 1, 1, "Input 2", kVstPinIsActive},
        {effGetInputProperties, 2, 0, "", 0},
        {effGetInputProperties, -1, 0, "", 0},
        {effGetOutputProperties, 0, 1, "Output 1", kVstPinIsActive | kVstPinIsStereo},
        {effGetOutputProperties, 1, 1, "Output 2", kVstPinIsActive},
        {effGetOutputProperties, 2, 0, "", 0},
    };
    for (const auto& c : cases) {
        VstPinProperties pin{};
        EXPECT_EQ(host.Dispatch(c.opcode, c.index, 0, &pin), c.expected) << c.label;
        EXPECT_STREQ(pin.label, c.label);
        EXPECT_EQ(pin.flags, c.flags) << c.label;
    }
}

TEST_F(Vst2Test, SpeakerArrangementsAreStereo) {
    VstSpeakerArrangement* inputs = nullptr;
    VstSpeakerArrangement* outputs = nullptr;
    EXPECT_EQ(
        host.Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&inputs), &outputs),
        1);
    ASSERT_TRUE(inputs && outputs);
    EXPECT_EQ(inputs->type, kSpeakerArrStereo);
    EXPECT_EQ(inputs->numChannels, 2);
    EXPECT_EQ(outputs->type, kSpeakerArrStereo);
    EXPECT_EQ(outputs->numChannels, 2);
}

TEST_F(Vst2Test, EditorOpcodesAnswerZeroWithoutEditor) {
    ERect* rect = nullptr;
    EXPECT_EQ(host.Dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
    int parentWindow = 0;
    EXPECT_EQ(host.Dispatch(effEditOpen, 0, 0, &parentWindow), 0);
    EXPECT_EQ(host.Dispatch(effEditIdle), 0);
    EXPECT_EQ(host.Dispatch(effEditClose), 0);
    EXPECT_EQ(host.effect->flags & effFlagsHasEditor, 0);
}

TEST_F(Vst2Test, VendorSpecificCalls) {
    const struct {
        VstInt32 index;
        VstIntPtr paramIndex;
        float opt;
        const char* text; // null: no pointer given
        VstIntPtr expected;
        const char* textAfter;
    } cases[] = {
        {7, 5, 1.0f, "", 0xBEEF, "Momentary"},
        {7, 0, 0.0f, "", 0xBEEF, "20"},
        {7, 9, 0.0f, "", 0xBEEF, ""},
        {7, 5, 1.0f, nullptr, 0, nullptr},
        {27, 5, 0.0f, "Short Term", 0xBEEF, "0.50000000000000000"},
        {27, 5, 0.0f, "", 0xBEEF, ""},
        {27, -1, 0.0f, "Short Term", 0, "Short Term"},
        {27, 5, 0.0f, nullptr, 0, nullptr},
        {56, 0, 0.0f, "", 0, ""},
        {58, 11600, 0.0f, nullptr, 0, nullptr},
        {FourCharCode("stCA"), FourCharCode("Whee"), 1.0f, nullptr, 0, nullptr},
        {12345, 0, 0.0f, "", 0, ""},
    };
    for (const auto& c : cases) {
        char text[64] = {};
        if (c.text) {
            std::strcpy(text, c.text);
        }
        EXPECT_EQ(
            host.Dispatch(effVendorSpecific, c.index, c.paramIndex, c.text ? text : nullptr, c.opt),
            c.expected)
            << "index " << c.index << " parameter " << c.paramIndex;
        if (c.textAfter) {
            EXPECT_STREQ(text, c.textAfter) << "index " << c.index;
        }
    }
}

TEST_F(Vst2Test, ValueTextCountOfListParameters) {
    int32_t count = 0;
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 8, 5, &count), 0xBEEF);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 8, 6, &count), 0xBEEF);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 8, 0, &count), 0); // integer
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 8, 2, &count), 0); // continuous
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 8, 9, &count), 0);
}

// Pointer-taking opcodes given no pointer, indices outside the ranges and unknown opcodes:
// each gets its answer, and nothing changes.
TEST_F(Vst2Test, BadDispatcherInputIsAnsweredAndChangesNothing) {
    host.Start(48000.0f, 512);
    const float before = Get(2);
    const struct {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr expected;
    } cases[] = {
        {effSetProgramName, 0, 0},
        {effGetProgramName, 0, 0},
        {effGetParamLabel, 2, 0},
        {effGetParamDisplay, 2, 0},
        {effGetParamName, 2, 0},
        {effEditGetRect, 0, 0},
        {effEditOpen, 0, 0},
        {effEditClose, 0, 0},
        {effGetChunk, 0, 0},
        {effGetChunk, 1, 0},
        {effSetChunk, 1, 0},
        {effProcessEvents, 0, 0},
        {effString2Parameter, 9, 0},
        {effString2Parameter, -1, 0},
        {effString2Parameter, 2, 1},
        {effGetProgramNameIndexed, 1, 0},
        {effGetInputProperties, 0, 0},
        {effGetOutputProperties, 0, 0},
        {effGetEffectName, 0, 0},
        {effGetVendorString, 0, 0},
        {effGetProductString, 0, 0},
        {effCanDo, 0, 0},
        {effGetMidiKeyName, 0, 0},
        {effSetSpeakerArrangement, 0, 1},
        {effGetSpeakerArrangement, 0, 1},
        {9999, 0, 0},
        {-1, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(host.Dispatch(c.opcode, c.index), c.expected) << "opcode " << c.opcode;
    }
    char text[64] = "untouched";
    for (VstInt32 opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName}) {
        EXPECT_EQ(host.Dispatch(opcode, 9, 0, text), 0);
        EXPECT_EQ(host.Dispatch(opcode, -1, 0, text), 0);
    }
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(Get(2), before);
    EXPECT_EQ(host.Dispatch(effGetVstVersion), 2400);
}

TEST_F(Vst2Test, EventsAreTakenWithoutMidiSupport) {
    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = sizeof note;
    note.midiData[0] = char(0x90);
    char dump[] = {char(0xF0), 0x7E, char(0xF7)};
    VstMidiSysexEvent sysex{};
    sysex.type = kVstSysExType;
    sysex.byteSize = sizeof sysex;
    sysex.dumpBytes = sizeof dump;
    sysex.sysexDump = dump;
    VstEvent other{};
    other.type = 99;
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[4];
    } list{
        4,
        0,
        {reinterpret_cast<VstEvent*>(&note), nullptr, reinterpret_cast<VstEvent*>(&sysex), &other}};
    EXPECT_EQ(host.Dispatch(effProcessEvents, 0, 0, &list), 1);
    list.numEvents = -3;
    EXPECT_EQ(host.Dispatch(effProcessEvents, 0, 0, &list), 1);

    MidiKeyName key{};
    key.thisKeyNumber = 60;
    std::strcpy(key.keyName, "stale");
    EXPECT_EQ(host.Dispatch(effGetMidiKeyName, 0, 0, &key), 0);
    EXPECT_STREQ(key.keyName, "");
}

TEST(Vst2Entry, RecordWithoutObjectIsIgnored) {
    TestHost host(Quorvel2Library());
    ASSERT_NE(host.Create(), nullptr);
    AEffect orphan = *host.effect;
    orphan.object = nullptr;
    float* buffers[2] = {nullptr, nullptr};
    double* doubles[2] = {nullptr, nullptr};
    for (AEffect* e : {static_cast<AEffect*>(nullptr), &orphan}) {
        EXPECT_EQ(orphan.dispatcher(e, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ(orphan.dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ(orphan.getParameter(e, 0), 0.0f);
        orphan.setParameter(e, 0, 0.5f);
        orphan.process(e, buffers, buffers, 64);
        orphan.processReplacing(e, buffers, buffers, 64);
        orphan.processDoubleReplacing(e, doubles, doubles, 64);
    }
    EXPECT_EQ(host.Dispatch(effGetVstVersion), 2400);
}

} // namespace
