#pragma once

#include "adapters/vst3/base/CPluginView.h"

class IEffectVST3;

// The view through which a host embeds the plug-in's editor. It holds a reference to its
// plug-in for as long as it lives. A plug-in without an editor gets a view that refuses
// every platform type.
class IEffectVST3View : public vst3::CPluginView {
public:
    explicit IEffectVST3View(IEffectVST3* plugin);
    ~IEffectVST3View() override;

    vst3::tresult PLUGIN_API isPlatformTypeSupported(vst3::FIDString type) override;
    vst3::tresult PLUGIN_API attached(void* parent, vst3::FIDString type) override;
    vst3::tresult PLUGIN_API removed() override;
    vst3::tresult PLUGIN_API getSize(vst3::ViewRect* size) override;
    vst3::tresult PLUGIN_API onSize(vst3::ViewRect* newSize) override;

    IEffectVST3* owner;
    bool resizePending = false;
};
