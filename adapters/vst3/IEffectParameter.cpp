#include "adapters/vst3/IEffectParameter.h"

#include "adapters/vst3/base/Text16.h"

#include <charconv>
#include <cmath>
#include <cstring>

using namespace vst3;

namespace {

ParameterInfo InfoFor(const PlugParam& param, ParamID id, UnitID unitId) {
    ParameterInfo info{};
    info.id = id;
    WidenText(info.title, param.Name());
    WidenText(info.units, param.UnitLabel());
    const double range = param.MaxValue() - param.MinValue();
    info.stepCount = param.Kind() == ParamContinuous ? 0 : static_cast<int32>(range);
    info.defaultNormalizedValue =
        std::pow((param.DefaultValue() - param.MinValue()) / range, 1.0 / param.CurveExponent());
    info.unitId = unitId;
    info.flags = kCanAutomate;
    return info;
}

// The decimal number at the start of text after blanks and a plus sign; 0 when none. Words
// such as "nan" and "inf" are no number.
double LeadingNumber(const char* text) {
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text == '+')
        ++text;
    double number = 0.0;
    if (std::from_chars(text, text + std::strlen(text), number).ec != std::errc() ||
        !std::isfinite(number))
        return 0.0;
    return number;
}

} // namespace

IEffectParameter::IEffectParameter(PlugParam* param, ParamID id, UnitID unitId)
    : Parameter(InfoFor(*param, id, unitId)), plugParam(param) {}

void IEffectParameter::toString(ParamValue valueNormalized, String128 string) const {
    char text[kText128Length + 1];
    plugParam->FormatValue(valueNormalized, true, text, sizeof text);
    WidenText(string, text);
}

bool IEffectParameter::fromString(const TChar* string, ParamValue& valueNormalized) const {
    char text[kText128Length + 1];
    NarrowText(text, string);
    valueNormalized = plugParam->ToNormalized(LeadingNumber(text));
    return true;
}

ParamValue IEffectParameter::toPlain(ParamValue valueNormalized) const {
    return plugParam->FromNormalized(valueNormalized);
}

ParamValue IEffectParameter::toNormalized(ParamValue plainValue) const {
    return plugParam->ToNormalized(plainValue);
}
