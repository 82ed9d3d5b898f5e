// Drives the built Quorvel3 module the way a VST3 host does: only through its exported entry
// points and the interfaces they hand out.
#include "HostObjects.h"
#include "LoadedModule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

using namespace vst3;

namespace {

constexpr ParamID presetId = 0x70727374; // 'prst'
constexpr ParamID bypassId = 0x62706173; // 'bpas'
constexpr ParamID freqLow = 0;
constexpr ParamID lowTarget = 2;  // -45 .. -5 LUFS in steps of 0.1
constexpr ParamID targetKind = 5; // choice of three
constexpr ParamID resetOnPlay = 6;
constexpr int32 maxBlock = 512;

std::string Narrow(const TChar* text) {
    std::string narrow;
    for (; *text; ++text)
        narrow += static_cast<char>(*text);
    return narrow;
}

std::vector<char> DoublesAsBytes(const std::vector<double>& values) {
    std::vector<char> bytes(values.size() * sizeof(double));
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

// Two channels of a recognisable signal in, two channels of something else out, with the
// transport playing.
template <class Sample> struct StereoBlock {
    explicit StereoBlock(int frames)
        : input(2, std::vector<Sample>(static_cast<size_t>(frames))),
          output(2, std::vector<Sample>(static_cast<size_t>(frames), Sample(-7))) {
        for (size_t c = 0; c < 2; ++c) {
            for (size_t n = 0; n < input[c].size(); ++n)
                input[c][n] = static_cast<Sample>(0.5 * std::sin(0.01 * (n + 1) * (c + 1)));
            inputs[c] = input[c].data();
            outputs[c] = output[c].data();
        }
        inBus.numChannels = outBus.numChannels = 2;
        if constexpr (std::is_same_v<Sample, float>) {
            inBus.channelBuffers32 = inputs;
            outBus.channelBuffers32 = outputs;
            data.symbolicSampleSize = kSample32;
        } else {
            inBus.channelBuffers64 = inputs;
            outBus.channelBuffers64 = outputs;
            data.symbolicSampleSize = kSample64;
        }
        data.numSamples = frames;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &inBus;
        data.outputs = &outBus;
        context.state = kPlaying;
        context.sampleRate = 48000.0;
        context.tempo = 120.0;
        context.timeSigNumerator = context.timeSigDenominator = 4;
        data.processContext = &context;
    }

    std::vector<std::vector<Sample>> input, output;
    Sample* inputs[2];
    Sample* outputs[2];
    AudioBusBuffers inBus{}, outBus{};
    ProcessContext context{}; // a playing transport
    ProcessData data{};
};

// The module, loaded once for every test.
class Vst3ModuleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module = new LoadedModule;
        if (module->Open(QUORVEL3_MODULE))
            factory = module->Factory();
    }
    static void TearDownTestSuite() {
        if (factory) {
            EXPECT_EQ(factory->release(), 0u);
        }
        delete module;
        factory = nullptr;
    }

    void SetUp() override { ASSERT_NE(factory, nullptr) << "cannot load " << QUORVEL3_MODULE; }

    static PClassInfo2 EffectClass() {
        PClassInfo2 info{};
        IPluginFactory2* factory2 = nullptr;
        factory->queryInterface(IPluginFactory2::iid.Bytes(), reinterpret_cast<void**>(&factory2));
        factory2->getClassInfo2(0, &info);
        factory2->release();
        return info;
    }

    static LoadedModule* module;
    static IPluginFactory* factory;
};

LoadedModule* Vst3ModuleTest::module = nullptr;
IPluginFactory* Vst3ModuleTest::factory = nullptr;

// One initialised instance per test, with a host application and a component handler.
class Vst3EffectTest : public Vst3ModuleTest {
protected:
    void SetUp() override {
        Vst3ModuleTest::SetUp();
        void* created = nullptr;
        ASSERT_EQ(factory->createInstance(EffectClass().cid, IComponent::iid.Bytes(), &created),
                  kResultOk);
        component = static_cast<IComponent*>(created);
        processor = Query<IAudioProcessor>();
        controller = Query<IEditController>();
        units = Query<IUnitInfo>();
        ASSERT_TRUE(processor && controller && units);
        ASSERT_EQ(component->initialize(&host), kResultOk);
        controller->setComponentHandler(&handler);
    }

