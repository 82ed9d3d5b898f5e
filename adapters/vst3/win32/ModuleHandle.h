#pragma once

#include <windows.h>

// The module's instance handle, through which its resources are loaded, and the folder
// that holds the module file (no trailing separator). Both are recorded when the library
// is attached to the process.
HINSTANCE QuorvelModuleInstance();
const wchar_t* QuorvelModuleFolder();
