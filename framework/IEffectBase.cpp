#include "framework/IEffectBase.h"

#include "framework/IGraphics.h"
#include "framework/TextCopy.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct HostName {
    const char* text;
    int hostId;
};

// Tested in this order; the first name contained in the host's name decides.
constexpr HostName hostNames[] = {
    {"brainwaveproducer", 29},
    {"cubase", 3},
    {"reaper", 1},
    {"nuendo", 4},
    {"cakewalk", 5},
    {"samplitude", 8},
    {"fruity", 7},
    {"live", 9},
    {"melodyne", 12},
    {"vstmanlib", 13},
    {"aulab", 14},
    {"forte", 15},
    {"chainer", 16},
    {"audition", 17},
    {"orion", 18},
    {"sawstudio", 20},
    {"logic", 21},
    {"digital", 22},
    {"audiomulch", 23},
    {"presonus", 24},
    {"acoustica", 25},
    {"garageband", 26},
    {"ardour", 27},
    {"wavelab", 28},
    {"gold", 30},
};

// Reads one "%d-%d" token; a count that cannot be read stays 0.
ChannelPair ReadChannelPair(const char* token) {
    ChannelPair pair{0, 0};
    char* end = nullptr;
    const long inputs = std::strtol(token, &end, 10);
    if (end != token) {
        pair.inputs = static_cast<int>(inputs);
    }
    if (*end == '-') {
        const char* outputsText = end + 1;
        const long outputs = std::strtol(outputsText, &end, 10);
        if (end != outputsText) {
            pair.outputs = static_cast<int>(outputs);
        }
    }
    return pair;
}

// End of the channel range first .. first+count-1 within `channels` (no int overflow).
int RangeEnd(int first, int count, int channels) {
    return static_cast<int>(std::min<long long>(static_cast<long long>(first) + count, channels));
}

} // namespace

IEffectBase::IEffectBase(const EffectConfig& config, int api)
    : params(std::max(0, config.paramCount)), isInstrument(config.isInstrument),
      latencySamples(config.latencySamples), uniqueId(config.uniqueId), vendorId(config.vendorId),
      versionCode(config.versionCode), hostApi(api), usesChunks(config.usesChunks),
      midiMode(config.midi ? 1 : 0) {
    CopyText(effectName, sizeof effectName, config.effectName);
    CopyText(productName, sizeof productName, config.productName);
    CopyText(vendorName, sizeof vendorName, config.vendorName);
    ParseChannelConfig(config.channelConfig);
    CreatePresetSlots(config.presetCount);
}

IEffectBase::~IEffectBase() {
    delete editor;
    editor = nullptr;
}

void IEffectBase::ParseChannelConfig(const char* config) {
    for (const char* token = config; token != nullptr;) {
        channelPairs.push_back(ReadChannelPair(token));
        token = std::strchr(token, ' ');
        if (token != nullptr) {
            ++token;
        }
    }
    int inputs = 0;
    int outputs = 0;
    for (const ChannelPair& pair : channelPairs) {
        inputs = std::max(inputs, pair.inputs);
        outputs = std::max(outputs, pair.outputs);
    }
    inputSlots.assign(inputs, nullptr);
    outputSlots.assign(outputs, nullptr);
    inputPorts.resize(inputs);
    outputPorts.resize(outputs);
}

void IEffectBase::CreatePresetSlots(int count) {
    presets.resize(std::max(0, count));
    for (int i = 0; i < PresetCount(); ++i) {
        std::snprintf(presets[i].presetName, sizeof presets[i].presetName, "- %d -", i + 1);
    }
}

// ---- Hooks with a default behaviour ----

void IEffectBase::ResetProcessing() {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
}

void IEffectBase::SpareHook2() {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
}

void IEffectBase::NotifyParamChanged(int) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
}

void IEffectBase::NotifyParamChangedLocked(int paramIndex) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    NotifyParamChanged(paramIndex);
}

