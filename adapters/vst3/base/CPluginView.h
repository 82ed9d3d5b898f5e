#pragma once

#include "adapters/vst3/base/FObject.h"
#include "adapters/vst3/base/IPtr.h"

namespace vst3 {

// An editor view as a host embeds it: its rectangle, the host's parent window while
// attached, and the host's frame (held with a reference) through which it asks to resize.
class CPluginView : public FObject, public IPlugView {
public:
    VST3_FOBJECT_METHODS

    tresult PLUGIN_API attached(void* parent, FIDString type) override;
    tresult PLUGIN_API removed() override;
    tresult PLUGIN_API onWheel(float distance) override;
    tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API getSize(ViewRect* size) override;
    tresult PLUGIN_API onSize(ViewRect* newSize) override;
    tresult PLUGIN_API onFocus(TBool state) override;
    tresult PLUGIN_API setFrame(IPlugFrame* frame) override;
    tresult PLUGIN_API canResize() override;
    tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) override;

    IPlugFrame* getFrame() const { return plugFrame.Get(); }

protected:
    FUnknown* FindInterface(const TUID iid) override;

    ViewRect rect{};
    void* systemWindow = nullptr;
    IPtr<IPlugFrame> plugFrame;
};

} // namespace vst3
