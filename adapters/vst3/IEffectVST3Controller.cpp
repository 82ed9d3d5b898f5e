// The controller side of IEffectVST3: host-visible parameters, units, the program list of
// the presets and the editor views.
#include "adapters/vst3/IEffectParameter.h"
#include "adapters/vst3/IEffectVST3.h"
#include "adapters/vst3/IEffectVST3View.h"
#include "adapters/vst3/base/Text16.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace vst3;

namespace {

// Normalised values from a host, clamped into 0..1; false for a value that is no number.
bool HostNormalized(ParamValue& value) {
    if (std::isnan(value))
        return false;
    value = std::clamp(value, 0.0, 1.0);
    return true;
}

} // namespace

// "Presets" first when there are presets, then one parameter per plug-in parameter, each
// announced to the plug-in as soon as it is registered.
void IEffectVST3::AddParameters() {
    if (PresetCount() > 0) {
        auto presetList = std::make_unique<StringListParameter>(
            "Presets", presetId, kIsList | kIsProgramChange, kRootUnitId);
        for (int i = 0; i < PresetCount(); ++i)
            presetList->appendString(u"");
        parameters.addParameter(std::move(presetList));
    }
    for (int i = 0; i < ParamCount(); ++i) {
        PlugParam* param = ParamAt(i);
        parameters.addParameter(std::make_unique<IEffectParameter>(param, static_cast<ParamID>(i),
                                                                   UnitOfGroup(param->Group())));
        NotifyParamChanged(i);
    }
}

// The root unit for an empty group; otherwise the unit named by the group, made when new.
UnitID IEffectVST3::UnitOfGroup(const char* group) {
    if (group[0] == '\0')
        return kRootUnitId;
    auto named = std::find_if(unitNames.begin(), unitNames.end(),
                              [group](const char* name) { return std::strcmp(name, group) == 0; });
    if (named == unitNames.end())
        named = unitNames.insert(unitNames.end(), group);
    return static_cast<UnitID>(named - unitNames.begin()) + 1;
}

int IEffectVST3::PresetIndexFor(double normalised) const {
    return static_cast<int>((PresetCount() - 1) * normalised + 0.5);
}

double IEffectVST3::PresetNormalized(double presetIndex) const {
    return PresetCount() > 1 ? presetIndex / (PresetCount() - 1) : 0.0;
}

tresult IEffectVST3::setComponentState(IBStream*) {
    return kNotImplemented;
}

// The controller keeps no state of its own: everything is in the component state.
tresult IEffectVST3::loadControllerState(IBStream*) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    return kResultOk;
}

tresult IEffectVST3::saveControllerState(IBStream*) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    return kResultOk;
}

tresult IEffectVST3::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                           String128 string) {
    const PlugParam* param = ParamAt(static_cast<int>(id));
    if (!param || !string || !HostNormalized(valueNormalized))
        return kResultFalse;
    char text[kText128Length + 1];
    param->FormatValue(valueNormalized, true, text, sizeof text);
    WidenText(string, text);
    return kResultOk;
}

ParamValue IEffectVST3::plainParamToNormalized(ParamID id, ParamValue plainValue) {
    if (id == presetId)
        return PresetNormalized(plainValue);
    const PlugParam* param = ParamAt(static_cast<int>(id));
    return param ? param->ToNormalized(plainValue) : plainValue;
}

ParamValue IEffectVST3::getParamNormalized(ParamID id) {
    if (id == bypassId)
        return bypassed ? 1.0 : 0.0;
    if (id == presetId)
        return PresetNormalized(currentPresetIndex);
    const PlugParam* param = ParamAt(static_cast<int>(id));
    return param ? param->NormalizedValue() : 0.0;
}

// Stores the value only: the plug-in hears of host values through the processing call.
tresult IEffectVST3::setParamNormalized(ParamID id, ParamValue value) {
    if (!HostNormalized(value))
        return kInvalidArgument;
    PlugParam* param = ParamAt(static_cast<int>(id));
    if (id == bypassId)
        bypassed = value != 0.0;
    else if (id == presetId)
        currentPresetIndex = PresetIndexFor(value);
    else if (param)
        param->SetFromNormalized(value);
    else
        return kResultFalse;
    return kResultOk;
}

