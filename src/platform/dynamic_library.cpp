// Library loading over dlopen/dlsym or LoadLibraryA/GetProcAddress.
#include "platform/dynamic_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace l3xml {
namespace platform {

namespace {

#if defined(_WIN32)

void* systemLoad(const char* fileName) { return reinterpret_cast<void*>(LoadLibraryA(fileName)); }

void* systemFind(void* library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

#else

void* systemLoad(const char* fileName) { return dlopen(fileName, RTLD_NOW | RTLD_GLOBAL); }

void* systemFind(void* library, const char* name) {
  if (library == nullptr) return nullptr;
  return dlsym(library, name);
}

#endif

const LibraryOperations kSystemOperations = {&systemLoad, &systemFind};
LibraryOperations operationsInUse = kSystemOperations;

}  // namespace

const LibraryOperations& systemLibraryOperations() { return kSystemOperations; }

LibraryOperations& libraryOperations() { return operationsInUse; }

}  // namespace platform
}  // namespace l3xml
