#pragma once

#include "adapters/vst3/base/Vst3Interfaces.h"

// A VST3 module loaded the way hosts load it: the library is opened, the platform's entry
// function is called, and the factory is taken from GetPluginFactory. Closing calls the
// platform's exit function and unloads the library.
class LoadedModule {
public:
    LoadedModule() = default;
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    ~LoadedModule() { Close(); }

    // False when the library cannot be loaded, lacks an entry point or refuses to start.
    bool Open(const char* path);
    void Close();
    // A new factory reference from GetPluginFactory, or null.
    vst3::IPluginFactory* Factory();
    // Whether the library exports name.
    bool Exports(const char* name) const;

private:
    bool Enter();
    void Exit();

    void* library = nullptr;
};
