#include "PluginLibrary.h"

#include <dlfcn.h>

PluginLibrary::PluginLibrary(const char* path) : handle(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}

PluginLibrary::~PluginLibrary() {
    if (handle) {
        dlclose(handle);
    }
}

void* PluginLibrary::Symbol(const char* name) const {
    return handle ? dlsym(handle, name) : nullptr;
}
