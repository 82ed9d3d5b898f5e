#include "PluginEntry.h"

#include "CLS_QUORVEL.h"

#include <new>

// Nothing may be thrown into a host: a plug-in that cannot be made (out of memory) is null.
QuorvelAdapter* CreatePluginInstance(const QuorvelAdapter::HostContext& host) {
    try {
        return new CLS_QUORVEL(host);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

const EffectConfig& PluginConfig() {
    return CLS_QUORVEL::config;
}