void IEffectBase::ProcessBlock(double** inputs, double** outputs, int frames) {
    const int copied = std::min(InputChannelCount(), OutputChannelCount());
    for (int i = 0; i < copied; ++i) {
        if (inputs[i] != outputs[i]) { // a host processing in place has nothing to copy
            std::copy(inputs[i], inputs[i] + frames, outputs[i]);
        }
    }
    for (int i = copied; i < OutputChannelCount(); ++i) {
        std::fill(outputs[i], outputs[i] + frames, 0.0);
    }
}

void IEffectBase::NotifyRunning(bool) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
}

void IEffectBase::HandleMidiMessage(const MidiMessage*) {}

void IEffectBase::HandleSysExMessage(const SysExMessage*) {}

bool IEffectBase::GetMidiNoteName(int, char* text) {
    if (text != nullptr) {
        text[0] = '\0';
    }
    return false;
}

bool IEffectBase::WriteState(ChunkBuffer* chunk) {
    return WriteParamValues(chunk);
}

int IEffectBase::ReadState(const ChunkBuffer* chunk, int pos) {
    return ReadParamValues(chunk, pos);
}

int IEffectBase::SpareHook16(uintptr_t, intptr_t, unsigned) {
    return 0;
}

void IEffectBase::SpareHook17(int, int) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
}

void IEffectBase::NotifyParamHovered(int) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
}

void IEffectBase::NotifyStateVersion(int) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
}

bool IEffectBase::ShouldRestoreParam(int, int) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    return true;
}

int IEffectBase::GetHostApi() {
    return hostApi;
}

void IEffectBase::BeginWheelEdit(int) {}

void IEffectBase::ShowHostContextMenu(int, int, int) {}

int IEffectBase::GetHostId() {
    return hostId;
}

void IEffectBase::ChangeLatency(int samples) {
    latencySamples = samples;
}

bool IEffectBase::SendMidiMessages(const MidiMessage* messages, int count) {
    bool allSent = true;
    for (int i = 0; i < count && messages != nullptr; ++i) {
        allSent = SendMidiMessage(&messages[i]) && allSent;
    }
    return allSent;
}

bool IEffectBase::SendSysExMessage(const SysExMessage*) {
    return false;
}

// ---- Editor link ----

void IEffectBase::AttachEditor(IGraphics* newEditor) {
    if (newEditor == nullptr) {
        return;
    }
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    for (int i = 0; i < ParamCount(); ++i) {
        newEditor->ShowParamValue(i, params[i].NormalizedValue(), true);
    }
    newEditor->PrepareDrawing();
    if (editor != newEditor) {
        delete editor; // the base owns its editor: a replaced one goes
    }
    editor = newEditor;
}

void IEffectBase::RefreshEditorFromParams() {
    if (editor == nullptr) {
        return;
    }
    for (int i = 0; i < ParamCount(); ++i) {
        editor->ShowParamValue(i, params[i].Value(), false);
    }
}

// ---- Parameters ----

PlugParam* IEffectBase::ParamAt(int paramIndex) {
    return paramIndex >= 0 && paramIndex < ParamCount() ? &params[paramIndex] : nullptr;
}

void IEffectBase::SetParameterFromEditor(int paramIndex, double normalised) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    PlugParam* param = ParamAt(paramIndex);
    if (param == nullptr || std::isnan(normalised)) {
        return; // a NaN is no value: neither the parameter nor the host is told of it
    }
    param->SetFromNormalized(normalised);
    HostSetParamValue(paramIndex, normalised);
    NotifyParamChanged(paramIndex);
}

void IEffectBase::SetParameterFromPlugin(int paramIndex, double plain) {
    PlugParam* param = ParamAt(paramIndex);
    if (param == nullptr) {
        return;
    }
    BeginParamEdit(paramIndex);
    param->SetClampedValue(plain);
    HostSetParamValue(paramIndex, param->NormalizedValue());
    if (editor != nullptr) {
        editor->ShowParamValue(paramIndex, param->NormalizedValue(), true);
    }
    EndParamEdit(paramIndex);
}

void IEffectBase::BeginDelayedEditEnd(int paramIndex) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (editor == nullptr) {
        EndParamEdit(paramIndex);
        return;
    }
    pendingWheelParam = paramIndex;
    editor->StartEditEndCountdown(std::max(1, editor->FrameRate() / 2));
}

