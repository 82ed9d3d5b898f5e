#include "adapters/vst3/base/CPluginFactory.h"

#include <cstring>

namespace vst3 {

CPluginFactory* CPluginFactory::current = nullptr;

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {
    current = this;
}

CPluginFactory::~CPluginFactory() {
    if (current == this)
        current = nullptr;
}

void CPluginFactory::registerClass(const PClassInfo2& info, CreateFunction create) {
    classes.push_back(ClassEntry{info, create});
}

tresult CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
    if (!info)
        return kInvalidArgument;
    *info = factoryInfo;
    return kResultOk;
}

int32 CPluginFactory::countClasses() {
    return static_cast<int32>(classes.size());
}

tresult CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
    const ClassEntry* entry = ClassAt(index);
    if (!entry || !info)
        return kInvalidArgument;
    std::memcpy(info->cid, entry->info.cid, sizeof info->cid);
    info->cardinality = entry->info.cardinality;
    std::memcpy(info->category, entry->info.category, sizeof info->category);
    std::memcpy(info->name, entry->info.name, sizeof info->name);
    return kResultOk;
}

tresult CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
    const ClassEntry* entry = ClassAt(index);
    if (!entry || !info)
        return kInvalidArgument;
    *info = entry->info;
    return kResultOk;
}

tresult CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj) {
    if (!cid || !iid || !obj)
        return kInvalidArgument;
    *obj = nullptr;
    for (const ClassEntry& entry : classes) {
        if (std::memcmp(entry.info.cid, cid, sizeof(TUID)) != 0)
            continue;
        FUnknown* instance = entry.create();
        if (!instance)
            return kOutOfMemory;
        tresult result = instance->queryInterface(iid, obj);
        instance->release();
        return result;
    }
    return kNoInterface;
}

FUnknown* CPluginFactory::FindInterface(const TUID iid) {
    if (IPluginFactory::iid.Matches(iid) || IPluginFactory2::iid.Matches(iid))
        return static_cast<IPluginFactory2*>(this);
    return FObject::FindInterface(iid);
}

const CPluginFactory::ClassEntry* CPluginFactory::ClassAt(int32 index) const {
    if (index < 0 || index >= static_cast<int32>(classes.size()))
        return nullptr;
    return &classes[static_cast<size_t>(index)];
}

} // namespace vst3
