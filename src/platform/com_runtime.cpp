// The component runtime: real on Windows, a per-thread count on POSIX.
#include "platform/com_runtime.h"

#if defined(_WIN32)
#include <objbase.h>
#endif

namespace l3xml {
namespace platform {

#if defined(_WIN32)

void initializeCom() { (void)CoInitialize(nullptr); }
void uninitializeCom() { CoUninitialize(); }
int comInitializationCount() { return 0; }

#else

namespace {
thread_local int initializationCount = 0;
}

void initializeCom() { ++initializationCount; }
void uninitializeCom() { --initializationCount; }
int comInitializationCount() { return initializationCount; }

#endif

}  // namespace platform
}  // namespace l3xml