void IEffectBase::FlushDelayedEditEnd() {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (editor != nullptr) {
        editor->CancelEditEndCountdown();
    }
    if (pendingWheelParam >= 0) {
        const int ended = pendingWheelParam;
        pendingWheelParam = -1;
        EndParamEdit(ended);
    }
}

// ---- Host and identity ----

int IEffectBase::LookupHostId(const char* name) {
    char lower[256] = {};
    CopyText(lower, sizeof lower, name);
    for (char* c = lower; *c != '\0'; ++c) {
        *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    for (const HostName& host : hostNames) {
        if (std::strstr(lower, host.text) != nullptr) {
            return host.hostId;
        }
    }
    return 0;
}

void IEffectBase::IdentifyHost(const char* name, int version) {
    hostVersion = version;
    hostId = LookupHostId(name);
}

void IEffectBase::FormatVersion(char* out, size_t outSize) const {
    if (out != nullptr && outSize > 0) {
        std::snprintf(out, outSize, "v%d.%02d", versionCode >> 16, (versionCode >> 8) & 0xff);
    }
}

int IEffectBase::VersionNumber(bool decimal) const {
    if (!decimal) {
        return versionCode;
    }
    return (versionCode >> 16) * 10000 + ((versionCode >> 8) & 0xff) * 100 + (versionCode & 0xff);
}

// ---- Channels and blocks ----

bool IEffectBase::AcceptsChannelCounts(int inputs, int outputs) const {
    for (const ChannelPair& pair : channelPairs) {
        if ((inputs < 0 || inputs == pair.inputs) && (outputs < 0 || outputs == pair.outputs)) {
            return true;
        }
    }
    return false;
}

void IEffectBase::ConnectInputChannels(int first, int count, bool connected) {
    const int end = RangeEnd(first, count, InputChannelCount());
    for (int i = std::max(0, first); i < end; ++i) {
        InputPort& port = inputPorts[i];
        if (!connected && port.connected) {
            // The scratch buffer may still hold converted host samples: an unconnected
            // channel reads silence.
            std::fill(port.scratch.begin(), port.scratch.end(), 0.0);
        }
        port.connected = connected;
        if (!connected) {
            inputSlots[i] = port.scratch.data();
        }
    }
}

void IEffectBase::ConnectOutputChannels(int first, int count, bool connected) {
    const int end = RangeEnd(first, count, OutputChannelCount());
    for (int i = std::max(0, first); i < end; ++i) {
        outputPorts[i].connected = connected;
        if (!connected) {
            outputSlots[i] = outputPorts[i].scratch.data();
        }
    }
}

void IEffectBase::ResizeBlockBuffers(int frames) {
    if (frames == blockSize || frames < 0) {
        return;
    }
    for (size_t i = 0; i < inputPorts.size(); ++i) {
        inputPorts[i].scratch.assign(frames, 0.0);
        if (!inputPorts[i].connected) {
            inputSlots[i] = inputPorts[i].scratch.data();
        }
    }
    for (size_t i = 0; i < outputPorts.size(); ++i) {
        outputPorts[i].scratch.assign(frames, 0.0);
        if (!outputPorts[i].connected) {
            outputSlots[i] = outputPorts[i].scratch.data();
        }
    }
    blockSize = frames;
}

namespace {

// Hands buffers[k] to the k-th connected port among first .. first+count-1.
template <typename Port, typename Assign>
void AttachInOrder(std::vector<Port>& ports, int first, int count, Assign assign) {
    const int end = RangeEnd(first, count, static_cast<int>(ports.size()));
    int k = 0;
    for (int i = std::max(0, first); i < end; ++i) {
        if (ports[i].connected) {
            assign(ports[i], k++);
        }
    }
}

} // namespace

void IEffectBase::AttachInputBuffers(int first, int count, double* const* buffers) {
    if (buffers == nullptr) {
        return;
    }
    AttachInOrder(inputPorts, first, count, [buffers](InputPort& port, int k) {
        port.hostBuffer = buffers[k];
        port.hostFloatBuffer = nullptr;
    });
}

void IEffectBase::AttachInputBuffers(int first, int count, const float* const* buffers) {
    if (buffers == nullptr) {
        return;
    }
    AttachInOrder(inputPorts, first, count, [buffers](InputPort& port, int k) {
        port.hostBuffer = nullptr;
        port.hostFloatBuffer = buffers[k];
    });
}

void IEffectBase::AttachOutputBuffers(int first, int count, double* const* buffers) {
    if (buffers == nullptr) {
        return;
    }
    AttachInOrder(outputPorts, first, count, [buffers](OutputPort& port, int k) {
        port.hostBuffer = buffers[k];
        port.destination = nullptr;
    });
}

void IEffectBase::AttachOutputBuffers(int first, int count, float* const* buffers) {
    if (buffers == nullptr) {
        return;
    }
    AttachInOrder(outputPorts, first, count, [buffers](OutputPort& port, int k) {
        port.hostBuffer = nullptr;
        port.destination = buffers[k];
    });
}

void IEffectBase::RunBlock(int frames) {
    RunSlices(frames, BlockMode::Replacing);
}

void IEffectBase::RunAccumulatingBlock(int frames) {
    RunSlices(frames, BlockMode::Accumulating);
}

void IEffectBase::RunBypassedBlock(int frames) {
    RunSlices(frames, BlockMode::Bypassed);
}

void IEffectBase::RunSlices(int frames, BlockMode mode) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    for (int offset = 0; blockSize > 0 && offset < frames; offset += blockSize) {
        const int slice = std::min(frames - offset, blockSize);
        PointSlotsAt(offset, slice);
        if (mode == BlockMode::Bypassed) {
            IEffectBase::ProcessBlock(inputSlots.data(), outputSlots.data(), slice);
        } else if (processingEnabled.load(std::memory_order_relaxed)) {
            ProcessBlock(inputSlots.data(), outputSlots.data(), slice);
        }
        DeliverFloatOutputs(offset, slice, mode == BlockMode::Accumulating);
    }
    ForgetHostBuffers();
}

