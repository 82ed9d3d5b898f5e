// Audio through the processing functions, the transport and identity the plug-in asks the
// host for, and the calls it makes back to the host.
#include "Vst2Fixture.h"

#include "CLS_QUORVEL.h"

#include <cmath>
#include <vector>

namespace {

// A stereo test signal of some length, in either precision.
template <typename Sample> struct StereoBlock {
    explicit StereoBlock(int frames, double amplitude = 0.5)
        : frames(frames), in(2, std::vector<Sample>(frames)), out(2, std::vector<Sample>(frames)) {
        for (int i = 0; i < frames; ++i) {
            in[0][i] = static_cast<Sample>(amplitude * std::sin(0.13 * i));
            in[1][i] = static_cast<Sample>(amplitude * std::cos(0.029 * i));
        }
        inputs[0] = in[0].data();
        inputs[1] = in[1].data();
        outputs[0] = out[0].data();
        outputs[1] = out[1].data();
    }

    int frames;
    std::vector<std::vector<Sample>> in;
    std::vector<std::vector<Sample>> out;
    Sample* inputs[2];
    Sample* outputs[2];
};

class Vst2ProcessingTest : public Vst2Test {
protected:
    void SetUp() override {
        Vst2Test::SetUp();
        host.Start(48000.0f, 512);
    }

    void Replace(StereoBlock<float>& block) {
        host.effect->processReplacing(host.effect, block.inputs, block.outputs, block.frames);
    }
    CLS_QUORVEL& Meter() { return static_cast<CLS_QUORVEL&>(Object()); }
    double HighestMaximum() {
        double highest = BandLoudness::floorLufs;
        for (const BandLoudness& band : Meter().bands) {
            highest = std::max(highest, band.maxMomentaryLufs.load());
        }
        return highest;
    }
};

// Blocks longer than the block size included: 3000 frames at a block size of 512.
TEST_F(Vst2ProcessingTest, AudioPassesThroughInEveryPrecision) {
    StereoBlock<float> replacing(3000);
    Replace(replacing);
    EXPECT_EQ(replacing.out, replacing.in);

    StereoBlock<double> doubles(3000);
    host.effect->processDoubleReplacing(host.effect, doubles.inputs, doubles.outputs, 3000);
    EXPECT_EQ(doubles.out, doubles.in);

    StereoBlock<float> accumulating(3000);
    accumulating.out = accumulating.in;
    host.effect->process(host.effect, accumulating.inputs, accumulating.outputs, 3000);
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < 3000; ++i) {
            ASSERT_EQ(accumulating.out[c][i], 2.0f * accumulating.in[c][i]) << c << ":" << i;
        }
    }
}

TEST_F(Vst2ProcessingTest, MonoArrangementUsesOneHostBuffer) {
    VstSpeakerArrangement mono{};
    mono.type = kSpeakerArrMono;
    mono.numChannels = 1;
    EXPECT_EQ(host.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &mono),
              1);
    StereoBlock<float> block(700);
    float* input[] = {block.inputs[0]};
    float* output[] = {block.outputs[0]};
    host.effect->processReplacing(host.effect, input, output, 700);
    EXPECT_EQ(block.out[0], block.in[0]);
}

// Unusable set-up values are ignored, and odd blocks are answered without a crash.
TEST_F(Vst2ProcessingTest, BadSetupAndBlocksAreHarmless) {
    for (VstIntPtr frames : {0, -5}) {
        host.Dispatch(effSetBlockSize, 0, frames);
    }
    for (float rate : {0.0f, -48000.0f, NAN, INFINITY}) {
        host.Dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    }
    EXPECT_EQ(Object().sampleRate, 48000.0);
    EXPECT_EQ(Object().blockSize, 512);
    host.Dispatch(effSetBlockSize, 0, VstIntPtr(1) << 40);
    EXPECT_EQ(Object().blockSize, 65536); // longer blocks run in slices

    StereoBlock<float> block(1500);
    Replace(block);
    EXPECT_EQ(block.out, block.in);

    for (int frames : {0, -64}) {
        host.effect->processReplacing(host.effect, block.inputs, block.outputs, frames);
    }
    host.effect->processReplacing(host.effect, nullptr, nullptr, 512);
    float* missing[] = {nullptr, nullptr};
    host.effect->processReplacing(host.effect, missing, missing, 512);
    block.in[0][0] = NAN;
    Replace(block);
    EXPECT_TRUE(std::isnan(block.out[0][0]));
    EXPECT_EQ(block.out[1], block.in[1]);
}

