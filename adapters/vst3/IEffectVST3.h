#pragma once

#include "adapters/vst3/base/SingleComponentEffect.h"
#include "framework/IEffectBase.h"

#include <cstdint>
#include <vector>

class IEffectVST3View;

// The host's transport as the last process call gave it.
struct TransportInfo {
    double tempo;           // beats per minute
    int64_t samplePosition; // project time in samples
    double ppqPosition;     // project time in quarter notes
    double lastBarPosition; // quarter notes
    double loopStart;
    double loopEnd;
    int32_t numerator;
    int32_t denominator;
    bool playing;
    bool looping;
};

// The plug-in base bound to a VST3 host: one object is the audio component, its edit
// controller (parameters, units, program list) and the owner of its editor views.
class IEffectVST3 : public IEffectBase, public vst3::SingleComponentEffect, public vst3::IUnitInfo {
public:
    struct HostContext {};

    static constexpr vst3::ParamID bypassId = 0x62706173; // 'bpas'
    static constexpr vst3::ParamID presetId = 0x70727374; // 'prst'

    IEffectVST3(const EffectConfig& config, const HostContext& host);
    ~IEffectVST3() override;

    // Transport and render mode, read by the plug-in during its processing routine.
    virtual bool OfflineRenderActive();
    virtual int QueryTransportState();                    // 0 stopped, 1 playing, 2 recording
    virtual bool QueryTransportInfo(TransportInfo* info); // returns whether a loop is active

    // Plug-in base operations.
    void BeginParamEdit(int paramIndex) override;
    void HostSetParamValue(int paramIndex, double normalised) override;
    void EndParamEdit(int paramIndex) override;
    void ShowHostContextMenu(int paramIndex, int x, int y) override;
    void HostNotifyProgramChanged() override {}
    int CurrentSamplePosition() override;
    double CurrentTempo() override;
    void CurrentTimeSignature(int* numerator, int* denominator) override;
    void ResizeEditor(int width, int height) override;
    void ChangeLatency(int samples) override;
    bool SendMidiMessage(const MidiMessage*) override { return false; }

    VST3_FOBJECT_METHODS

    // IPluginBase
    vst3::tresult PLUGIN_API initialize(vst3::FUnknown* context) override;
    vst3::tresult PLUGIN_API terminate() override;

    // IComponent
    vst3::tresult PLUGIN_API getControllerClassId(vst3::TUID classId) override;
    vst3::tresult PLUGIN_API setIoMode(vst3::int32 mode) override;
    vst3::tresult PLUGIN_API getRoutingInfo(vst3::RoutingInfo& inInfo,
                                            vst3::RoutingInfo& outInfo) override;
    vst3::tresult PLUGIN_API setActive(vst3::TBool state) override;

    // IAudioProcessor
    vst3::tresult PLUGIN_API setBusArrangements(vst3::SpeakerArrangement* inputs,
                                                vst3::int32 numIns,
                                                vst3::SpeakerArrangement* outputs,
                                                vst3::int32 numOuts) override;
    vst3::tresult PLUGIN_API canProcessSampleSize(vst3::int32 symbolicSampleSize) override;
    vst3::uint32 PLUGIN_API getLatencySamples() override;
    vst3::tresult PLUGIN_API setupProcessing(vst3::ProcessSetup& setup) override;
    vst3::tresult PLUGIN_API setProcessing(vst3::TBool state) override;
    vst3::tresult PLUGIN_API process(vst3::ProcessData& data) override;
    vst3::uint32 PLUGIN_API getTailSamples() override;

