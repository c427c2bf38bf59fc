// Export and calling-convention macros of the l3xml library.
#ifndef L3XML_EXPORT_H
#define L3XML_EXPORT_H

#if defined(_WIN32)
#if defined(L3XML_BUILDING)
#define L3XML_API __declspec(dllexport)
#elif defined(L3XML_STATIC)
#define L3XML_API
#else
#define L3XML_API __declspec(dllimport)
#endif
#else
#define L3XML_API __attribute__((visibility("default")))
#endif

// The load entry keeps the standard Windows calling convention on 32-bit Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define L3XML_STDCALL __stdcall
#else
#define L3XML_STDCALL
#endif

#endif  // L3XML_EXPORT_H
