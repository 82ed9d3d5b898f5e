// The module's class factory and its one class, the meter effect.
#include "adapters/vst3/ModuleEntry.h"

#include "PluginEntry.h"
#include "adapters/vst3/base/CPluginFactory.h"
#include "framework/TextCopy.h"

#include <mutex>

using namespace vst3;

namespace {

constexpr uint32 classIdHigh = 0xF2AEE70D;
constexpr uint32 classIdLow = 0x00DE4F4E;

// Plug-in creation is serialised across the process. Made on first use, released at exit.
std::mutex& CreationMutex() {
    static std::mutex mutex;
    return mutex;
}

QuorvelAdapter* NewPlugin() {
    std::lock_guard<std::mutex> lock(CreationMutex());
    return CreatePluginInstance(QuorvelAdapter::HostContext{});
}

// The created object, answered as its IAudioProcessor.
FUnknown* CreateEffect() {
    return static_cast<IAudioProcessor*>(NewPlugin());
}

PFactoryInfo MakeFactoryInfo(const EffectConfig& plugin) {
    PFactoryInfo info{};
    CopyText(info.vendor, sizeof info.vendor, plugin.vendorName);
    info.flags = kUnicode;
    return info;
}

PClassInfo2 MakeClassInfo(const EffectConfig& plugin) {
    PClassInfo2 info{};
    FUID(classIdHigh, classIdLow, static_cast<uint32>(plugin.vendorId),
         static_cast<uint32>(plugin.uniqueId))
        .CopyTo(info.cid);
    info.cardinality = kManyInstances;
    CopyText(info.category, sizeof info.category, "Audio Module Class");
    CopyText(info.name, sizeof info.name, plugin.effectName);
    info.classFlags = kSimpleModeSupported;
    CopyText(info.subCategories, sizeof info.subCategories, "Fx");
    CopyText(info.version, sizeof info.version, "1.1.0");
    CopyText(info.sdkVersion, sizeof info.sdkVersion, "VST 3.6.5");
    return info;
}

struct ModuleRecords {
    PFactoryInfo factory;
    PClassInfo2 effect;
};

// Filled once per process from the plug-in's identity.
const ModuleRecords& Records() {
    static const ModuleRecords records{MakeFactoryInfo(PluginConfig()),
                                       MakeClassInfo(PluginConfig())};
    return records;
}

} // namespace

QUORVEL_EXPORT IPluginFactory* PLUGIN_API GetPluginFactory() {
    if (CPluginFactory* shared = CPluginFactory::Current()) {
        shared->addRef();
        return shared;
    }
    auto* factory = new CPluginFactory(Records().factory);
    factory->registerClass(Records().effect, CreateEffect);
    return factory;
}
