#pragma once

#include "adapters/vst3/base/FObject.h"
#include "adapters/vst3/base/IPtr.h"

namespace vst3 {

// Common base of component and controller: keeps the host context given to initialize and
// the peer of a connection, each with a reference held until terminate or disconnect.
class ComponentBase : public FObject, public IPluginBase, public IConnectionPoint {
public:
    tresult PLUGIN_API initialize(FUnknown* context) override;
    tresult PLUGIN_API terminate() override;

    tresult PLUGIN_API connect(IConnectionPoint* other) override;
    tresult PLUGIN_API disconnect(IConnectionPoint* other) override;
    tresult PLUGIN_API notify(IMessage* message) override;

protected:
    FUnknown* FindInterface(const TUID iid) override;

    IPtr<FUnknown> hostContext;
    IPtr<IConnectionPoint> peerConnection;
};

} // namespace vst3
