// How the library's narrow texts are encoded on this platform.
#ifndef L3XML_PLATFORM_NARROW_TEXT_H
#define L3XML_PLATFORM_NARROW_TEXT_H

namespace l3xml {
namespace platform {

// UTF-8 on POSIX; the system code page on Windows, where texts are cut byte by byte.
#if defined(_WIN32)
inline constexpr bool kNarrowTextIsUtf8 = false;
#else
inline constexpr bool kNarrowTextIsUtf8 = true;
#endif

}  // namespace platform
}  // namespace l3xml

#endif  // L3XML_PLATFORM_NARROW_TEXT_H
