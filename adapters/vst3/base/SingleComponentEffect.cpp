#include "adapters/vst3/base/SingleComponentEffect.h"

namespace vst3 {

SingleComponentEffect::SingleComponentEffect()
    : audioInputs(kAudio, kInput), audioOutputs(kAudio, kOutput), eventInputs(kEvent, kInput),
      eventOutputs(kEvent, kOutput) {}

tresult SingleComponentEffect::initialize(FUnknown* context) {
    return EditController::initialize(context);
}

tresult SingleComponentEffect::terminate() {
    audioInputs.removeAll();
    audioOutputs.removeAll();
    eventInputs.removeAll();
    eventOutputs.removeAll();
    return EditController::terminate();
}

int32 SingleComponentEffect::getBusCount(MediaType type, BusDirection dir) {
    const BusList* list = getBusList(type, dir);
    return list ? list->size() : 0;
}

tresult SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                          BusInfo& bus) {
    const BusList* list = getBusList(type, dir);
    return list && list->getInfo(index, bus) ? kResultOk : kInvalidArgument;
}

tresult SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                           TBool state) {
    const BusList* list = getBusList(type, dir);
    Bus* bus = list ? list->at(index) : nullptr;
    if (!bus)
        return kInvalidArgument;
    bus->setActive(state != 0);
    return kResultOk;
}

tresult SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                 SpeakerArrangement& arr) {
    const BusList* list = getBusList(kAudio, dir);
    const auto* bus = list ? static_cast<const AudioBus*>(list->at(index)) : nullptr;
    if (!bus)
        return kInvalidArgument;
    arr = bus->getArrangement();
    return kResultOk;
}

FUnknown* SingleComponentEffect::FindInterface(const TUID iid) {
    if (IComponent::iid.Matches(iid))
        return static_cast<IComponent*>(this);
    if (IAudioProcessor::iid.Matches(iid))
        return static_cast<IAudioProcessor*>(this);
    return EditController::FindInterface(iid);
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir) {
    if (type == kAudio)
        return dir == kInput ? &audioInputs : dir == kOutput ? &audioOutputs : nullptr;
    if (type == kEvent)
        return dir == kInput ? &eventInputs : dir == kOutput ? &eventOutputs : nullptr;
    return nullptr;
}

} // namespace vst3
