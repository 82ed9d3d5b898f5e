#pragma once

#include "adapters/vst3/base/Bus.h"
#include "adapters/vst3/base/EditController.h"

namespace vst3 {

// IComponent and IEditController both have setState and getState with the same signature.
// This step and EditController give each pair a name of its own, so that one object answers
// the component state and the controller state differently.
class ComponentStateMethods : public IComponent {
public:
    tresult PLUGIN_API setState(IBStream* state) final { return loadComponentState(state); }
    tresult PLUGIN_API getState(IBStream* state) final { return saveComponentState(state); }

protected:
    virtual tresult loadComponentState(IBStream* state) = 0;
    virtual tresult saveComponentState(IBStream* state) = 0;
};

// Component and controller in one object: the bus lists of the component on top of the
// controller. The processing itself is left to the effect built on it.
class SingleComponentEffect : public EditController,
                              public ComponentStateMethods,
                              public IAudioProcessor {
public:
    SingleComponentEffect();

    tresult PLUGIN_API initialize(FUnknown* context) override;
    tresult PLUGIN_API terminate() override;

    int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) override;
    tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                  BusInfo& bus) override;
    tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                   TBool state) override;
    tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                         SpeakerArrangement& arr) override;

protected:
    FUnknown* FindInterface(const TUID iid) override;
    BusList* getBusList(MediaType type, BusDirection dir);

    BusList audioInputs;
    BusList audioOutputs;
    BusList eventInputs;
    BusList eventOutputs;
};

} // namespace vst3
