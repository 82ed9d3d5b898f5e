#include "adapters/vst3/IEffectVST3.h"

#include "adapters/vst3/IEffectVST3View.h"
#include "adapters/vst3/base/Text16.h"
#include "framework/IGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace vst3;

namespace {

constexpr int hostWavelab = 28;
constexpr int statePiece = 128;

SpeakerArrangement ArrangementFor(int channels) {
    switch (channels) {
    case 1:
        return SpeakerArr::kMono;
    case 2:
        return SpeakerArr::kStereo;
    case 3:
        return SpeakerArr::k30Music;
    case 4:
        return SpeakerArr::kBFormat;
    case 5:
        return SpeakerArr::k50;
    case 6:
        return SpeakerArr::k51;
    default:
        return SpeakerArr::kEmpty;
    }
}

// kResultFalse is how some streams say that nothing is left; only real failures count.
bool StreamFailed(tresult result) {
    return result != kResultOk && result != kResultFalse;
}

std::unique_ptr<AudioBus> MainAudioBus(const char* name, int channels) {
    return std::make_unique<AudioBus>(name, kMain, kDefaultActive, ArrangementFor(channels));
}

// Puts a new main bus of `channels` channels in place of bus 0 when it has another count.
void FitMainBus(BusList& list, const char* name, int channels) {
    const Bus* bus = list.at(0);
    if (bus && bus->channelCount() != channels)
        list.replace(0, MainAudioBus(name, channels));
}

bool IsUsable(const ProcessData& data, int32 sampleSize) {
    return data.numSamples >= 0 && data.symbolicSampleSize == sampleSize &&
           (data.numInputs <= 0 || data.inputs) && (data.numOutputs <= 0 || data.outputs);
}

} // namespace

IEffectVST3::IEffectVST3(const EffectConfig& config, const HostContext&)
    : IEffectBase(config, HostApiVst3),
      sideChainChannels(std::clamp(config.sideChainChannels, 0, InputChannelCount())) {
    inputBusNames.push_back("Main Input");
    if (sideChainChannels > 0)
        inputBusNames.push_back("Aux Input");
    if (isInstrument) {
        for (int pair = 1; pair <= (OutputChannelCount() + 1) / 2; ++pair) {
            char name[32];
            std::snprintf(name, sizeof name, "Output %i", pair);
            outputBusNames.push_back(name);
        }
    } else {
        outputBusNames.push_back("Output");
    }
    ConnectInputChannels(0, InputChannelCount(), true);
    ConnectOutputChannels(0, OutputChannelCount(), true);
}

IEffectVST3::~IEffectVST3() = default;

bool IEffectVST3::OfflineRenderActive() {
    return processSetup.processMode == kOffline;
}

int IEffectVST3::QueryTransportState() {
    if (processContext.state & kPlaying)
        return 1;
    return (processContext.state & kRecording) ? 2 : 0;
}

bool IEffectVST3::QueryTransportInfo(TransportInfo* info) {
    const bool looping = processContext.state & kCycleActive;
    if (!info)
        return looping;
    info->tempo = processContext.tempo;
    info->samplePosition = processContext.projectTimeSamples;
    info->ppqPosition = processContext.projectTimeMusic;
    info->lastBarPosition = processContext.barPositionMusic;
    info->loopStart = processContext.cycleStartMusic;
    info->loopEnd = processContext.cycleEndMusic;
    info->numerator = processContext.timeSigNumerator;
    info->denominator = processContext.timeSigDenominator;
    info->playing = processContext.state & kPlaying;
    info->looping = looping;
    return looping;
}

void IEffectVST3::BeginParamEdit(int paramIndex) {
    beginEdit(static_cast<ParamID>(paramIndex));
}

void IEffectVST3::HostSetParamValue(int paramIndex, double normalised) {
    performEdit(static_cast<ParamID>(paramIndex), normalised);
}

void IEffectVST3::EndParamEdit(int paramIndex) {
    endEdit(static_cast<ParamID>(paramIndex));
}