    // IEditController
    vst3::tresult PLUGIN_API setComponentState(vst3::IBStream* state) override;
    vst3::tresult PLUGIN_API getParamStringByValue(vst3::ParamID id,
                                                   vst3::ParamValue valueNormalized,
                                                   vst3::String128 string) override;
    vst3::ParamValue PLUGIN_API plainParamToNormalized(vst3::ParamID id,
                                                       vst3::ParamValue plainValue) override;
    vst3::ParamValue PLUGIN_API getParamNormalized(vst3::ParamID id) override;
    vst3::tresult PLUGIN_API setParamNormalized(vst3::ParamID id, vst3::ParamValue value) override;
    vst3::IPlugView* PLUGIN_API createView(vst3::FIDString name) override;

    // IEditController2
    vst3::tresult PLUGIN_API setKnobMode(vst3::int32 mode) override;
    vst3::tresult PLUGIN_API openHelp(vst3::TBool onlyCheck) override;
    vst3::tresult PLUGIN_API openAboutBox(vst3::TBool onlyCheck) override;

    // IUnitInfo
    vst3::int32 PLUGIN_API getUnitCount() override;
    vst3::tresult PLUGIN_API getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) override;
    vst3::int32 PLUGIN_API getProgramListCount() override;
    vst3::tresult PLUGIN_API getProgramListInfo(vst3::int32 listIndex,
                                                vst3::ProgramListInfo& info) override;
    vst3::tresult PLUGIN_API getProgramName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                            vst3::String128 name) override;
    vst3::tresult PLUGIN_API getProgramInfo(vst3::ProgramListID listId, vst3::int32 programIndex,
                                            const vst3::char8* attributeId,
                                            vst3::String128 attributeValue) override;
    vst3::tresult PLUGIN_API hasProgramPitchNames(vst3::ProgramListID listId,
                                                  vst3::int32 programIndex) override;
    vst3::tresult PLUGIN_API getProgramPitchName(vst3::ProgramListID listId,
                                                 vst3::int32 programIndex, vst3::int16 midiPitch,
                                                 vst3::String128 name) override;
    vst3::UnitID PLUGIN_API getSelectedUnit() override;
    vst3::tresult PLUGIN_API selectUnit(vst3::UnitID unitId) override;
    vst3::tresult PLUGIN_API getUnitByBus(vst3::MediaType type, vst3::BusDirection dir,
                                          vst3::int32 busIndex, vst3::int32 channel,
                                          vst3::UnitID& unitId) override;
    vst3::tresult PLUGIN_API setUnitProgramData(vst3::int32 listOrUnitId, vst3::int32 programIndex,
                                                vst3::IBStream* data) override;

    // Called by a view when its last reference goes.
    void ForgetView(IEffectVST3View* view);

    int32_t sideChainChannels;
    vst3::ProcessSetup processSetup{};
    bool sideChainWasActive = false;
    vst3::ProcessContext processContext{};
    std::vector<IEffectVST3View*> views;
    int32_t tailSamples = 0;

protected:
    vst3::FUnknown* FindInterface(const vst3::TUID iid) override;
    vst3::tresult loadComponentState(vst3::IBStream* state) override;
    vst3::tresult saveComponentState(vst3::IBStream* state) override;
    vst3::tresult loadControllerState(vst3::IBStream* state) override;
    vst3::tresult saveControllerState(vst3::IBStream* state) override;

private:
    void IdentifyHostOf(vst3::FUnknown* context);
    void AddBuses();
    void AddParameters();
    vst3::UnitID UnitOfGroup(const char* group);
    void ApplyParameterChanges(vst3::IParameterChanges* changes);
    void ApplyHostValue(vst3::ParamID id, double value);
    void HandleEvents(vst3::IEventList* events);
    void AttachInputBus(const vst3::AudioBusBuffers& bus, int first, int count);
    void AttachInputs(const vst3::ProcessData& data);
    void AttachOutputs(const vst3::ProcessData& data);
    bool ReadWholeStream(vst3::IBStream* state, ChunkBuffer& chunk) const;
    int PresetIndexFor(double normalised) const;
    double PresetNormalized(double presetIndex) const;
    int MainInputChannels() const { return InputChannelCount() - sideChainChannels; }

    std::vector<const char*> unitNames;
};
