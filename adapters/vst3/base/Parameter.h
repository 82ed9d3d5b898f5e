#pragma once

#include "adapters/vst3/base/Vst3Interfaces.h"

#include <memory>
#include <string>
#include <vector>

namespace vst3 {

// One parameter as a host sees it: its info record and conversions between normalised
// values, plain values and texts.
class Parameter {
public:
    explicit Parameter(const ParameterInfo& parameterInfo);
    Parameter(const Parameter&) = delete;
    Parameter& operator=(const Parameter&) = delete;
    virtual ~Parameter() = default;

    const ParameterInfo& getInfo() const { return info; }

    virtual void toString(ParamValue valueNormalized, String128 string) const = 0;
    // False when the text names no value.
    virtual bool fromString(const TChar* string, ParamValue& valueNormalized) const = 0;
    virtual ParamValue toPlain(ParamValue valueNormalized) const { return valueNormalized; }
    virtual ParamValue toNormalized(ParamValue plainValue) const { return plainValue; }

protected:
    ParameterInfo info;
};

// A list of texts, one per step: normalised values pick the text at that position.
class StringListParameter : public Parameter {
public:
    StringListParameter(const char* title, ParamID id, int32 flags, UnitID unitId);

    void appendString(const TChar* string);

    void toString(ParamValue valueNormalized, String128 string) const override;
    bool fromString(const TChar* string, ParamValue& valueNormalized) const override;
    ParamValue toPlain(ParamValue valueNormalized) const override;
    ParamValue toNormalized(ParamValue plainValue) const override;

private:
    std::vector<std::u16string> strings;
};

// The parameters of a controller, in registration order; owns them.
class ParameterContainer {
public:
    void addParameter(std::unique_ptr<Parameter> parameter);
    int32 getParameterCount() const { return static_cast<int32>(parameters.size()); }
    Parameter* getParameterByIndex(int32 index) const;
    Parameter* getParameter(ParamID id) const;
    void removeAll() { parameters.clear(); }

private:
    std::vector<std::unique_ptr<Parameter>> parameters;
};

} // namespace vst3