int IEffectVST3::CurrentSamplePosition() {
    return static_cast<int>(static_cast<uint32_t>(processContext.projectTimeSamples));
}

double IEffectVST3::CurrentTempo() {
    return processContext.tempo;
}

void IEffectVST3::CurrentTimeSignature(int* numerator, int* denominator) {
    if (numerator)
        *numerator = processContext.timeSigNumerator;
    if (denominator)
        *denominator = processContext.timeSigDenominator;
}

void IEffectVST3::ChangeLatency(int samples) {
    IEffectBase::ChangeLatency(samples);
    if (componentHandler)
        componentHandler->restartComponent(kLatencyChanged);
}

tresult IEffectVST3::initialize(FUnknown* context) {
    const tresult result = SingleComponentEffect::initialize(context);
    IdentifyHostOf(context);
    if (result == kResultOk) {
        AddBuses();
        AddParameters();
    }
    NotifyHostConnected();
    return result;
}

void IEffectVST3::IdentifyHostOf(FUnknown* context) {
    IPtr<IHostApplication> application;
    QueryInterface(context, application);
    if (!application)
        return;
    String128 wide = {};
    application->getName(wide);
    char name[kText128Length + 1];
    NarrowText(name, wide);
    IdentifyHost(name, 0);
}

void IEffectVST3::AddBuses() {
    const int mainInputs = MainInputChannels();
    if (mainInputs >= 1 && mainInputs <= 6)
        audioInputs.append(MainAudioBus(inputBusNames[0].c_str(), mainInputs));
    if (isInstrument) {
        for (const std::string& name : outputBusNames)
            audioOutputs.append(MainAudioBus(name.c_str(), 2));
    } else {
        audioOutputs.append(MainAudioBus(outputBusNames[0].c_str(), OutputChannelCount()));
    }
    if (sideChainChannels > 0) {
        sideChainChannels = std::min(sideChainChannels, 2);
        audioInputs.append(std::make_unique<AudioBus>(inputBusNames[1].c_str(), kAux, 0,
                                                      ArrangementFor(sideChainChannels)));
    }
    if (midiMode != 0)
        eventInputs.append(std::make_unique<EventBus>("MIDI Input", kMain, kDefaultActive, 1));
}

tresult IEffectVST3::terminate() {
    views.clear();
    unitNames.clear();
    return SingleComponentEffect::terminate();
}

tresult IEffectVST3::getControllerClassId(TUID) {
    return kNotImplemented;
}

tresult IEffectVST3::setIoMode(int32) {
    return kNotImplemented;
}

tresult IEffectVST3::getRoutingInfo(RoutingInfo&, RoutingInfo&) {
    return kNotImplemented;
}

tresult IEffectVST3::setActive(TBool state) {
    NotifyRunning(state != 0);
    return kResultOk;
}

tresult IEffectVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                        SpeakerArrangement* outputs, int32 numOuts) {
    if (!inputs || !outputs || numIns < 1 || numOuts < 1)
        return kResultFalse;
    ConnectInputChannels(0, InputChannelCount(), false);
    ConnectOutputChannels(0, OutputChannelCount(), false);
    const int inputCount = getChannelCount(inputs[0]);
    const int outputCount = getChannelCount(outputs[0]);
    if (!AcceptsChannelCounts(inputCount, outputCount))
        return kResultFalse;
    FitMainBus(audioInputs, "Input", inputCount);
    FitMainBus(audioOutputs, "Output", outputCount);
    if (sideChainChannels == 0)
        return numIns == 1 ? kResultOk : kResultFalse;
    if (numIns != 2)
        return kResultFalse;
    const int auxCount = getChannelCount(inputs[1]);
    const Bus* aux = audioInputs.at(1);
    if (aux && aux->channelCount() != auxCount)
        audioInputs.replace(
            1, std::make_unique<AudioBus>("Sidechain Input", kAux, 0, ArrangementFor(auxCount)));
    return kResultOk;
}

tresult IEffectVST3::canProcessSampleSize(int32 symbolicSampleSize) {
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultOk
                                                                              : kResultFalse;
}

