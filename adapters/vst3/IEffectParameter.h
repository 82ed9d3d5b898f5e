#pragma once

#include "adapters/vst3/base/Parameter.h"
#include "framework/PlugParam.h"

// A plug-in parameter as a VST3 host sees it: values and texts come from the plug-in's own
// parameter record.
class IEffectParameter : public vst3::Parameter {
public:
    IEffectParameter(PlugParam* param, vst3::ParamID id, vst3::UnitID unitId);

    void toString(vst3::ParamValue valueNormalized, vst3::String128 string) const override;
    // Reads the leading number of the text as a plain value (0 when there is none).
    bool fromString(const vst3::TChar* string, vst3::ParamValue& valueNormalized) const override;
    vst3::ParamValue toPlain(vst3::ParamValue valueNormalized) const override;
    vst3::ParamValue toNormalized(vst3::ParamValue plainValue) const override;

private:
    PlugParam* plugParam;
};
