#include "adapters/vst3/base/Parameter.h"

#include "adapters/vst3/base/Text16.h"

#include <algorithm>
#include <cmath>

namespace vst3 {

Parameter::Parameter(const ParameterInfo& parameterInfo) : info(parameterInfo) {}

StringListParameter::StringListParameter(const char* title, ParamID id, int32 flags, UnitID unitId)
    : Parameter(ParameterInfo{}) {
    info.id = id;
    WidenText(info.title, title);
    info.stepCount = -1;
    info.unitId = unitId;
    info.flags = flags;
}

void StringListParameter::appendString(const TChar* string) {
    std::u16string text;
    for (int n = 0; string && string[n] && n < kText128Length; ++n)
        text += string[n];
    strings.push_back(text);
    info.stepCount = static_cast<int32>(strings.size()) - 1;
}

void StringListParameter::toString(ParamValue value, String128 string) const {
    std::u16string text;
    size_t index = static_cast<size_t>(toPlain(value));
    if (index < strings.size())
        text = strings[index];
    std::copy(text.begin(), text.end(), string);
    string[text.size()] = 0;
}

bool StringListParameter::fromString(const TChar* string, ParamValue& value) const {
    std::u16string text;
    for (int n = 0; string && string[n]; ++n)
        text += string[n];
    auto found = std::find(strings.begin(), strings.end(), text);
    if (found == strings.end())
        return false;
    value = toNormalized(static_cast<ParamValue>(found - strings.begin()));
    return true;
}

ParamValue StringListParameter::toPlain(ParamValue value) const {
    if (info.stepCount <= 0 || std::isnan(value))
        return 0;
    ParamValue steps = info.stepCount;
    return std::floor(std::clamp(value * (steps + 1), 0.0, steps));
}

ParamValue StringListParameter::toNormalized(ParamValue plainValue) const {
    if (info.stepCount <= 0)
        return 0;
    return plainValue / info.stepCount;
}

void ParameterContainer::addParameter(std::unique_ptr<Parameter> parameter) {
    parameters.push_back(std::move(parameter));
}

Parameter* ParameterContainer::getParameterByIndex(int32 index) const {
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return parameters[static_cast<size_t>(index)].get();
}

Parameter* ParameterContainer::getParameter(ParamID id) const {
    for (const auto& parameter : parameters)
        if (parameter->getInfo().id == id)
            return parameter.get();
    return nullptr;
}

} // namespace vst3