uint32 IEffectVST3::getLatencySamples() {
    return static_cast<uint32>(std::max(latencySamples, 0));
}

tresult IEffectVST3::setupProcessing(ProcessSetup& setup) {
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultOk)
        return kResultFalse;
    if (setup.maxSamplesPerBlock < 1)
        return kInvalidArgument;
    bypassed = false;
    sampleRate = setup.sampleRate;
    ResizeBlockBuffers(setup.maxSamplesPerBlock);
    ResetProcessing();
    processSetup = setup;
    return kResultOk;
}

tresult IEffectVST3::setProcessing(TBool) {
    return kNotImplemented;
}

tresult IEffectVST3::process(ProcessData& data) {
    if (blockSize <= 0)
        return kNotInitialized;
    if (!IsUsable(data, processSetup.symbolicSampleSize))
        return kInvalidArgument;
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (data.processContext)
        processContext = *data.processContext;
    ApplyParameterChanges(data.inputParameterChanges);
    if (midiMode != 0)
        HandleEvents(data.inputEvents);
    AttachInputs(data);
    AttachOutputs(data);
    if (bypassed)
        RunBypassedBlock(data.numSamples);
    else
        RunBlock(data.numSamples);
    return kResultOk;
}

// Every queue counts with its last point only, applied before the audio of the block.
void IEffectVST3::ApplyParameterChanges(IParameterChanges* changes) {
    const int32 count = changes ? changes->getParameterCount() : 0;
    for (int32 i = 0; i < count; ++i) {
        IParamValueQueue* queue = changes->getParameterData(i);
        const int32 points = queue ? queue->getPointCount() : 0;
        int32 offset = 0;
        ParamValue value = 0;
        if (points > 0 && queue->getPoint(points - 1, offset, value) == kResultOk)
            ApplyHostValue(queue->getParameterId(), value);
    }
}

void IEffectVST3::ApplyHostValue(ParamID id, double value) {
    if (std::isnan(value))
        return;
    value = std::clamp(value, 0.0, 1.0);
    if (id == bypassId) {
        bypassed = value > 0.5;
    } else if (id == presetId) {
        LoadPreset(PresetIndexFor(value));
    } else if (PlugParam* param = ParamAt(static_cast<int>(id))) {
        param->SetFromNormalized(value);
        if (editor)
            editor->ShowParamValue(static_cast<int>(id), value, true);
        NotifyParamChanged(static_cast<int>(id));
    }
}

void IEffectVST3::HandleEvents(IEventList* events) {
    const int32 count = events ? events->getEventCount() : 0;
    for (int32 i = 0; i < count; ++i) {
        Event event{};
        if (events->getEvent(i, event) != kResultOk)
            continue;
        MidiMessage message{event.sampleOffset, 0, 0, 0};
        if (event.type == kNoteOnEvent) {
            const float velocity = std::clamp(event.noteOn.velocity, 0.0f, 1.0f);
            message.status = static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F));
            message.data1 = static_cast<uint8_t>(event.noteOn.pitch & 0x7F);
            message.data2 = static_cast<uint8_t>(velocity * 127);
        } else if (event.type == kNoteOffEvent) {
            message.status = static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F));
            message.data1 = static_cast<uint8_t>(event.noteOff.pitch & 0x7F);
        } else {
            continue;
        }
        HandleMidiMessage(&message);
    }
}

// Connects the channels `first` .. `first + count - 1` that the host bus carries, gives them
// its buffers and disconnects the rest of the range.
void IEffectVST3::AttachInputBus(const AudioBusBuffers& bus, int first, int count) {
    const int carried = std::clamp(bus.numChannels, 0, count);
    ConnectInputChannels(first, carried, true);
    ConnectInputChannels(first + carried, count - carried, false);
    if (processSetup.symbolicSampleSize == kSample64)
        AttachInputBuffers(first, carried, bus.channelBuffers64);
    else
        AttachInputBuffers(first, carried, const_cast<const float* const*>(bus.channelBuffers32));
}

