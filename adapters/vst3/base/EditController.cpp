#include "adapters/vst3/base/EditController.h"

namespace vst3 {

tresult EditController::initialize(FUnknown* context) {
    return ComponentBase::initialize(context);
}

tresult EditController::terminate() {
    parameters.removeAll();
    componentHandler.Reset();
    return ComponentBase::terminate();
}

int32 EditController::getParameterCount() {
    return parameters.getParameterCount();
}

tresult EditController::getParameterInfo(int32 paramIndex, ParameterInfo& info) {
    const Parameter* parameter = parameters.getParameterByIndex(paramIndex);
    if (!parameter)
        return kResultFalse;
    info = parameter->getInfo();
    return kResultOk;
}

tresult EditController::getParamValueByString(ParamID id, TChar* string,
                                              ParamValue& valueNormalized) {
    const Parameter* parameter = parameters.getParameter(id);
    if (!parameter || !string)
        return kResultFalse;
    return parameter->fromString(string, valueNormalized) ? kResultOk : kResultFalse;
}

ParamValue EditController::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
    const Parameter* parameter = parameters.getParameter(id);
    return parameter ? parameter->toPlain(valueNormalized) : valueNormalized;
}

tresult EditController::setComponentHandler(IComponentHandler* handler) {
    componentHandler.Assign(handler);
    return kResultOk;
}

tresult EditController::beginEdit(ParamID id) {
    return componentHandler ? componentHandler->beginEdit(id) : kResultFalse;
}

tresult EditController::performEdit(ParamID id, ParamValue valueNormalized) {
    return componentHandler ? componentHandler->performEdit(id, valueNormalized) : kResultFalse;
}

tresult EditController::endEdit(ParamID id) {
    return componentHandler ? componentHandler->endEdit(id) : kResultFalse;
}

FUnknown* EditController::FindInterface(const TUID iid) {
    if (IEditController::iid.Matches(iid))
        return static_cast<IEditController*>(this);
    if (IEditController2::iid.Matches(iid))
        return static_cast<IEditController2*>(this);
    return ComponentBase::FindInterface(iid);
}

} // namespace vst3
