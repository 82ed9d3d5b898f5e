#include "adapters/vst3/IEffectVST3View.h"

#include "adapters/vst3/IEffectVST3.h"

#include <cstring>

using namespace vst3;

IEffectVST3View::IEffectVST3View(IEffectVST3* plugin) : owner(plugin) {
    owner->addRef();
}

IEffectVST3View::~IEffectVST3View() {
    owner->ForgetView(this);
    owner->release();
}

tresult IEffectVST3View::isPlatformTypeSupported(FIDString type) {
    if (!owner->editor || !type)
        return kResultFalse;
    return std::strcmp(type, kPlatformTypeHWND) == 0 ? kResultTrue : kResultFalse;
}

tresult IEffectVST3View::attached(void* parent, FIDString type) {
    if (!owner->editor)
        return kResultFalse;
    CPluginView::attached(parent, type);
    owner->NotifyEditorOpened();
    return kResultOk;
}

tresult IEffectVST3View::removed() {
    if (owner->editor)
        owner->NotifyEditorClosed();
    return CPluginView::removed();
}

tresult IEffectVST3View::getSize(ViewRect* size) {
    if (!owner->editor)
        return kResultFalse;
    return CPluginView::getSize(size);
}

tresult IEffectVST3View::onSize(ViewRect* newSize) {
    const tresult result = CPluginView::onSize(newSize);
    if (result == kResultOk && resizePending) {
        resizePending = false;
        owner->NotifyEditorResized();
    }
    return result;
}
