// The component runtime: started and stopped for real on Windows; on every platform each thread
// counts how often this layer started it, for tests.
#include "platform/com_runtime.h"

#if defined(_WIN32)
#include <objbase.h>
#endif

namespace l3xml {
namespace platform {

namespace {
thread_local int initializationCount = 0;
}

#if defined(_WIN32)

void initializeCom() {
  (void)CoInitialize(nullptr);
  ++initializationCount;
}
void uninitializeCom() {
  CoUninitialize();
  --initializationCount;
}

#else

void initializeCom() { ++initializationCount; }
void uninitializeCom() { --initializationCount; }

#endif

int comInitializationCount() { return initializationCount; }

}  // namespace platform
}  // namespace l3xml
