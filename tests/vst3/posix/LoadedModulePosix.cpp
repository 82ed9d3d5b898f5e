#include "LoadedModule.h"

#include <dlfcn.h>

namespace {

using FactoryFunction = vst3::IPluginFactory* (*)();
using EntryFunction = bool (*)(void*);
using ExitFunction = bool (*)();

} // namespace

bool LoadedModule::Open(const char* path) {
    library = dlopen(path, RTLD_LAZY | RTLD_LOCAL);
    if (library && Enter())
        return true;
    Close();
    return false;
}

bool LoadedModule::Enter() {
    auto entry = reinterpret_cast<EntryFunction>(dlsym(library, "ModuleEntry"));
    return entry && Exports("ModuleExit") && Exports("GetPluginFactory") && entry(library);
}

void LoadedModule::Exit() {
    if (auto exit = reinterpret_cast<ExitFunction>(dlsym(library, "ModuleExit")))
        exit();
}

void LoadedModule::Close() {
    if (!library)
        return;
    Exit();
    dlclose(library);
    library = nullptr;
}

vst3::IPluginFactory* LoadedModule::Factory() {
    auto function = reinterpret_cast<FactoryFunction>(dlsym(library, "GetPluginFactory"));
    return function ? function() : nullptr;
}

bool LoadedModule::Exports(const char* name) const {
    return library && dlsym(library, name);
}
