// IEffectVST3 with a small probe plug-in on top: what the plug-in sees of the host
// (transport, gestures, editor views), which the module's host-facing interfaces hide.
#include "HostObjects.h"
#include "adapters/vst3/IEffectVST3.h"
#include "adapters/vst3/IEffectVST3View.h"
#include "framework/IGraphics.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vst3;

namespace {

const EffectConfig probeConfig = {
    2, "2-2", 3, "Probe", "", "Palund", 0x10000, 0x50726f62, 0x50616c64, 0, false, false, false, 0,
};

class NullEditor : public IGraphics {
public:
    void ShowParamValue(int, double, bool) override {}
    void PrepareDrawing() override {}
    void StartEditEndCountdown(int) override {}
    void CancelEditEndCountdown() override {}
    int FrameRate() const override { return 24; }
};

class ProbeEffect : public IEffectVST3 {
public:
    ProbeEffect() : IEffectVST3(probeConfig, HostContext{}) {
        ParamAt(0)->DefineContinuous("Gain", 0.0, -10.0, 10.0, 0.1, "dB");
        ParamAt(1)->DefineInteger("Mode", 1, 0, 3, "");
    }

    void NotifyParamChanged(int paramIndex) override {
        announced.push_back(paramIndex);
        processingEnabled = true;
    }
    void ProcessBlock(double** inputs, double** outputs, int frames) override {
        ++blocks;
        transportInBlock = QueryTransportState();
        IEffectBase::ProcessBlock(inputs, outputs, frames);
    }
    void NotifyEditorOpened() override { ++opened; }
    void NotifyEditorClosed() override { ++closed; }
    void NotifyEditorResized() override { ++resized; }

    std::vector<int> announced;
    int blocks = 0;
    int transportInBlock = -1;
    int opened = 0;
    int closed = 0;
    int resized = 0;
};

class Vst3AdapterTest : public ::testing::Test {
protected:
    void TearDown() override {
        effect->terminate();
        EXPECT_EQ(effect->release(), 0u);
        EXPECT_EQ(host.references, 1u);
        EXPECT_EQ(handler.references, 1u);
    }

    void Start(int32 processMode = kRealtime) {
        ASSERT_EQ(effect->initialize(&host), kResultOk);
        ProcessSetup setup{processMode, kSample64, 64, 44100.0};
        ASSERT_EQ(effect->setupProcessing(setup), kResultOk);
        effect->setActive(true);
    }

    // One block of 64 frames of a ramp; true when the output equals the input.
    bool Process(ProcessContext* context = nullptr, ParameterChanges* changes = nullptr) {
        std::vector<double> in[2], out[2];
        double* inputs[2];
        double* outputs[2];
        for (int c = 0; c < 2; ++c) {
            in[c].resize(64);
            out[c].assign(64, 9.0);
            for (int n = 0; n < 64; ++n)
                in[c][n] = 0.01 * n - c;
            inputs[c] = in[c].data();
            outputs[c] = out[c].data();
        }
        AudioBusBuffers inBus{2, 0, {}};
        AudioBusBuffers outBus{2, 0, {}};
        inBus.channelBuffers64 = inputs;
        outBus.channelBuffers64 = outputs;
        ProcessData data{};
        data.symbolicSampleSize = kSample64;
        data.numSamples = 64;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &inBus;
        data.outputs = &outBus;
        data.inputParameterChanges = changes;
        data.processContext = context;
        EXPECT_EQ(effect->process(data), kResultOk);
        return in[0] == out[0] && in[1] == out[1];
    }

    IEffectVST3View* CreateView() {
        return static_cast<IEffectVST3View*>(effect->createView("editor"));
    }

