#include "adapters/vst3/base/FObject.h"

namespace vst3 {

tresult FObject::QueryInterfaceOf(const TUID iid, void** obj) {
    if (!obj)
        return kInvalidArgument;
    FUnknown* found = FindInterface(iid);
    *obj = found;
    if (!found)
        return kNoInterface;
    found->addRef();
    return kResultOk;
}

uint32 FObject::AddReference() {
    return refCount.fetch_add(1, std::memory_order_relaxed) + 1;
}

uint32 FObject::ReleaseReference() {
    uint32 left = refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        delete this;
    return left;
}

FUnknown* FObject::FindInterface(const TUID iid) {
    return FUnknown::iid.Matches(iid) ? static_cast<FUnknown*>(this) : nullptr;
}

} // namespace vst3