IPlugView* IEffectVST3::createView(FIDString name) {
    if (!name || std::strcmp(name, kEditorViewType) != 0)
        return nullptr;
    auto* view = new IEffectVST3View(this);
    views.push_back(view);
    return view;
}

void IEffectVST3::ForgetView(IEffectVST3View* view) {
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
}

void IEffectVST3::ResizeEditor(int width, int height) {
    IEffectVST3View* view = views.empty() ? nullptr : views.front();
    IPlugFrame* frame = view ? view->getFrame() : nullptr;
    if (!editor || !frame)
        return;
    view->resizePending = true;
    ViewRect size{0, 0, width, height};
    frame->resizeView(view, &size);
}

void IEffectVST3::ShowHostContextMenu(int paramIndex, int x, int y) {
    if (!componentHandler || views.empty())
        return;
    IPtr<IComponentHandler3> handler;
    QueryInterface(componentHandler.Get(), handler);
    if (!handler)
        return;
    const ParamID id = static_cast<ParamID>(paramIndex);
    IPtr<IContextMenu> menu;
    menu.Adopt(handler->createContextMenu(views.front(), &id));
    if (menu)
        menu->popup(x, y);
}

tresult IEffectVST3::setKnobMode(int32) {
    return kResultOk;
}

tresult IEffectVST3::openHelp(TBool) {
    return kResultFalse;
}

tresult IEffectVST3::openAboutBox(TBool) {
    return kResultFalse;
}

int32 IEffectVST3::getUnitCount() {
    return static_cast<int32>(unitNames.size()) + 1;
}

tresult IEffectVST3::getUnitInfo(int32 unitIndex, UnitInfo& info) {
    if (unitIndex == 0) {
        info.id = kRootUnitId;
        info.parentUnitId = kNoParentUnitId;
        WidenText(info.name, "Root Unit");
        info.programListId =
            PresetCount() > 0 ? static_cast<ProgramListID>(presetId) : kNoProgramListId;
        return kResultOk;
    }
    if (unitIndex < 0 || unitIndex > static_cast<int32>(unitNames.size()))
        return kResultFalse;
    info.id = unitIndex;
    info.parentUnitId = kRootUnitId;
    WidenText(info.name, unitNames[static_cast<size_t>(unitIndex - 1)]);
    info.programListId = kNoProgramListId;
    return kResultOk;
}

int32 IEffectVST3::getProgramListCount() {
    return PresetCount() > 0 ? 1 : 0;
}

tresult IEffectVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info) {
    if (listIndex != 0 || PresetCount() == 0)
        return kResultFalse;
    info.id = static_cast<ProgramListID>(presetId);
    WidenText(info.name, "Factory Presets");
    info.programCount = PresetCount();
    return kResultOk;
}

tresult IEffectVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name) {
    if (listId != static_cast<ProgramListID>(presetId) || !name)
        return kResultFalse;
    WidenText(name, PresetNameAt(programIndex));
    return kResultOk;
}

tresult IEffectVST3::getProgramInfo(ProgramListID, int32, const char8*, String128) {
    return kNotImplemented;
}

tresult IEffectVST3::hasProgramPitchNames(ProgramListID, int32) {
    return kNotImplemented;
}

tresult IEffectVST3::getProgramPitchName(ProgramListID, int32, int16, String128) {
    return kNotImplemented;
}

UnitID IEffectVST3::getSelectedUnit() {
    return kRootUnitId;
}

tresult IEffectVST3::selectUnit(UnitID) {
    return kNotImplemented;
}

tresult IEffectVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) {
    return kNotImplemented;
}

tresult IEffectVST3::setUnitProgramData(int32, int32, IBStream*) {
    return kNotImplemented;
}
