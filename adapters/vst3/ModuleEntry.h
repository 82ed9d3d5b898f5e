#pragma once

// Entry points of the module. On Windows the module definition file exports them;
// elsewhere they are the only names of default visibility.
#if defined(_WIN32)
#define QUORVEL_EXPORT extern "C"
#else
#define QUORVEL_EXPORT extern "C" __attribute__((visibility("default")))
#endif
