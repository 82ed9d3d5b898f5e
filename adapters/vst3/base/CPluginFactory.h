#pragma once

#include "adapters/vst3/base/FObject.h"

#include <vector>

namespace vst3 {

// The module's class factory: the factory information and the registered classes, each
// with the function that creates its objects. The factory in existence is Current(), so
// that further requests of the module share it; it stops being current when deleted.
class CPluginFactory : public FObject, public IPluginFactory2 {
public:
    // Returns a new object holding one reference, or null.
    using CreateFunction = FUnknown* (*)();

    explicit CPluginFactory(const PFactoryInfo& info);
    ~CPluginFactory() override;

    static CPluginFactory* Current() { return current; }
    void registerClass(const PClassInfo2& info, CreateFunction create);

    VST3_FOBJECT_METHODS

    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override;
    int32 PLUGIN_API countClasses() override;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) override;
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override;

protected:
    FUnknown* FindInterface(const TUID iid) override;

private:
    struct ClassEntry {
        PClassInfo2 info;
        CreateFunction create;
    };
    const ClassEntry* ClassAt(int32 index) const;

    static CPluginFactory* current;
    PFactoryInfo factoryInfo;
    std::vector<ClassEntry> classes;
};

} // namespace vst3
