#pragma once

#include "adapters/vst3/base/Vst3Interfaces.h"

namespace vst3 {

// Holds one reference to an interface for as long as it points at it.
template <class I> class IPtr {
public:
    IPtr() = default;
    IPtr(const IPtr&) = delete;
    IPtr& operator=(const IPtr&) = delete;
    ~IPtr() { Reset(); }

    // Takes a reference of its own to target.
    void Assign(I* target) {
        if (target)
            target->addRef();
        Reset();
        pointer = target;
    }
    // Takes over a reference that the caller already holds.
    void Adopt(I* target) {
        Reset();
        pointer = target;
    }
    void Reset() {
        if (pointer)
            pointer->release();
        pointer = nullptr;
    }

    I* Get() const { return pointer; }
    I* operator->() const { return pointer; }
    explicit operator bool() const { return pointer != nullptr; }

private:
    I* pointer = nullptr;
};

// The interface I of unknown, with a reference held; empty when it has none.
template <class I> void QueryInterface(FUnknown* unknown, IPtr<I>& out) {
    void* found = nullptr;
    if (unknown && unknown->queryInterface(I::iid.Bytes(), &found) == kResultOk)
        out.Adopt(static_cast<I*>(found));
    else
        out.Reset();
}

} // namespace vst3
