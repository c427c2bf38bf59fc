// Loading a shared library by name and finding its entry points.
#ifndef L3XML_PLATFORM_DYNAMIC_LIBRARY_H
#define L3XML_PLATFORM_DYNAMIC_LIBRARY_H

namespace l3xml {
namespace platform {

// Loads a library through the operating system's ordinary search; null when it cannot be loaded.
// The library is never unloaded.
void* loadLibrary(const char* fileName);

// The address of an exported entry point; null when the library does not export it.
void* findSymbol(void* library, const char* name);

}  // namespace platform
}  // namespace l3xml

#endif  // L3XML_PLATFORM_DYNAMIC_LIBRARY_H
