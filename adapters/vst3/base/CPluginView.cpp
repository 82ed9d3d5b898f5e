#include "adapters/vst3/base/CPluginView.h"

namespace vst3 {

tresult CPluginView::attached(void* parent, FIDString) {
    systemWindow = parent;
    return kResultOk;
}

tresult CPluginView::removed() {
    systemWindow = nullptr;
    return kResultOk;
}

tresult CPluginView::onWheel(float) {
    return kResultFalse;
}

tresult CPluginView::onKeyDown(char16, int16, int16) {
    return kResultFalse;
}

tresult CPluginView::onKeyUp(char16, int16, int16) {
    return kResultFalse;
}

tresult CPluginView::getSize(ViewRect* size) {
    if (!size)
        return kInvalidArgument;
    *size = rect;
    return kResultOk;
}

tresult CPluginView::onSize(ViewRect* newSize) {
    if (!newSize)
        return kInvalidArgument;
    rect = *newSize;
    return kResultOk;
}

tresult CPluginView::onFocus(TBool) {
    return kResultFalse;
}

tresult CPluginView::setFrame(IPlugFrame* frame) {
    plugFrame.Assign(frame);
    return kResultOk;
}

tresult CPluginView::canResize() {
    return kResultFalse;
}

tresult CPluginView::checkSizeConstraint(ViewRect*) {
    return kResultFalse;
}

FUnknown* CPluginView::FindInterface(const TUID iid) {
    if (IPlugView::iid.Matches(iid))
        return static_cast<IPlugView*>(this);
    return FObject::FindInterface(iid);
}

} // namespace vst3
