// Start-up and shut-down of the component runtime for the calling thread.
#ifndef L3XML_PLATFORM_COM_RUNTIME_H
#define L3XML_PLATFORM_COM_RUNTIME_H

namespace l3xml {
namespace platform {

// CoInitialize on Windows; the thread's count goes up by one. The result is not reported.
void initializeCom();
// CoUninitialize on Windows; the thread's count goes down by one.
void uninitializeCom();
// How often the calling thread initialised minus how often it uninitialised through this layer.
int comInitializationCount();

}  // namespace platform
}  // namespace l3xml

#endif  // L3XML_PLATFORM_COM_RUNTIME_H
