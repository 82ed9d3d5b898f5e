#pragma once

#include "adapters/vst3/base/Vst3Interfaces.h"

#include <atomic>

namespace vst3 {

// Reference-counted base of every object handed to a host. A new object holds one
// reference; the last release deletes it. Each class adds the interfaces it implements in
// FindInterface, which answers with the sub-object of the asked interface.
class FObject : public FUnknown {
public:
    FObject() = default;
    FObject(const FObject&) = delete;
    FObject& operator=(const FObject&) = delete;
    virtual ~FObject() = default;

protected:
    tresult QueryInterfaceOf(const TUID iid, void** obj);
    uint32 AddReference();
    uint32 ReleaseReference();
    // The object's sub-object for iid, null when it has none.
    virtual FUnknown* FindInterface(const TUID iid);

private:
    std::atomic<uint32> refCount{1};
};

} // namespace vst3

// The FUnknown methods of a class that implements several interfaces: one definition
// overrides them on every interface base at once.
#define VST3_FOBJECT_METHODS                                                                       \
    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iid, void** obj) override {           \
        return QueryInterfaceOf(iid, obj);                                                         \
    }                                                                                              \
    vst3::uint32 PLUGIN_API addRef() override {                                                    \
        return AddReference();                                                                     \
    }                                                                                              \
    vst3::uint32 PLUGIN_API release() override {                                                   \
        return ReleaseReference();                                                                 \
    }