TEST_F(Vst2ProcessingTest, TransportStartResetsTheBands) {
    StereoBlock<float> loud(48000);
    Replace(loud); // transport stopped: measured, but nothing integrated
    ASSERT_GT(HighestMaximum(), -60.0);
    StereoBlock<float> block(512);
    Replace(block);
    ASSERT_GT(HighestMaximum(), -60.0);

    host.timeAvailable = true;
    host.timeInfo.flags = kVstTransportPlaying;
    const int queries = host.CallCount(audioMasterGetTime);
    Replace(block);
    EXPECT_GT(host.CallCount(audioMasterGetTime), queries);
    EXPECT_EQ(HighestMaximum(), BandLoudness::floorLufs);

    Replace(loud);
    ASSERT_GT(HighestMaximum(), -60.0);
    Replace(block); // still playing: nothing is reset
    EXPECT_GT(HighestMaximum(), -60.0);
}

TEST_F(Vst2ProcessingTest, RecordingCountsAsRunning) {
    StereoBlock<float> loud(48000);
    Replace(loud);
    ASSERT_GT(HighestMaximum(), -60.0);
    host.timeAvailable = true;
    host.timeInfo.flags = kVstTransportRecording;
    StereoBlock<float> block(512);
    Replace(block);
    EXPECT_EQ(HighestMaximum(), BandLoudness::floorLufs);
}

TEST_F(Vst2Test, TransportQueries) {
    IEffectBase& plugin = Object();
    const struct {
        bool available;
        double samplePos;
        double tempo;
        int numerator, denominator;
        VstInt32 flags;
        int position;
        double expectedTempo;
        int expectedNumerator, expectedDenominator;
    } cases[] = {
        {false, 1000.0, 120.0, 3, 4, kVstTempoValid | kVstTimeSigValid, 0, 0.0, 0, 0},
        {true, 1000.4, 120.0, 3, 4, kVstTempoValid | kVstTimeSigValid, 1000, 120.0, 3, 4},
        {true, 1000.5, 120.0, 3, 4, 0, 1001, 0.0, 0, 0},
        {true, -5.0, -1.0, -3, 4, kVstTempoValid | kVstTimeSigValid, 0, 0.0, 0, 0},
        {true, NAN, NAN, 7, 8, kVstTempoValid | kVstTimeSigValid, 0, 0.0, 7, 8},
        {true, 1e12, 90.0, 6, 8, kVstTempoValid | kVstTimeSigValid, 2147483647, 90.0, 6, 8},
    };
    for (const auto& c : cases) {
        host.timeAvailable = c.available;
        host.timeInfo.samplePos = c.samplePos;
        host.timeInfo.tempo = c.tempo;
        host.timeInfo.timeSigNumerator = c.numerator;
        host.timeInfo.timeSigDenominator = c.denominator;
        host.timeInfo.flags = c.flags;
        EXPECT_EQ(plugin.CurrentSamplePosition(), c.position) << c.samplePos;
        EXPECT_EQ(plugin.CurrentTempo(), c.expectedTempo) << c.tempo;
        int numerator = -1, denominator = -1;
        plugin.CurrentTimeSignature(&numerator, &denominator);
        EXPECT_EQ(numerator, c.expectedNumerator);
        EXPECT_EQ(denominator, c.expectedDenominator);
    }
    // The flags asked for: none for the position, then the tempo, then the time signature.
    ASSERT_GE(host.calls.size(), 3u);
    const HostCall* last = &host.calls.back() - 2;
    EXPECT_EQ(last[0].value, 0);
    EXPECT_EQ(last[1].value, kVstTempoValid);
    EXPECT_EQ(last[2].value, kVstTimeSigValid);
}