// Points every slot at the slice starting at offset: connected channels at their host buffer
// (single-precision input converted into the scratch buffer first), the others at their
// scratch buffer.
void IEffectBase::PointSlotsAt(int offset, int frames) {
    for (size_t i = 0; i < inputPorts.size(); ++i) {
        InputPort& port = inputPorts[i];
        double* scratch = port.scratch.data();
        if (!port.connected) {
            inputSlots[i] = scratch;
        } else if (port.hostBuffer != nullptr) {
            inputSlots[i] = port.hostBuffer + offset;
        } else {
            const float* source = port.hostFloatBuffer;
            for (int n = 0; n < frames; ++n) {
                scratch[n] = source != nullptr ? source[offset + n] : 0.0;
            }
            inputSlots[i] = scratch;
        }
    }
    for (size_t i = 0; i < outputPorts.size(); ++i) {
        OutputPort& port = outputPorts[i];
        const bool toHost = port.connected && port.hostBuffer != nullptr;
        outputSlots[i] = toHost ? port.hostBuffer + offset : port.scratch.data();
    }
}

void IEffectBase::DeliverFloatOutputs(int offset, int frames, bool accumulate) {
    for (OutputPort& port : outputPorts) {
        if (!port.connected || port.destination == nullptr) {
            continue;
        }
        float* out = port.destination + offset;
        const double* scratch = port.scratch.data();
        for (int n = 0; n < frames; ++n) {
            const float sample = static_cast<float>(scratch[n]);
            out[n] = accumulate ? out[n] + sample : sample;
        }
    }
}

void IEffectBase::ForgetHostBuffers() {
    for (InputPort& port : inputPorts) {
        port.hostBuffer = nullptr;
        port.hostFloatBuffer = nullptr;
    }
    for (OutputPort& port : outputPorts) {
        port.hostBuffer = nullptr;
        port.destination = nullptr;
    }
}
