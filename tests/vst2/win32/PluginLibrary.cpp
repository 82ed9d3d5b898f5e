#include "PluginLibrary.h"

#include <windows.h>

#include <string>

namespace {

// The build hands over a Unix path; under Wine drive Z: is the Unix root.
std::string WindowsPath(const char* path) {
    std::string result = path[0] == '/' ? std::string("Z:") + path : std::string(path);
    for (char& c : result) {
        if (c == '/') {
            c = '\\';
        }
    }
    return result;
}

} // namespace

PluginLibrary::PluginLibrary(const char* path)
    : handle(reinterpret_cast<void*>(LoadLibraryA(WindowsPath(path).c_str()))) {}

PluginLibrary::~PluginLibrary() {
    if (handle) {
        FreeLibrary(static_cast<HMODULE>(handle));
    }
}

void* PluginLibrary::Symbol(const char* name) const {
    if (!handle) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
