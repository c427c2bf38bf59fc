// Loading a shared library by name and finding its entry points.
#ifndef L3XML_PLATFORM_DYNAMIC_LIBRARY_H
#define L3XML_PLATFORM_DYNAMIC_LIBRARY_H

namespace l3xml {
namespace platform {

// The two library operations, in a table that tests may wrap (to count loads, say).
struct LibraryOperations {
  // Loads a library through the ordinary search; null when it cannot be loaded. Never unloaded.
  void* (*load)(const char* fileName);
  // The address of an exported entry point; null when the library does not export it.
  void* (*find)(void* library, const char* name);
};

const LibraryOperations& systemLibraryOperations();
LibraryOperations& libraryOperations();

inline void* loadLibrary(const char* fileName) { return libraryOperations().load(fileName); }
inline void* findSymbol(void* library, const char* name) { return libraryOperations().find(library, name); }

}  // namespace platform
}  // namespace l3xml

#endif  // L3XML_PLATFORM_DYNAMIC_LIBRARY_H