    void TearDown() override {
        if (!component)
            return;
        component->setActive(false);
        EXPECT_EQ(component->terminate(), kResultOk);
        units->release();
        controller->release();
        processor->release();
        EXPECT_EQ(component->release(), 0u);
        EXPECT_EQ(host.references, 1u);
        EXPECT_EQ(handler.references, 1u);
    }

    template <class I> I* Query() {
        void* found = nullptr;
        return component->queryInterface(I::iid.Bytes(), &found) == kResultOk
                   ? static_cast<I*>(found)
                   : nullptr;
    }

    void StartProcessing(int32 sampleSize) {
        ProcessSetup setup{kRealtime, sampleSize, maxBlock, 48000.0};
        ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
        ASSERT_EQ(component->setActive(true), kResultOk);
    }

    // Runs one block with the given parameter changes; true when output equals input.
    template <class Sample> bool PassesAudio(ParameterChanges* changes, int frames = maxBlock) {
        StereoBlock<Sample> block(frames);
        block.data.inputParameterChanges = changes;
        EXPECT_EQ(processor->process(block.data), kResultOk);
        return block.output == block.input;
    }

    void ApplyInBlock(ParamID id, std::vector<std::pair<int32, ParamValue>> points) {
        ParameterChanges changes;
        changes.Add(id, std::move(points));
        PassesAudio<float>(&changes);
    }

    HostApplication host{u"Quorvel test host"};
    ComponentHandler handler;
    IComponent* component = nullptr;
    IAudioProcessor* processor = nullptr;
    IEditController* controller = nullptr;
    IUnitInfo* units = nullptr;
};

TEST_F(Vst3ModuleTest, FactoryDescribesTheMeterClass) {
    PFactoryInfo factoryInfo{};
    ASSERT_EQ(factory->getFactoryInfo(&factoryInfo), kResultOk);
    EXPECT_STREQ(factoryInfo.vendor, "Palund");
    EXPECT_EQ(factoryInfo.flags, kUnicode);
    ASSERT_EQ(factory->countClasses(), 1);

    const PClassInfo2 info = EffectClass();
    EXPECT_EQ(info.cardinality, kManyInstances);
    EXPECT_STREQ(info.category, "Audio Module Class");
    EXPECT_STREQ(info.name, "Quorvel");
    EXPECT_EQ(info.classFlags, 2u);
    EXPECT_STREQ(info.subCategories, "Fx");
    EXPECT_STREQ(info.vendor, "");
    EXPECT_STREQ(info.version, "1.1.0");
    EXPECT_STREQ(info.sdkVersion, "VST 3.6.5");
#if defined(_WIN32)
    const unsigned char cid[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                   'P',  'a',  'l',  'd',  'Q',  'v',  '7',  'x'};
#else
    const unsigned char cid[16] = {0xF2, 0xAE, 0xE7, 0x0D, 0x00, 0xDE, 0x4F, 0x4E,
                                   'P',  'a',  'l',  'd',  'Q',  'v',  '7',  'x'};
#endif
    EXPECT_EQ(std::memcmp(info.cid, cid, sizeof cid), 0);

    PClassInfo plain{};
    ASSERT_EQ(factory->getClassInfo(0, &plain), kResultOk);
    EXPECT_STREQ(plain.name, "Quorvel");
    EXPECT_EQ(factory->getClassInfo(1, &plain), kInvalidArgument);
}

