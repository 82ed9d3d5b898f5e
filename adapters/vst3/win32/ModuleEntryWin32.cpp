#include "adapters/vst3/ModuleEntry.h"
#include "adapters/vst3/win32/ModuleHandle.h"

#include <cwchar>

namespace {

HINSTANCE moduleInstance = nullptr;
wchar_t moduleFolder[MAX_PATH] = {};

void RecordModule(HINSTANCE instance) {
    moduleInstance = instance;
    const DWORD length = GetModuleFileNameW(instance, moduleFolder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        moduleFolder[0] = L'\0';
        return;
    }
    if (wchar_t* separator = std::wcsrchr(moduleFolder, L'\\'))
        *separator = L'\0';
}

} // namespace

HINSTANCE QuorvelModuleInstance() {
    return moduleInstance;
}

const wchar_t* QuorvelModuleFolder() {
    return moduleFolder;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        RecordModule(instance);
    return TRUE;
}

// The module handle is recorded at attachment already, so that hosts which never call
// InitDll are served as well.
QUORVEL_EXPORT bool InitDll() {
    return moduleInstance != nullptr;
}

QUORVEL_EXPORT bool ExitDll() {
    return true;
}
