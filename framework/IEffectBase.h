#pragma once

#include "framework/ChunkBuffer.h"
#include "framework/PlugParam.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class IGraphics;

// Identity and layout of a plug-in, handed to the base by the adapter's constructor.
struct EffectConfig {
    int paramCount;
    const char* channelConfig; // e.g. "1-1 2-2": input-output pairs separated by spaces
    int presetCount;
    const char* effectName;
    const char* productName;
    const char* vendorName;
    int versionCode; // 0xMMMMmmpp
    int uniqueId;
    int vendorId;
    int latencySamples;
    bool midi;
    bool usesChunks;
    bool isInstrument;
    int sideChainChannels;
};

enum HostApi { HostApiVst2 = 0, HostApiVst3 = 1, HostApiOffline = 2 };

struct ChannelPair {
    int inputs;
    int outputs;
};

struct MidiMessage {
    int32_t offset;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
};

struct SysExMessage {
    int32_t offset;
    int32_t size;
    const uint8_t* data;
};

// A channel's place in the block: its own scratch buffer, and the host buffer attached for
// the block being prepared (nothing attached: the channel reads or writes its scratch buffer).
struct InputPort {
    bool connected = false;
    std::vector<double> scratch;
    double* hostBuffer = nullptr;
    const float* hostFloatBuffer = nullptr;
};

struct OutputPort {
    bool connected = false;
    std::vector<double> scratch;
    double* hostBuffer = nullptr;
    float* destination = nullptr; // single-precision host buffer filled after the block
};

// Host-independent core of a plug-in: parameters, presets, channels and their buffers,
// identity, and the hooks through which plug-in and host adapter talk to each other.
class IEffectBase {
public:
    static constexpr int identitySize = 128;

    IEffectBase(const EffectConfig& config, int hostApi);
    IEffectBase(const IEffectBase&) = delete;
    IEffectBase& operator=(const IEffectBase&) = delete;

    // Virtual operations, in slot order.
    virtual ~IEffectBase();
    virtual void ResetProcessing();
    virtual void SpareHook2();
    virtual void NotifyParamChanged(int paramIndex);
    virtual void NotifyParamChangedLocked(int paramIndex);
    virtual void ProcessBlock(double** inputs, double** outputs, int frames);
    virtual void NotifyEditorOpened() {}
    virtual void NotifyEditorClosed() {}
    virtual void SpareHook8() {}
    virtual void NotifyClosing() {}
    virtual void NotifyRunning(bool running);
    virtual void HandleMidiMessage(const MidiMessage* message);
    virtual void HandleSysExMessage(const SysExMessage* message);
    virtual bool GetMidiNoteName(int note, char* text);
    virtual bool WriteState(ChunkBuffer* chunk);
    virtual int ReadState(const ChunkBuffer* chunk, int pos);
    virtual int SpareHook16(uintptr_t wParam, intptr_t lParam, unsigned message);
    virtual void SpareHook17(int a, int b);
    virtual void NotifyParamHovered(int paramIndex);
    virtual void NotifyStateVersion(int version);
    virtual bool ShouldRestoreParam(int paramIndex, int presetIndex);
    virtual void NotifyEditorResized() {}
    virtual int GetHostApi();
    virtual void BeginParamEdit(int paramIndex) = 0;
    virtual void BeginWheelEdit(int paramIndex);
    virtual void HostSetParamValue(int paramIndex, double normalised) = 0;
    virtual void EndParamEdit(int paramIndex) = 0;
    virtual void NotifyHostConnected() {}
    virtual void ShowHostContextMenu(int paramIndex, int x, int y);
    virtual void HostNotifyProgramChanged() = 0;
    virtual int CurrentSamplePosition() = 0;
    virtual double CurrentTempo() = 0;
    virtual void CurrentTimeSignature(int* numerator, int* denominator) = 0;
    virtual int GetHostId();
    virtual void ResizeEditor(int width, int height) = 0;
    virtual void SpareHook35() {}
    virtual void ApplyHostQuirks() {}
    virtual void AttachEditor(IGraphics* newEditor);
    virtual void ResizeBlockBuffers(int frames);
    virtual void ChangeLatency(int samples);
    virtual bool SendMidiMessage(const MidiMessage* message) = 0;
    virtual bool SendMidiMessages(const MidiMessage* messages, int count);
    virtual bool SendSysExMessage(const SysExMessage* message);
    virtual bool WriteParamValues(ChunkBuffer* chunk);
    virtual int ReadParamValues(const ChunkBuffer* chunk, int pos);
    virtual bool WritePresets(ChunkBuffer* chunk);
    virtual int ReadPresets(const ChunkBuffer* chunk, int pos);