TEST_F(Vst3ModuleTest, FactoryIsSharedAndRefusesUnknownRequests) {
    IPluginFactory* again = module->Factory();
    EXPECT_EQ(again, factory);
    again->release();

    const PClassInfo2 info = EffectClass();
    void* obj = &obj;
    const char unknown[16] = {1, 2, 3};
    EXPECT_EQ(factory->createInstance(unknown, IComponent::iid.Bytes(), &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    obj = &obj;
    EXPECT_EQ(factory->createInstance(info.cid, unknown, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(factory->createInstance(info.cid, IComponent::iid.Bytes(), nullptr),
              kInvalidArgument);
}

TEST_F(Vst3EffectTest, AnswersItsInterfacesAndNoOthers) {
    for (const FUID* iid :
         {&FUnknown::iid, &IPluginBase::iid, &IComponent::iid, &IAudioProcessor::iid,
          &IEditController::iid, &IEditController2::iid, &IConnectionPoint::iid, &IUnitInfo::iid}) {
        void* found = nullptr;
        EXPECT_EQ(component->queryInterface(iid->Bytes(), &found), kResultOk);
        ASSERT_NE(found, nullptr);
        static_cast<FUnknown*>(found)->release();
    }
    void* first = nullptr;
    void* second = nullptr;
    controller->queryInterface(FUnknown::iid.Bytes(), &first);
    units->queryInterface(FUnknown::iid.Bytes(), &second);
    EXPECT_EQ(first, second);
    static_cast<FUnknown*>(first)->release();
    static_cast<FUnknown*>(second)->release();

    void* none = &none;
    EXPECT_EQ(component->queryInterface(IPlugView::iid.Bytes(), &none), kNoInterface);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(component->queryInterface(IComponent::iid.Bytes(), nullptr), kInvalidArgument);
}

TEST_F(Vst3EffectTest, AViewKeepsTheInstanceUntilItsLastRelease) {
    IPlugView* view = controller->createView("editor");
    ASSERT_NE(view, nullptr);
    component->terminate();
    units->release();
    controller->release();
    processor->release();
    EXPECT_EQ(component->release(), 1u);
    EXPECT_EQ(view->release(), 0u);
    component = nullptr;
    EXPECT_EQ(host.references, 1u);
    EXPECT_EQ(handler.references, 1u);
}

TEST_F(Vst3EffectTest, MainBusesAreStereoInAndOut) {
    EXPECT_EQ(component->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(component->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(component->getBusCount(kEvent, kInput), 0);
    BusInfo info{};
    ASSERT_EQ(component->getBusInfo(kAudio, kInput, 0, info), kResultOk);
    EXPECT_EQ(Narrow(info.name), "Main Input");
    EXPECT_EQ(info.channelCount, 2);
    EXPECT_EQ(info.busType, kMain);
    EXPECT_EQ(info.flags, kDefaultActive);
    ASSERT_EQ(component->getBusInfo(kAudio, kOutput, 0, info), kResultOk);
    EXPECT_EQ(Narrow(info.name), "Output");
    EXPECT_EQ(info.direction, kOutput);
    SpeakerArrangement arrangement = 0;
    EXPECT_EQ(processor->getBusArrangement(kOutput, 0, arrangement), kResultOk);
    EXPECT_EQ(arrangement, SpeakerArr::kStereo);

    EXPECT_EQ(component->getBusInfo(kAudio, kInput, 1, info), kInvalidArgument);
    EXPECT_EQ(component->getBusInfo(kEvent, kInput, 0, info), kInvalidArgument);
    EXPECT_EQ(component->getBusInfo(7, kInput, 0, info), kInvalidArgument);
    EXPECT_EQ(processor->getBusArrangement(kInput, -1, arrangement), kInvalidArgument);
}

TEST_F(Vst3EffectTest, BusArrangementsOfOneOrTwoChannelsOnBothSides) {
    struct Case {
        SpeakerArrangement in, out;
        int32 numIns;
        tresult result;
    };
    const Case cases[] = {
        {SpeakerArr::kStereo, SpeakerArr::kStereo, 1, kResultOk},
        {SpeakerArr::kMono, SpeakerArr::kStereo, 1, kResultFalse},
        {SpeakerArr::k51, SpeakerArr::k51, 1, kResultFalse},
        {SpeakerArr::kStereo, SpeakerArr::kStereo, 2, kResultFalse},
        {SpeakerArr::kStereo, SpeakerArr::kStereo, 0, kResultFalse},
        {SpeakerArr::kMono, SpeakerArr::kMono, 1, kResultOk},
    };
    for (const Case& c : cases) {
        SpeakerArrangement in[2] = {c.in, c.in};
        SpeakerArrangement out = c.out;
        EXPECT_EQ(processor->setBusArrangements(in, c.numIns, &out, 1), c.result)
            << std::hex << c.in << " " << c.out << " " << c.numIns;
    }
    EXPECT_EQ(processor->setBusArrangements(nullptr, 1, nullptr, 1), kResultFalse);

    BusInfo info{};
    SpeakerArrangement arrangement = 0;
    component->getBusInfo(kAudio, kInput, 0, info);
    EXPECT_EQ(Narrow(info.name), "Input");
    EXPECT_EQ(info.channelCount, 1);
    component->getBusInfo(kAudio, kOutput, 0, info);
    EXPECT_EQ(Narrow(info.name), "Output");
    processor->getBusArrangement(kOutput, 0, arrangement);
    EXPECT_EQ(arrangement, SpeakerArr::kMono);
}

TEST_F(Vst3EffectTest, ProcessesSingleAndDoublePrecisionOnly) {
    EXPECT_EQ(processor->canProcessSampleSize(kSample32), kResultOk);
    EXPECT_EQ(processor->canProcessSampleSize(kSample64), kResultOk);
    EXPECT_EQ(processor->canProcessSampleSize(2), kResultFalse);
    ProcessSetup setup{kRealtime, 2, maxBlock, 48000.0};
    EXPECT_EQ(processor->setupProcessing(setup), kResultFalse);
    setup = {kRealtime, kSample32, 0, 48000.0};
    EXPECT_EQ(processor->setupProcessing(setup), kInvalidArgument);
    EXPECT_EQ(processor->getLatencySamples(), 0u);
    EXPECT_EQ(processor->getTailSamples(), 0u);
}

TEST_F(Vst3EffectTest, OutputEqualsInputInSinglePrecision) {
    StartProcessing(kSample32);
    for (int block = 0; block < 3; ++block)
        EXPECT_TRUE(PassesAudio<float>(nullptr));
}

TEST_F(Vst3EffectTest, OutputEqualsInputInDoublePrecision) {
    StartProcessing(kSample64);
    for (int block = 0; block < 3; ++block)
        EXPECT_TRUE(PassesAudio<double>(nullptr));
}

TEST_F(Vst3EffectTest, OnlyTheLastPointOfAQueueApplies) {
    StartProcessing(kSample32);
    ApplyInBlock(lowTarget, {{0, 0.1}, {100, 0.9}, {200, 0.625}});
    EXPECT_NEAR(controller->getParamNormalized(lowTarget), 0.625, 1e-9);
}

TEST_F(Vst3EffectTest, PresetParameterLoadsThePresetAtItsValue) {
    StartProcessing(kSample32);
    ApplyInBlock(presetId, {{0, 1.0 / 29}}); // "Pop": low target -12.5
    EXPECT_NEAR(controller->getParamNormalized(lowTarget), (45 - 12.5) / 40, 1e-9);
    ApplyInBlock(presetId, {{0, 0.5}});
    EXPECT_NEAR(controller->getParamNormalized(presetId), 15.0 / 29, 1e-9);
    ApplyInBlock(presetId, {{0, 1.0}});
    EXPECT_NEAR(controller->getParamNormalized(presetId), 1.0, 1e-9);
}

TEST_F(Vst3EffectTest, BypassPassesAudioUnchanged) {
    StartProcessing(kSample64);
    ParameterChanges changes;
    changes.Add(bypassId, {{0, 0.7}});
    EXPECT_TRUE(PassesAudio<double>(&changes));
    EXPECT_EQ(controller->getParamNormalized(bypassId), 1.0);
    EXPECT_TRUE(PassesAudio<double>(nullptr));
}

TEST_F(Vst3EffectTest, StateIsNineDoublesAndComesBack) {
    MemoryStream saved;
    ASSERT_EQ(component->getState(&saved), kResultOk);
    ASSERT_EQ(saved.bytes.size(), 72u);
    double low = 0;
    std::memcpy(&low, saved.bytes.data() + lowTarget * sizeof(double), sizeof low);
    EXPECT_EQ(low, -20.0);

    controller->setParamNormalized(lowTarget, 1.0);
    saved.position = 0;
    EXPECT_EQ(component->setState(&saved), kResultOk);
    EXPECT_NEAR(controller->getParamNormalized(lowTarget), 0.625, 1e-9);
}

TEST_F(Vst3EffectTest, ShortStateRestoresWhatItHolds) {
    for (ParamID id : {targetKind, resetOnPlay})
        controller->setParamNormalized(id, id == targetKind ? 1.0 : 0.0);
    MemoryStream state(DoublesAsBytes({1000, 3000, -30, -25, -15}));
    EXPECT_EQ(component->setState(&state), kResultFalse);
    EXPECT_NEAR(
        controller->normalizedParamToPlain(freqLow, controller->getParamNormalized(freqLow)), 1000,
        1e-6);
    EXPECT_NEAR(controller->getParamNormalized(lowTarget), 15.0 / 40, 1e-9);
    // Parameters the data does not reach keep their values.
    EXPECT_EQ(controller->getParamNormalized(targetKind), 1.0);
    EXPECT_EQ(controller->getParamNormalized(resetOnPlay), 0.0);
}

TEST_F(Vst3EffectTest, StreamFailingHalfWayChangesNothing) {
    MemoryStream state(DoublesAsBytes({1000, 3000, -30, -25, -15, 1, 0, 0, 0}));
    state.failAt = 32;
    EXPECT_EQ(component->setState(&state), kResultFalse);
    EXPECT_NEAR(controller->getParamNormalized(lowTarget), 0.625, 1e-9);
    EXPECT_EQ(component->setState(nullptr), kInvalidArgument);
    EXPECT_EQ(component->getState(nullptr), kInvalidArgument);
}

TEST_F(Vst3EffectTest, StreamReportingFailureAtItsEndStillRestores) {
    MemoryStream state(DoublesAsBytes({1000, 3000, -30, -25, -15, 1, 0, 0, 0}));
    state.failsAtEnd = true;
    component->setState(&state);
    EXPECT_NEAR(controller->getParamNormalized(lowTarget), 15.0 / 40, 1e-9);
}

TEST_F(Vst3EffectTest, ControllerStateIsEmpty) {
    MemoryStream stream(DoublesAsBytes({1000}));
    EXPECT_EQ(controller->getState(&stream), kResultOk);
    EXPECT_EQ(controller->setState(&stream), kResultOk);
    EXPECT_EQ(stream.bytes.size(), 8u);
    EXPECT_EQ(stream.position, 0u);
    EXPECT_EQ(controller->setComponentState(&stream), kNotImplemented);
}

TEST_F(Vst3EffectTest, HostSeesPresetsFirstThenTheNineParameters) {
    ASSERT_EQ(controller->getParameterCount(), 10);
    ParameterInfo info{};
    ASSERT_EQ(controller->getParameterInfo(0, info), kResultOk);
    EXPECT_EQ(Narrow(info.title), "Presets");
    EXPECT_EQ(info.id, presetId);
    EXPECT_EQ(info.flags, kIsList | kIsProgramChange);
    EXPECT_EQ(info.stepCount, 29);
    ASSERT_EQ(controller->getParameterInfo(1, info), kResultOk);
    EXPECT_EQ(Narrow(info.title), "Freq low");
    EXPECT_EQ(Narrow(info.units), "Hz");
    EXPECT_EQ(info.id, 0u);
    EXPECT_EQ(info.stepCount, 19980);
    EXPECT_EQ(info.flags, kCanAutomate);
    ASSERT_EQ(controller->getParameterInfo(1 + lowTarget, info), kResultOk);
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_NEAR(info.defaultNormalizedValue, 0.625, 1e-9);
    EXPECT_EQ(controller->getParameterInfo(10, info), kResultFalse);
    EXPECT_EQ(controller->getParameterInfo(-1, info), kResultFalse);
}

TEST_F(Vst3EffectTest, ValuesAndTextsConvert) {
    String128 text{};
    ASSERT_EQ(controller->getParamStringByValue(lowTarget, 0.625, text), kResultOk);
    EXPECT_EQ(Narrow(text), "-20.0");
    ASSERT_EQ(controller->getParamStringByValue(targetKind, 0.5, text), kResultOk);
    EXPECT_EQ(Narrow(text), "Short Term");
    EXPECT_EQ(controller->getParamStringByValue(presetId, 0.5, text), kResultFalse);
    EXPECT_EQ(controller->getParamStringByValue(9, 0.5, text), kResultFalse);

    ParamValue value = -1;
    TChar typed[] = u" -25.0 lu";
    ASSERT_EQ(controller->getParamValueByString(lowTarget, typed, value), kResultOk);
    EXPECT_NEAR(value, 0.5, 1e-9);
    for (const char16_t* word : {u"loud", u"nan", u"-inf"}) {
        std::u16string text = word;
        ASSERT_EQ(controller->getParamValueByString(lowTarget, text.data(), value), kResultOk);
        EXPECT_EQ(value, 1.0); // no number reads as 0, the top of the range
    }
    EXPECT_EQ(controller->getParamValueByString(99, typed, value), kResultFalse);

    EXPECT_NEAR(controller->normalizedParamToPlain(lowTarget, 0.625), -20.0, 1e-9);
    EXPECT_NEAR(controller->plainParamToNormalized(lowTarget, -20.0), 0.625, 1e-9);
    EXPECT_NEAR(controller->plainParamToNormalized(presetId, 29), 1.0, 1e-9);
    EXPECT_EQ(controller->plainParamToNormalized(1234, 7.5), 7.5);
    EXPECT_EQ(controller->getParamNormalized(1234), 0.0);
    EXPECT_EQ(controller->setParamNormalized(1234, 0.5), kResultFalse);
    EXPECT_EQ(controller->setParamNormalized(lowTarget, std::nan("")), kInvalidArgument);
}

TEST_F(Vst3EffectTest, SettingThePresetIndexLoadsNothing) {
    ASSERT_EQ(controller->setParamNormalized(presetId, 1.0), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(presetId), 1.0);
    EXPECT_NEAR(controller->getParamNormalized(lowTarget), 0.625, 1e-9);
    ASSERT_EQ(controller->setParamNormalized(bypassId, 1.0), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(bypassId), 1.0);
}

TEST_F(Vst3EffectTest, RootUnitCarriesTheFactoryPresets) {
    EXPECT_EQ(units->getUnitCount(), 1);
    UnitInfo unit{};
    ASSERT_EQ(units->getUnitInfo(0, unit), kResultOk);
    EXPECT_EQ(unit.id, kRootUnitId);
    EXPECT_EQ(unit.parentUnitId, kNoParentUnitId);
    EXPECT_EQ(Narrow(unit.name), "Root Unit");
    EXPECT_EQ(unit.programListId, static_cast<ProgramListID>(presetId));
    EXPECT_EQ(units->getUnitInfo(1, unit), kResultFalse);

    ASSERT_EQ(units->getProgramListCount(), 1);
    ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
    EXPECT_EQ(Narrow(list.name), "Factory Presets");
    EXPECT_EQ(list.programCount, 30);
    EXPECT_EQ(units->getProgramListInfo(1, list), kResultFalse);

    String128 name{};
    ASSERT_EQ(units->getProgramName(presetId, 1, name), kResultOk);
    EXPECT_EQ(Narrow(name), "Pop");
    ASSERT_EQ(units->getProgramName(presetId, 30, name), kResultOk);
    EXPECT_EQ(Narrow(name), "");
    EXPECT_EQ(units->getProgramName(1, 1, name), kResultFalse);
    EXPECT_EQ(units->getSelectedUnit(), kRootUnitId);
}

TEST_F(Vst3EffectTest, ViewsOfAPlugInWithoutEditorRefuseEveryPlatform) {
    IPlugView* first = controller->createView("editor");
    IPlugView* second = controller->createView("editor");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(controller->createView("other"), nullptr);
    EXPECT_EQ(controller->createView(nullptr), nullptr);
    for (const char* type : {"HWND", "X11EmbedWindowID", "NSView"})
        EXPECT_EQ(first->isPlatformTypeSupported(type), kResultFalse) << type;
    EXPECT_EQ(first->attached(nullptr, "HWND"), kResultFalse);
    ViewRect size{};
    EXPECT_EQ(first->getSize(&size), kResultFalse);
    PlugFrame frame;
    EXPECT_EQ(first->setFrame(&frame), kResultOk);
    EXPECT_EQ(first->removed(), kResultOk);
    first->setFrame(nullptr);
    EXPECT_EQ(frame.references, 1u);
    EXPECT_EQ(first->release(), 0u);
    EXPECT_EQ(second->release(), 0u);
}

TEST_F(Vst3EffectTest, ProcessRefusesCallsItCannotServe) {
    StereoBlock<float> block(64);
    EXPECT_EQ(processor->process(block.data), kNotInitialized);
    StartProcessing(kSample32);
    block.data.numSamples = -1;
    EXPECT_EQ(processor->process(block.data), kInvalidArgument);
    block.data.numSamples = 64;
    block.data.symbolicSampleSize = kSample64;
    EXPECT_EQ(processor->process(block.data), kInvalidArgument);
    block.data.symbolicSampleSize = kSample32;
    block.data.inputs = nullptr;
    EXPECT_EQ(processor->process(block.data), kInvalidArgument);
}

TEST_F(Vst3EffectTest, ProcessCopesWithOddBlocks) {
    StartProcessing(kSample32);
    EXPECT_TRUE(PassesAudio<float>(nullptr, 3 * maxBlock + 7));
    EXPECT_TRUE(PassesAudio<float>(nullptr, 0));

    StereoBlock<float> block(64);
    block.data.numInputs = block.data.numOutputs = 0;
    EXPECT_EQ(processor->process(block.data), kResultOk);

    ParameterChanges changes;
    changes.Add(1234, {{0, 0.5}});
    changes.Add(0x7FFFFFFF, {{0, 0.5}});
    changes.Add(lowTarget, {{0, std::nan("")}});
    changes.Add(freqLow, {});
    EXPECT_TRUE(PassesAudio<float>(&changes));
    EXPECT_NEAR(controller->getParamNormalized(lowTarget), 0.625, 1e-9);
}

} // namespace
