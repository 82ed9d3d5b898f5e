// The two exported entry points of the VST2 library. Hosts look for VSTPluginMain; older
// ones look for main.
#include "PluginEntry.h"

#include <mutex>

#ifdef _WIN32
#define QUORVEL_ENTRY // exported by the module definition file
#else
#define QUORVEL_ENTRY __attribute__((visibility("default")))
#endif

namespace {

// Plug-in creation is serialised across the process: hosts may create instances from
// several threads at once. Made on first use, released at process exit.
std::mutex& CreationMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

extern "C" QUORVEL_ENTRY AEffect* VSTPluginMain(audioMasterCallback hostCallback) {
    // Nothing may be thrown into the host: a creation that fails (out of memory) gives null.
    try {
        std::lock_guard<std::mutex> lock(CreationMutex());
        QuorvelAdapter* plugin = CreatePluginInstance(IEffectVST2::HostContext{hostCallback});
        return plugin ? plugin->HostEffect() : nullptr;
    } catch (...) {
        return nullptr;
    }
}

#ifndef _WIN32
// C++ keeps the name main for the program's own entry, so the second name is given at
// assembler level, as an alias of VSTPluginMain. (On Windows the module definition file
// exports it.)
extern "C" QUORVEL_ENTRY AEffect* VstMainAlias(audioMasterCallback hostCallback) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
#endif
