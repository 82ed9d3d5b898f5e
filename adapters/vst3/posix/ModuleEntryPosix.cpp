// Linux hosts call these around their use of the factory; the module keeps no state
// between them.
#include "adapters/vst3/ModuleEntry.h"

QUORVEL_EXPORT bool ModuleEntry(void*) {
    return true;
}

QUORVEL_EXPORT bool ModuleExit() {
    return true;
}