    // Parameters.
    PlugParam* ParamAt(int paramIndex); // null outside the range
    int ParamCount() const { return static_cast<int>(params.size()); }
    void SetParameterFromEditor(int paramIndex, double normalised);
    // Pushes a value the plug-in chose back into a parameter and tells the host, as one edit;
    // the plug-in is not notified.
    void SetParameterFromPlugin(int paramIndex, double plain);
    void BeginDelayedEditEnd(int paramIndex);
    void FlushDelayedEditEnd();
    void RefreshEditorFromParams();

    // Host and identity.
    void IdentifyHost(const char* name, int version);
    static int LookupHostId(const char* name);
    void FormatVersion(char* out, size_t outSize) const; // "v1.16" for 0x11000
    int VersionNumber(bool decimal) const;

    // Channels.
    int InputChannelCount() const { return static_cast<int>(inputPorts.size()); }
    int OutputChannelCount() const { return static_cast<int>(outputPorts.size()); }
    bool AcceptsChannelCounts(int inputs, int outputs) const; // a negative count matches any
    void ConnectInputChannels(int first, int count, bool connected);
    void ConnectOutputChannels(int first, int count, bool connected);

    // Block preparation: the k-th connected channel among first .. first+count-1 takes
    // buffers[k]. Attachments hold for the next block run only; a channel left without one
    // (or given a null buffer) reads silence and writes into its scratch buffer.
    void AttachInputBuffers(int first, int count, double* const* buffers);
    void AttachInputBuffers(int first, int count, const float* const* buffers);
    void AttachOutputBuffers(int first, int count, double* const* buffers);
    void AttachOutputBuffers(int first, int count, float* const* buffers);

    // Block runs, with pluginLock held. Blocks longer than blockSize run in slices; before
    // the first ResizeBlockBuffers nothing runs. Single-precision outputs are converted after
    // each slice (replaced, or added to by the accumulating run). The bypassed run calls the
    // base's own ProcessBlock whatever processingEnabled says.
    void RunBlock(int frames);
    void RunAccumulatingBlock(int frames);
    void RunBypassedBlock(int frames);

    // Presets.
    int PresetCount() const { return static_cast<int>(presets.size()); }
    bool LoadPreset(int presetIndex);
    const char* PresetNameAt(int presetIndex) const;
    void StoreCurrentPreset(const char* newName);
    void AddDefaultPresets(const char* name, int count);
    // One value per parameter in index order: int for toggle, integer and choice
    // parameters, double for continuous ones.
    void AddPresetWithValues(const char* name, ...);

    std::vector<ChannelPair> channelPairs;
    std::vector<PlugParam> params;
    std::vector<PresetSlot> presets;
    std::atomic<int> currentPresetIndex{0};
    int pendingWheelParam = -1;
    std::recursive_mutex pluginLock;
    std::atomic<bool> processingEnabled{false};
    bool isInstrument;
    std::atomic<bool> bypassed{false};
    double sampleRate = 44100.0;
    int latencySamples;
    char effectName[identitySize] = {};
    char productName[identitySize] = {};
    char vendorName[identitySize] = {};
    int uniqueId;
    int vendorId;
    int versionCode;
    int hostId = -1;
    int hostApi;
    int hostVersion = 0;
    bool usesChunks;
    int midiMode;
    int blockSize = 0;
    IGraphics* editor = nullptr;
    std::vector<double*> inputSlots;
    std::vector<double*> outputSlots;
    std::vector<InputPort> inputPorts;
    std::vector<OutputPort> outputPorts;
    std::vector<std::string> inputBusNames;
    std::vector<std::string> outputBusNames;

private:
    enum class BlockMode { Replacing, Accumulating, Bypassed };

    void ParseChannelConfig(const char* config);
    void CreatePresetSlots(int count);
    PresetSlot* FirstFreePreset();
    void RunSlices(int frames, BlockMode mode);
    void PointSlotsAt(int offset, int frames);
    void DeliverFloatOutputs(int offset, int frames, bool accumulate);
    void ForgetHostBuffers();
    int UserPresetCount() const;
};
