#pragma once

#include "adapters/vst3/base/ComponentBase.h"
#include "adapters/vst3/base/Parameter.h"

namespace vst3 {

// The controller side: the registered parameters, answered by id or index, and the host's
// component handler, through which parameter edits are reported. The value calls that
// depend on the plug-in are left to the class that knows it.
class EditController : public ComponentBase, public IEditController, public IEditController2 {
public:
    tresult PLUGIN_API initialize(FUnknown* context) override;
    tresult PLUGIN_API terminate() override;

    int32 PLUGIN_API getParameterCount() override;
    tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
    tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string,
                                             ParamValue& valueNormalized) override;
    ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
    tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) override;
    // Renamed for the class built on it, see ComponentStateMethods.
    tresult PLUGIN_API setState(IBStream* state) final { return loadControllerState(state); }
    tresult PLUGIN_API getState(IBStream* state) final { return saveControllerState(state); }

    tresult beginEdit(ParamID id);
    tresult performEdit(ParamID id, ParamValue valueNormalized);
    tresult endEdit(ParamID id);

protected:
    FUnknown* FindInterface(const TUID iid) override;
    virtual tresult loadControllerState(IBStream* state) = 0;
    virtual tresult saveControllerState(IBStream* state) = 0;

    ParameterContainer parameters;
    IPtr<IComponentHandler> componentHandler;
};

} // namespace vst3
