#include "LoadedModule.h"

#include <windows.h>

namespace {

using FactoryFunction = vst3::IPluginFactory* (*)();
using EntryFunction = bool (*)();

HMODULE Handle(void* library) {
    return static_cast<HMODULE>(library);
}

// The exported function name as type F, or null.
template <class F> F Function(void* library, const char* name) {
    FARPROC found = library ? GetProcAddress(Handle(library), name) : nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(found));
}

} // namespace

bool LoadedModule::Open(const char* path) {
    library = LoadLibraryA(path);
    if (library && Enter())
        return true;
    Close();
    return false;
}

bool LoadedModule::Enter() {
    auto entry = Function<EntryFunction>(library, "InitDll");
    return entry && Exports("ExitDll") && Exports("GetPluginFactory") && entry();
}

void LoadedModule::Exit() {
    if (auto exit = Function<EntryFunction>(library, "ExitDll"))
        exit();
}

void LoadedModule::Close() {
    if (!library)
        return;
    Exit();
    FreeLibrary(Handle(library));
    library = nullptr;
}

vst3::IPluginFactory* LoadedModule::Factory() {
    auto function = Function<FactoryFunction>(library, "GetPluginFactory");
    return function ? function() : nullptr;
}

bool LoadedModule::Exports(const char* name) const {
    return Function<EntryFunction>(library, name) != nullptr;
}