void IEffectVST3::AttachInputs(const ProcessData& data) {
    if (data.numInputs < 1)
        return;
    const int mainInputs = MainInputChannels();
    AttachInputBus(data.inputs[0], 0, mainInputs);
    if (sideChainChannels == 0)
        return;
    const Bus* aux = audioInputs.at(1);
    const bool sideChainActive = aux && aux->isActive() && data.numInputs > 1;
    if (sideChainActive) {
        AttachInputBus(data.inputs[1], mainInputs, sideChainChannels);
    } else {
        ConnectInputChannels(mainInputs, sideChainChannels, false);
        if (sideChainWasActive)
            for (int i = mainInputs; i < InputChannelCount(); ++i)
                std::fill(inputPorts[i].scratch.begin(), inputPorts[i].scratch.end(), 0.0);
    }
    sideChainWasActive = sideChainActive;
}

// Output buses take the plug-in's output channels in order; a bus the host deactivated
// leaves its channels unconnected, so its buffers are not written.
void IEffectVST3::AttachOutputs(const ProcessData& data) {
    int first = 0;
    for (int32 j = 0; j < data.numOutputs; ++j) {
        const AudioBusBuffers& bus = data.outputs[j];
        const int count = std::clamp(bus.numChannels, 0, OutputChannelCount());
        const Bus* own = audioOutputs.at(j);
        ConnectOutputChannels(first, count, own && own->isActive());
        ConnectOutputChannels(first + count, OutputChannelCount(), false);
        if (processSetup.symbolicSampleSize == kSample64)
            AttachOutputBuffers(first, count, bus.channelBuffers64);
        else
            AttachOutputBuffers(first, count, bus.channelBuffers32);
        first = std::min(first + count, OutputChannelCount());
    }
}

uint32 IEffectVST3::getTailSamples() {
    return static_cast<uint32>(std::max(tailSamples, 0));
}

// A stream that fails before its end leaves the parameters as they were.
tresult IEffectVST3::loadComponentState(IBStream* state) {
    if (!state)
        return kInvalidArgument;
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    ChunkBuffer chunk;
    if (!ReadWholeStream(state, chunk))
        return kResultFalse;
    const int end = ReadState(&chunk, 0);
    RefreshEditorFromParams();
    if (end < 0)
        return kResultFalse;
    state->seek(end, kIBSeekSet, nullptr);
    char trailing[4];
    int32 trailingRead = 0;
    return StreamFailed(state->read(trailing, sizeof trailing, &trailingRead)) ? kResultFalse
                                                                               : kResultOk;
}

// Reads until a read delivers nothing, whatever that read reports: some streams report a
// failure once they are at their end. A failure on a read that delivers data means the stream
// broke off. WaveLab's streams report failures on reads that deliver data, so for it the data
// counts and reading goes on.
bool IEffectVST3::ReadWholeStream(IBStream* state, ChunkBuffer& chunk) const {
    char piece[statePiece];
    for (;;) {
        int32 delivered = 0;
        const bool failed = StreamFailed(state->read(piece, statePiece, &delivered));
        delivered = std::clamp(delivered, 0, statePiece);
        if (delivered == 0)
            return true;
        if (failed && hostId != hostWavelab)
            return false;
        chunk.AppendBytes(piece, delivered);
    }
}

tresult IEffectVST3::saveComponentState(IBStream* state) {
    if (!state)
        return kInvalidArgument;
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    ChunkBuffer chunk;
    if (!WriteState(&chunk)) {
        int32 bypassFlag = bypassed ? 1 : 0;
        state->write(&bypassFlag, sizeof bypassFlag, nullptr);
        return kResultFalse;
    }
    int32 written = 0;
    return StreamFailed(state->write(chunk.Data(), chunk.Size(), &written)) ? kResultFalse
                                                                            : kResultOk;
}

FUnknown* IEffectVST3::FindInterface(const TUID iid) {
    if (IUnitInfo::iid.Matches(iid))
        return static_cast<IUnitInfo*>(this);
    return SingleComponentEffect::FindInterface(iid);
}