    HostApplication host{u"REAPER x64"};
    ComponentHandler handler;
    ProbeEffect* effect = new ProbeEffect;
};

TEST_F(Vst3AdapterTest, InitializeAnnouncesEveryParameterOnceAndIdentifiesTheHost) {
    EXPECT_EQ(effect->hostId, -1);
    ASSERT_EQ(effect->initialize(&host), kResultOk);
    EXPECT_EQ(effect->announced, (std::vector<int>{0, 1}));
    EXPECT_EQ(effect->hostId, 1);
    EXPECT_EQ(effect->initialize(&host), kResultFalse);
    EXPECT_EQ(effect->announced.size(), 2u);
}

TEST_F(Vst3AdapterTest, HostWithoutApplicationStaysUnidentified) {
    ASSERT_EQ(effect->initialize(nullptr), kResultOk);
    EXPECT_EQ(effect->hostId, -1);
    EXPECT_EQ(effect->getParameterCount(), 3);
}

TEST_F(Vst3AdapterTest, BypassCopiesWithoutTheProcessingRoutine) {
    Start();
    EXPECT_TRUE(Process());
    EXPECT_EQ(effect->blocks, 1);
    ParameterChanges changes;
    changes.Add(IEffectVST3::bypassId, {{0, 0.7}});
    EXPECT_TRUE(Process(nullptr, &changes));
    EXPECT_EQ(effect->blocks, 1);
    ProcessSetup setup{kRealtime, kSample64, 64, 44100.0};
    effect->setupProcessing(setup);
    EXPECT_FALSE(effect->bypassed);
}

TEST_F(Vst3AdapterTest, TransportFollowsTheLastContextGiven) {
    Start();
    EXPECT_EQ(effect->QueryTransportState(), 0);
    EXPECT_EQ(effect->CurrentTempo(), 0.0);
    EXPECT_FALSE(effect->OfflineRenderActive());

    ProcessContext context{};
    context.state = kPlaying | kCycleActive;
    context.tempo = 120.0;
    context.projectTimeSamples = (int64{1} << 32) + 5;
    context.projectTimeMusic = 8.0;
    context.cycleEndMusic = 16.0;
    context.timeSigNumerator = 3;
    context.timeSigDenominator = 4;
    Process(&context);
    EXPECT_EQ(effect->transportInBlock, 1);
    Process();
    EXPECT_EQ(effect->transportInBlock, 1);
    EXPECT_EQ(effect->CurrentSamplePosition(), 5);
    int numerator = 0, denominator = 0;
    effect->CurrentTimeSignature(&numerator, &denominator);
    EXPECT_EQ(numerator * 10 + denominator, 34);

    TransportInfo info{};
    EXPECT_TRUE(effect->QueryTransportInfo(&info));
    EXPECT_EQ(info.tempo, 120.0);
    EXPECT_EQ(info.samplePosition, context.projectTimeSamples);
    EXPECT_EQ(info.ppqPosition, 8.0);
    EXPECT_EQ(info.loopEnd, 16.0);
    EXPECT_TRUE(info.playing);

    context.state = kRecording;
    Process(&context);
    EXPECT_EQ(effect->transportInBlock, 2);
    EXPECT_FALSE(effect->QueryTransportInfo(&info));
}

TEST_F(Vst3AdapterTest, OfflineProcessModeIsReported) {
    Start(kOffline);
    EXPECT_TRUE(effect->OfflineRenderActive());
}

TEST_F(Vst3AdapterTest, GesturesAndLatencyReachTheComponentHandler) {
    Start();
    effect->ChangeLatency(32);
    EXPECT_EQ(effect->getLatencySamples(), 32u);
    effect->setComponentHandler(&handler);
    effect->BeginParamEdit(1);
    effect->HostSetParamValue(1, 0.25);
    effect->EndParamEdit(1);
    effect->ChangeLatency(64);
    EXPECT_EQ(handler.calls,
              (std::vector<std::string>{"begin 1", "perform 1 0.250000", "end 1", "restart 8"}));
    EXPECT_EQ(effect->getLatencySamples(), 64u);
}

TEST_F(Vst3AdapterTest, ViewsComeAndGoIndependently) {
    Start();
    IEffectVST3View* first = CreateView();
    IEffectVST3View* second = CreateView();
    EXPECT_EQ(effect->views, (std::vector<IEffectVST3View*>{first, second}));
    first->release();
    EXPECT_EQ(effect->views, (std::vector<IEffectVST3View*>{second}));
    second->release();
    EXPECT_TRUE(effect->views.empty());
}

TEST_F(Vst3AdapterTest, ViewOfAPlugInWithEditor) {
    Start();
    effect->AttachEditor(new NullEditor);
    IEffectVST3View* view = CreateView();
    EXPECT_EQ(view->isPlatformTypeSupported("HWND"), kResultTrue);
    EXPECT_EQ(view->isPlatformTypeSupported("X11EmbedWindowID"), kResultFalse);
    EXPECT_EQ(view->attached(nullptr, "X11EmbedWindowID"), kResultOk);
    EXPECT_EQ(effect->opened, 1);
    EXPECT_EQ(view->removed(), kResultOk);
    EXPECT_EQ(effect->closed, 1);
    view->release();
}

TEST_F(Vst3AdapterTest, ResizeAsksTheFrameAndNotifiesOnceGranted) {
    Start();
    effect->AttachEditor(new NullEditor);
    IEffectVST3View* view = CreateView();
    effect->ResizeEditor(700, 520); // no frame yet: nothing to ask
    PlugFrame frame;
    view->setFrame(&frame);
    effect->ResizeEditor(700, 520);
    ASSERT_EQ(frame.requests.size(), 1u);
    EXPECT_EQ(frame.requests[0].right * 1000 + frame.requests[0].bottom, 700520);
    EXPECT_EQ(effect->resized, 1);
    ViewRect hostSize{0, 0, 640, 480};
    view->onSize(&hostSize);
    EXPECT_EQ(effect->resized, 1);
    view->setFrame(nullptr);
    EXPECT_EQ(frame.references, 1u);
    view->release();
}

TEST_F(Vst3AdapterTest, ContextMenuComesFromTheHost) {
    Start();
    effect->setComponentHandler(&handler);
    effect->ShowHostContextMenu(1, 10, 20);
    EXPECT_TRUE(handler.calls.empty());
    IEffectVST3View* view = CreateView();
    effect->ShowHostContextMenu(1, 10, 20);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"menu 1"}));
    ASSERT_EQ(handler.menu.popups.size(), 1u);
    EXPECT_EQ(handler.menu.popups[0], std::make_pair(10, 20));
    EXPECT_EQ(handler.menu.references, 1u);
    view->release();
}

} // namespace
