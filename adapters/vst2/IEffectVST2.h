#pragma once

#include "adapters/vst2/Vst2Interface.h"
#include "framework/ChunkBuffer.h"
#include "framework/IEffectBase.h"

// Binds the plug-in base to a VST 2.4 host: the host receives the `effect` record and drives
// the plug-in through the dispatcher and the processing functions stored in it; everything
// the plug-in tells the host goes through the host's callback.
class IEffectVST2 : public IEffectBase {
public:
    struct HostContext {
        audioMasterCallback hostCallback;
    };

    IEffectVST2(const EffectConfig& config, const HostContext& host);

    // The record handed to the host by the entry point, once the plug-in is fully built:
    // a plug-in without presets gets one default program, since hosts expect at least one.
    AEffect* HostEffect();

    // 0 stopped, 1 playing, 2 recording, as the host reports it.
    int QueryTransportState();

    void BeginParamEdit(int paramIndex) override;
    void BeginWheelEdit(int paramIndex) override;
    void HostSetParamValue(int paramIndex, double normalised) override;
    void EndParamEdit(int paramIndex) override;
    void HostNotifyProgramChanged() override;
    int CurrentSamplePosition() override;
    double CurrentTempo() override;
    void CurrentTimeSignature(int* numerator, int* denominator) override;
    int GetHostId() override;
    void ResizeEditor(int width, int height) override;
    void ApplyHostQuirks() override;
    void AttachEditor(IGraphics* newEditor) override;
    void ChangeLatency(int samples) override;
    bool SendMidiMessage(const MidiMessage* message) override;
    bool SendSysExMessage(const SysExMessage* message) override;

    ERect editRect{};
    audioMasterCallback hostCallback;
    VstSpeakerArrangement inputArrangement{};
    VstSpeakerArrangement outputArrangement{};
    bool quirksApplied = false;
    int32_t hostExtensionFlags = 0; // reserved for host-specific capability queries; unused
    ChunkBuffer programChunk;
    ChunkBuffer bankChunk;
    AEffect effect{};

private:
    // The functions stored in the effect record. Each finds the plug-in through the
    // record's object and does nothing (answers 0) when there is none.
    static VstIntPtr DispatcherProc(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                    void* ptr, float opt);
    static float GetParameterProc(AEffect* e, VstInt32 index);
    static void SetParameterProc(AEffect* e, VstInt32 index, float value);
    static void ProcessProc(AEffect* e, float** inputs, float** outputs, VstInt32 frames);
    static void ProcessReplacingProc(AEffect* e, float** inputs, float** outputs, VstInt32 frames);
    static void ProcessDoubleReplacingProc(AEffect* e, double** inputs, double** outputs,
                                           VstInt32 frames);

    void FillEffect();
    VstIntPtr CallHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    const VstTimeInfo* QueryTimeInfo(VstInt32 wantedFlags);
    bool SendEvent(VstEvent* event);

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    void Close();
    void Open();
    void SetProgram(VstIntPtr presetIndex);
    void CopyParamText(VstInt32 opcode, int paramIndex, char* out);
    void SetSampleRate(float rate);
    void SetBlockSize(VstIntPtr frames);
    VstIntPtr GetChunk(bool bank, void** data);
    VstIntPtr SetChunk(bool bank, const void* data, VstIntPtr size);
    VstIntPtr ProcessEvents(const VstEvents* events);
    VstIntPtr String2Parameter(int paramIndex, const char* text);
    VstIntPtr PinProperties(bool input, int index, VstPinProperties* properties);
    void SetSpeakerArrangement(const VstSpeakerArrangement* inputs,
                               const VstSpeakerArrangement* outputs);
    VstIntPtr VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr CanDo(const char* text) const;
    VstIntPtr MidiKeyNameOf(MidiKeyName* key);

    float GetParameter(int paramIndex);
    void SetParameter(int paramIndex, float value);
    template <typename Sample>
    void ProcessHostBlock(Sample** inputs, Sample** outputs, int frames, bool accumulate);
};
