#include "adapters/vst2/IEffectVST2.h"

#include "framework/IGraphics.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr VstInt32 vstVersion = 2400;
constexpr VstInt32 identifyAnswer = FourCharCode("NvEf");
constexpr VstIntPtr vendorSpecificAnswer = 0xBEEF;
// Scratch buffers are never made longer than this; longer host blocks run in slices.
constexpr VstIntPtr maxBlockFrames = 1 << 16;
constexpr int hostTextSize = kVstMaxNameLen;

// The host's vendor version as 0xMMMMmmpp. Hosts send it in decimal, either as
// major x 10000 + minor x 100 + patch (80005 for 8.0.5, the plug-in's own form) or, with a
// one-digit major, as major x 1000 + minor x 100 + patch (8005 for 8.0.5).
int VersionCodeFromDecimal(VstIntPtr decimal) {
    if (decimal < 0 || decimal > INT_MAX) {
        return 0;
    }
    const VstIntPtr majorUnit = decimal < 10000 ? 1000 : 10000;
    const auto major = static_cast<unsigned>(decimal / majorUnit) & 0xffffu;
    const auto minor = static_cast<unsigned>(decimal % majorUnit / 100);
    const auto patch = static_cast<unsigned>(decimal % 100);
    return static_cast<int>(major << 16 | minor << 8 | patch);
}

VstInt32 ArrangementType(int channels) {
    switch (channels) {
    case 0:
        return kSpeakerArrEmpty;
    case 1:
        return kSpeakerArrMono;
    case 2:
        return kSpeakerArrStereo;
    default:
        return kSpeakerArrUserDefined;
    }
}

void CopyToHost(void* out, const char* text) {
    std::strcpy(static_cast<char*>(out), text);
}

IEffectVST2* PluginOf(AEffect* e) {
    return e ? static_cast<IEffectVST2*>(e->object) : nullptr;
}

// The number of channels an arrangement asks for, within what the plug-in has.
int ArrangedChannels(const VstSpeakerArrangement* arrangement, int channels) {
    return std::clamp(static_cast<int>(arrangement->numChannels), 0, channels);
}

} // namespace

IEffectVST2::IEffectVST2(const EffectConfig& config, const HostContext& host)
    : IEffectBase(config, HostApiVst2), hostCallback(host.hostCallback) {
    FillEffect();
    inputArrangement.type = ArrangementType(InputChannelCount());
    inputArrangement.numChannels = InputChannelCount();
    outputArrangement.type = ArrangementType(OutputChannelCount());
    outputArrangement.numChannels = OutputChannelCount();
    ConnectInputChannels(0, InputChannelCount(), true);
    ConnectOutputChannels(0, OutputChannelCount(), true);
    ResizeBlockBuffers(1024);
}

void IEffectVST2::FillEffect() {
    effect.magic = kEffectMagic;
    effect.dispatcher = &DispatcherProc;
    effect.process = &ProcessProc;
    effect.setParameter = &SetParameterProc;
    effect.getParameter = &GetParameterProc;
    effect.processReplacing = &ProcessReplacingProc;
    effect.processDoubleReplacing = &ProcessDoubleReplacingProc;
    effect.numPrograms = std::max(1, PresetCount());
    effect.numParams = ParamCount();
    effect.numInputs = InputChannelCount();
    effect.numOutputs = OutputChannelCount();
    effect.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
    if (usesChunks) {
        effect.flags |= effFlagsProgramChunks;
    }
    if (AcceptsChannelCounts(1, -1)) {
        effect.flags |= effFlagsCanMono;
    }
    if (isInstrument) {
        effect.flags |= effFlagsIsSynth;
    }
    effect.initialDelay = latencySamples;
    effect.ioRatio = 1.0f;
    effect.object = this;
    effect.uniqueID = uniqueId;
    effect.version = VersionNumber(true);
}

AEffect* IEffectVST2::HostEffect() {
    if (PresetCount() == 0) {
        presets.emplace_back();
        AddDefaultPresets("Default", 1);
    }
    effect.numPrograms = std::max(1, PresetCount());
    return &effect;
}

// Host callback and the base operations that use it.

VstIntPtr IEffectVST2::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
    return hostCallback ? hostCallback(&effect, opcode, index, value, ptr, opt) : 0;
}

const VstTimeInfo* IEffectVST2::QueryTimeInfo(VstInt32 wantedFlags) {
    return reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, wantedFlags));
}

int IEffectVST2::QueryTransportState() {
    const VstTimeInfo* time = QueryTimeInfo(0);
    if (!time) {
        return 0;
    }
    if (time->flags & kVstTransportPlaying) {
        return 1;
    }
    return (time->flags & kVstTransportRecording) ? 2 : 0;
}

