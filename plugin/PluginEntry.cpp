#include "PluginEntry.h"

#include "CLS_QUORVEL.h"

QuorvelAdapter* CreatePluginInstance(const QuorvelAdapter::HostContext& host) {
    return new CLS_QUORVEL(host);
}

const EffectConfig& PluginConfig() {
    return CLS_QUORVEL::config;
}
