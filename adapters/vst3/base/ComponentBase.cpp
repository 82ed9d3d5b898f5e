#include "adapters/vst3/base/ComponentBase.h"

namespace vst3 {

tresult ComponentBase::initialize(FUnknown* context) {
    if (hostContext)
        return kResultFalse;
    hostContext.Assign(context);
    return kResultOk;
}

tresult ComponentBase::terminate() {
    hostContext.Reset();
    peerConnection.Reset();
    return kResultOk;
}

tresult ComponentBase::connect(IConnectionPoint* other) {
    if (!other)
        return kInvalidArgument;
    if (peerConnection)
        return kResultFalse;
    peerConnection.Assign(other);
    return kResultOk;
}

tresult ComponentBase::disconnect(IConnectionPoint* other) {
    if (!peerConnection || other != peerConnection.Get())
        return kResultFalse;
    peerConnection.Reset();
    return kResultOk;
}

tresult ComponentBase::notify(IMessage* message) {
    return message ? kResultFalse : kInvalidArgument;
}

FUnknown* ComponentBase::FindInterface(const TUID iid) {
    if (IPluginBase::iid.Matches(iid))
        return static_cast<IPluginBase*>(this);
    if (IConnectionPoint::iid.Matches(iid))
        return static_cast<IConnectionPoint*>(this);
    return FObject::FindInterface(iid);
}

} // namespace vst3