int IEffectVST2::CurrentSamplePosition() {
    const VstTimeInfo* time = QueryTimeInfo(0);
    if (!time || !(time->samplePos >= 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(time->samplePos + 0.5, static_cast<double>(INT_MAX)));
}

double IEffectVST2::CurrentTempo() {
    const VstTimeInfo* time = QueryTimeInfo(kVstTempoValid);
    if (!time || !(time->flags & kVstTempoValid) || !(time->tempo >= 0.0)) {
        return 0.0;
    }
    return time->tempo;
}

void IEffectVST2::CurrentTimeSignature(int* numerator, int* denominator) {
    *numerator = 0;
    *denominator = 0;
    const VstTimeInfo* time = QueryTimeInfo(kVstTimeSigValid);
    if (time && (time->flags & kVstTimeSigValid) && time->timeSigNumerator >= 0 &&
        time->timeSigDenominator >= 0) {
        *numerator = time->timeSigNumerator;
        *denominator = time->timeSigDenominator;
    }
}

void IEffectVST2::BeginParamEdit(int paramIndex) {
    FlushDelayedEditEnd();
    CallHost(audioMasterBeginEdit, paramIndex);
}

void IEffectVST2::BeginWheelEdit(int paramIndex) {
    Lock lock(pluginLock);
    if (paramIndex != pendingWheelParam) {
        FlushDelayedEditEnd();
        CallHost(audioMasterBeginEdit, paramIndex);
    }
}

void IEffectVST2::HostSetParamValue(int paramIndex, double normalised) {
    CallHost(audioMasterAutomate, paramIndex, 0, nullptr, static_cast<float>(normalised));
}

void IEffectVST2::EndParamEdit(int paramIndex) {
    CallHost(audioMasterEndEdit, paramIndex);
}

void IEffectVST2::HostNotifyProgramChanged() {
    CallHost(audioMasterUpdateDisplay);
}

int IEffectVST2::GetHostId() {
    if (hostId == -1) {
        char product[256] = {};
        CallHost(audioMasterGetProductString, 0, 0, product);
        product[sizeof product - 1] = '\0';
        const int version =
            product[0] ? VersionCodeFromDecimal(CallHost(audioMasterGetVendorVersion)) : 0;
        IdentifyHost(product, version);
    }
    return hostId;
}

void IEffectVST2::ApplyHostQuirks() {
    if (quirksApplied) {
        return;
    }
    quirksApplied = true;
    const int id = GetHostId();
    if (id == 15 || id == 17 || id == 18 || id == 20) {
        // These hosts handle no more than a stereo pair.
        ConnectInputChannels(2, InputChannelCount() - 2, false);
        if (OutputChannelCount() >= 3) {
            ConnectOutputChannels(2, OutputChannelCount() - 2, true);
        }
    }
    effect.numInputs = inputArrangement.numChannels = InputChannelCount();
    effect.numOutputs = outputArrangement.numChannels = OutputChannelCount();
}

void IEffectVST2::ResizeEditor(int width, int height) {
    if (!editor) {
        return;
    }
    editRect = {0, 0, static_cast<VstInt16>(height), static_cast<VstInt16>(width)};
    NotifyEditorResized();
}

void IEffectVST2::AttachEditor(IGraphics* newEditor) {
    IEffectBase::AttachEditor(newEditor);
    if (editor) {
        effect.flags |= effFlagsHasEditor;
    }
}

void IEffectVST2::ChangeLatency(int samples) {
    IEffectBase::ChangeLatency(samples);
    effect.initialDelay = samples;
}

bool IEffectVST2::SendEvent(VstEvent* event) {
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = event;
    return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IEffectVST2::SendMidiMessage(const MidiMessage* message) {
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof event;
    event.deltaFrames = message->offset;
    event.midiData[0] = static_cast<char>(message->status);
    event.midiData[1] = static_cast<char>(message->data1);
    event.midiData[2] = static_cast<char>(message->data2);
    return SendEvent(reinterpret_cast<VstEvent*>(&event));
}

bool IEffectVST2::SendSysExMessage(const SysExMessage* message) {
    VstMidiSysexEvent event{};
    event.type = kVstSysExType;
    event.byteSize = sizeof event;
    event.deltaFrames = message->offset;
    event.dumpBytes = message->size;
    event.sysexDump = reinterpret_cast<char*>(const_cast<uint8_t*>(message->data));
    return SendEvent(reinterpret_cast<VstEvent*>(&event));
}

// Functions of the effect record.

template <typename Sample>
void IEffectVST2::ProcessHostBlock(Sample** inputs, Sample** outputs, int frames, bool accumulate) {
    Lock lock(pluginLock);
    if (midiMode != 0) {
        CallHost(audioMasterWantMidi);
    }
    if (inputs) {
        AttachInputBuffers(0, InputChannelCount(), inputs);
    }
    if (outputs) {
        AttachOutputBuffers(0, OutputChannelCount(), outputs);
    }
    if (accumulate) {
        RunAccumulatingBlock(frames);
    } else {
        RunBlock(frames);
    }
}

VstIntPtr IEffectVST2::DispatcherProc(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                      void* ptr, float opt) {
    IEffectVST2* plugin = PluginOf(e);
    if (!plugin) {
        return 0;
    }
    if (opcode == effClose) {
        plugin->Close();
        return 0;
    }
    Lock lock(plugin->pluginLock);
    return plugin->Dispatch(opcode, index, value, ptr, opt);
}

float IEffectVST2::GetParameterProc(AEffect* e, VstInt32 index) {
    IEffectVST2* plugin = PluginOf(e);
    return plugin ? plugin->GetParameter(index) : 0.0f;
}

void IEffectVST2::SetParameterProc(AEffect* e, VstInt32 index, float value) {
    if (IEffectVST2* plugin = PluginOf(e)) {
        plugin->SetParameter(index, value);
    }
}

void IEffectVST2::ProcessProc(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
    if (IEffectVST2* plugin = PluginOf(e)) {
        plugin->ProcessHostBlock(inputs, outputs, frames, true);
    }
}

void IEffectVST2::ProcessReplacingProc(AEffect* e, float** inputs, float** outputs,
                                       VstInt32 frames) {
    if (IEffectVST2* plugin = PluginOf(e)) {
        plugin->ProcessHostBlock(inputs, outputs, frames, false);
    }
}

void IEffectVST2::ProcessDoubleReplacingProc(AEffect* e, double** inputs, double** outputs,
                                             VstInt32 frames) {
    if (IEffectVST2* plugin = PluginOf(e)) {
        plugin->ProcessHostBlock(inputs, outputs, frames, false);
    }
}

float IEffectVST2::GetParameter(int paramIndex) {
    Lock lock(pluginLock);
    const PlugParam* param = ParamAt(paramIndex);
    return param ? static_cast<float>(param->NormalizedValue()) : 0.0f;
}

void IEffectVST2::SetParameter(int paramIndex, float value) {
    Lock lock(pluginLock);
    PlugParam* param = ParamAt(paramIndex);
    if (!param || std::isnan(value)) {
        return;
    }
    // A NaN is no value: the parameter keeps its own, and neither editor nor plug-in hear of
    // it. Normalised values outside 0..1 would put the plain value outside its range.
    value = std::clamp(value, 0.0f, 1.0f);
    if (editor) {
        editor->ShowParamValue(paramIndex, value, true);
    }
    param->SetFromNormalized(value);
    NotifyParamChangedLocked(paramIndex);
}

// Dispatcher.

VstIntPtr IEffectVST2::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
    switch (opcode) {
    case effOpen:
        Open();
        return 0;
    case effSetProgram:
        SetProgram(value);
        return 0;
    case effGetProgram:
        return currentPresetIndex;
    case effSetProgramName:
        if (ptr) {
            StoreCurrentPreset(static_cast<const char*>(ptr));
        }
        return 0;
    case effGetProgramName:
        if (ptr) {
            CopyToHost(ptr, PresetNameAt(currentPresetIndex));
        }
        return 0;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        CopyParamText(opcode, index, static_cast<char*>(ptr));
        return 0;
    case effSetSampleRate:
        SetSampleRate(opt);
        return 0;
    case effSetBlockSize:
        SetBlockSize(value);
        return 0;
    case effMainsChanged:
        NotifyRunning(value != 0);
        if (value == 0) {
            ResetProcessing();
        }
        return 0;
    case effEditGetRect:
        if (!ptr || !editor) {
            return 0;
        }
        *static_cast<ERect**>(ptr) = &editRect;
        return 1;
    case effEditOpen:
    case effEditClose:
        return 0; // there is no editor window to open or close yet
    case effIdentify:
        return identifyAnswer;
    case effGetChunk:
        return GetChunk(index == 0, static_cast<void**>(ptr));
    case effSetChunk:
        return SetChunk(index == 0, ptr, value);
    case effProcessEvents:
        return ProcessEvents(static_cast<const VstEvents*>(ptr));
    case effCanBeAutomated:
        return 1;
    case effString2Parameter:
        return String2Parameter(index, static_cast<const char*>(ptr));
    case effGetProgramNameIndexed:
        if (!ptr) {
            return 0;
        }
        CopyToHost(ptr, PresetNameAt(index));
        return PresetNameAt(index)[0] != '\0';
    case effGetInputProperties:
    case effGetOutputProperties:
        return PinProperties(opcode == effGetInputProperties, index,
                             static_cast<VstPinProperties*>(ptr));
    case effGetPlugCategory:
        return isInstrument ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement:
        SetSpeakerArrangement(reinterpret_cast<const VstSpeakerArrangement*>(value),
                              static_cast<const VstSpeakerArrangement*>(ptr));
        return 1;
    case effSetBypass:
        NotifyRunning(value == 0);
        return 0;
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
        if (!ptr) {
            return 0;
        }
        CopyToHost(ptr, opcode == effGetEffectName     ? effectName
                        : opcode == effGetVendorString ? vendorName
                                                       : productName);
        return 1;
    case effGetVendorVersion:
        return VersionNumber(true);
    case effVendorSpecific:
        return VendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return CanDo(static_cast<const char*>(ptr));
    case effGetVstVersion:
        return vstVersion;
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    case effGetMidiProgramCategory:
    case effHasMidiProgramsChanged:
    case effBeginSetProgram:
    case effEndSetProgram:
    case effStartProcess:
        NotifyRunning(true);
        return 0;
    case effGetMidiKeyName:
        return MidiKeyNameOf(static_cast<MidiKeyName*>(ptr));
    case effGetSpeakerArrangement:
        if (value) {
            *reinterpret_cast<VstSpeakerArrangement**>(value) = &inputArrangement;
        }
        if (ptr) {
            *static_cast<VstSpeakerArrangement**>(ptr) = &outputArrangement;
        }
        return 1;
    case effStopProcess:
        NotifyRunning(false);
        return 0;
    default:
        return 0;
    }
}

void IEffectVST2::Close() {
    {
        Lock lock(pluginLock);
        NotifyClosing();
    }
    delete this;
}

void IEffectVST2::Open() {
    ApplyHostQuirks();
    for (int i = 0; i < ParamCount(); ++i) {
        NotifyParamChanged(i);
    }
}

void IEffectVST2::SetProgram(VstIntPtr presetIndex) {
    StoreCurrentPreset(nullptr);
    if (presetIndex >= 0 && presetIndex < PresetCount()) {
        LoadPreset(static_cast<int>(presetIndex));
    }
}

void IEffectVST2::CopyParamText(VstInt32 opcode, int paramIndex, char* out) {
    const PlugParam* param = ParamAt(paramIndex);
    if (!param || !out) {
        return;
    }
    if (opcode == effGetParamDisplay) {
        param->FormatValue(param->Value(), false, out, hostTextSize);
    } else {
        CopyToHost(out, opcode == effGetParamName ? param->Name() : param->UnitLabel());
    }
}

void IEffectVST2::SetSampleRate(float rate) {
    if (!(rate > 0.0f) || std::isinf(rate)) {
        return;
    }
    sampleRate = rate;
    ResetProcessing();
}

void IEffectVST2::SetBlockSize(VstIntPtr frames) {
    if (frames < 1) {
        return;
    }
    ResizeBlockBuffers(static_cast<int>(std::min(frames, maxBlockFrames)));
    ResetProcessing();
}

VstIntPtr IEffectVST2::GetChunk(bool bank, void** data) {
    if (!data) {
        return 0;
    }
    ChunkBuffer& chunk = bank ? bankChunk : programChunk;
    chunk.Clear();
    chunk.AppendInt32(VersionNumber(true));
    if (bank) {
        StoreCurrentPreset(nullptr);
    }
    if (!WriteState(&chunk) || chunk.Empty()) {
        return 0;
    }
    *data = chunk.Data();
    return chunk.Size();
}

VstIntPtr IEffectVST2::SetChunk(bool bank, const void* data, VstIntPtr size) {
    if (!data || size < 0 || size > INT_MAX) {
        return 0;
    }
    ChunkBuffer& chunk = bank ? bankChunk : programChunk;
    chunk.Clear();
    chunk.AppendBytes(data, static_cast<int>(size));
    int32_t version = 0;
    const int start = chunk.ReadInt32(0, &version);
    NotifyStateVersion(start < 0 ? 0 : version);
    if (ReadState(&chunk, start) < 0) {
        return 0;
    }
    RefreshEditorFromParams();
    return 1;
}

VstIntPtr IEffectVST2::ProcessEvents(const VstEvents* events) {
    if (!events) {
        return 0;
    }
    for (int i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = events->events[i];
        if (!event) {
            continue;
        }
        if (event->type == kVstMidiType) {
            auto midi = reinterpret_cast<const VstMidiEvent*>(event);
            const MidiMessage message{midi->deltaFrames, static_cast<uint8_t>(midi->midiData[0]),
                                      static_cast<uint8_t>(midi->midiData[1]),
                                      static_cast<uint8_t>(midi->midiData[2])};
            HandleMidiMessage(&message);
        } else if (event->type == kVstSysExType) {
            auto sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
            const SysExMessage message{sysex->deltaFrames, sysex->dumpBytes,
                                       reinterpret_cast<const uint8_t*>(sysex->sysexDump)};
            HandleSysExMessage(&message);
        }
    }
    return 1;
}

VstIntPtr IEffectVST2::String2Parameter(int paramIndex, const char* text) {
    PlugParam* param = ParamAt(paramIndex);
    if (!param) {
        return 0;
    }
    if (text) {
        const double value = param->ParseValue(text);
        if (std::isnan(value)) {
            return 0; // "nan" reads as a number, but not as a value: the parameter keeps its own
        }
        if (editor) {
            editor->ShowParamValue(paramIndex, value, false);
        }
        param->SetClampedValue(value);
        NotifyParamChanged(paramIndex);
    }
    return 1;
}

VstIntPtr IEffectVST2::PinProperties(bool input, int index, VstPinProperties* properties) {
    const int channels = input ? InputChannelCount() : OutputChannelCount();
    if (!properties || index < 0 || index >= channels) {
        return 0;
    }
    std::snprintf(properties->label, sizeof properties->label, input ? "Input %d" : "Output %d",
                  index + 1);
    properties->flags = kVstPinIsActive;
    if (index % 2 == 0 && index + 1 < channels) {
        properties->flags |= kVstPinIsStereo;
    }
    return 1;
}

void IEffectVST2::SetSpeakerArrangement(const VstSpeakerArrangement* inputs,
                                        const VstSpeakerArrangement* outputs) {
    if (inputs) {
        const int connected = ArrangedChannels(inputs, InputChannelCount());
        ConnectInputChannels(0, connected, true);
        ConnectInputChannels(connected, InputChannelCount() - connected, false);
    }
    if (outputs) {
        const int connected = ArrangedChannels(outputs, OutputChannelCount());
        ConnectOutputChannels(0, connected, true);
        ConnectOutputChannels(connected, OutputChannelCount() - connected, false);
    }
}

VstIntPtr IEffectVST2::VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    const int paramIndex = (value >= 0 && value < ParamCount()) ? static_cast<int>(value) : -1;
    PlugParam* param = ParamAt(paramIndex);
    switch (index) {
    case 7: // value text of a normalised value
        if (!ptr) {
            return 0;
        }
        if (param) {
            param->FormatValue(opt, true, static_cast<char*>(ptr), hostTextSize);
        }
        return vendorSpecificAnswer;
    case 8: // number of value texts of a list parameter
        if (!param || param->Kind() == ParamInteger || param->Kind() == ParamContinuous) {
            return 0;
        }
        if (ptr) {
            *static_cast<int32_t*>(ptr) = param->ValueTextCount();
        }
        return vendorSpecificAnswer;
    case 27: { // a value text turned into its normalised value, in place
        char* text = static_cast<char*>(ptr);
        if (!text || !param) {
            return 0;
        }
        if (text[0]) {
            std::snprintf(text, hostTextSize, "%.17f",
                          param->ToNormalized(param->ParseValue(text)));
        }
        return vendorSpecificAnswer;
    }
    case 58:
        NotifyStateVersion(static_cast<int>(value));
        return 0;
    default:
        return 0;
    }
}

VstIntPtr IEffectVST2::CanDo(const char* text) const {
    if (!text) {
        return 0;
    }
    const auto is = [text](const char* capability) { return std::strcmp(text, capability) == 0; };
    if (is("receiveVstTimeInfo")) {
        return 1;
    }
    if (is("sendVstEvents") || is("sendVstMidiEvent")) {
        return midiMode % 2 == 1;
    }
    if (is("receiveVstEvents") || is("receiveVstMidiEvent")) {
        return midiMode == 1 || midiMode == 2;
    }
    return 0;
}

VstIntPtr IEffectVST2::MidiKeyNameOf(MidiKeyName* key) {
    if (!key) {
        return 0;
    }
    key->keyName[0] = '\0';
    return GetMidiNoteName(key->thisKeyNumber, key->keyName);
}