TEST(Vst2HostId, ProductStringAndVersionIdentifyTheHost) {
    const struct {
        const char* product;
        VstIntPtr vendorVersion;
        int hostId;
        int hostVersion;
        int versionQuestions;
    } cases[] = {
        // Five-digit and four-digit decimal forms of 8.0.5.
        {"Steinberg CuBaSe", 80005, 3, 0x80005, 1},
        {"CUBASE", 8005, 3, 0x80005, 1},
        {"cubase", 1203, 3, 0x10203, 1},
        {"cubase", 100203, 3, 0xA0203, 1},
        {"REAPER", 0, 1, 0, 1},
        {"Some Host", -7, 0, 0, 1},
        {"", 8005, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TestHost host(Quorvel2Library());
        host.productString = c.product;
        host.vendorVersion = c.vendorVersion;
        ASSERT_NE(host.Create(), nullptr);
        host.Dispatch(effOpen);
        host.Dispatch(effOpen);
        const IEffectVST2& plugin = *static_cast<IEffectVST2*>(host.effect->object);
        EXPECT_EQ(plugin.hostId, c.hostId) << c.product;
        EXPECT_EQ(plugin.hostVersion, c.hostVersion) << c.product;
        EXPECT_EQ(host.CallCount(audioMasterGetProductString), 1) << c.product;
        EXPECT_EQ(host.CallCount(audioMasterGetVendorVersion), c.versionQuestions) << c.product;
    }
}

TEST_F(Vst2Test, EditsAndEventsReachTheHost) {
    IEffectBase& plugin = Object();
    plugin.BeginParamEdit(3);
    plugin.HostSetParamValue(3, 0.25);
    plugin.EndParamEdit(3);
    plugin.BeginWheelEdit(4);
    plugin.HostNotifyProgramChanged();
    const struct {
        VstInt32 opcode;
        VstInt32 index;
        float opt;
    } expected[] = {
        {audioMasterBeginEdit, 3, 0.0f},     {audioMasterAutomate, 3, 0.25f},
        {audioMasterEndEdit, 3, 0.0f},       {audioMasterBeginEdit, 4, 0.0f},
        {audioMasterUpdateDisplay, 0, 0.0f},
    };
    ASSERT_EQ(host.calls.size(), std::size(expected));
    for (size_t i = 0; i < host.calls.size(); ++i) {
        EXPECT_EQ(host.calls[i].opcode, expected[i].opcode) << i;
        EXPECT_EQ(host.calls[i].index, expected[i].index) << i;
        EXPECT_EQ(host.calls[i].opt, expected[i].opt) << i;
    }

    const MidiMessage note{17, 0x90, 60, 100};
    EXPECT_TRUE(plugin.SendMidiMessage(&note));
    ASSERT_EQ(host.midiEvents.size(), 1u);
    const VstMidiEvent& event = host.midiEvents[0];
    EXPECT_EQ(event.byteSize, 32);
    EXPECT_EQ(event.deltaFrames, 17);
    EXPECT_EQ(uint8_t(event.midiData[0]), 0x90);
    EXPECT_EQ(event.midiData[1], 60);
    EXPECT_EQ(event.midiData[2], 100);
    EXPECT_EQ(event.midiData[3], 0);

    const uint8_t dump[] = {0xF0, 0x43, 0xF7};
    const SysExMessage sysex{5, 3, dump};
    EXPECT_TRUE(plugin.SendSysExMessage(&sysex));
    ASSERT_EQ(host.sysexDumps.size(), 1u);
    EXPECT_EQ(host.sysexDumps[0], std::string("\xF0\x43\xF7", 3));
}

} // namespace
