// What tests expect that differs by platform: path separators, narrow texts in the system code
// page, and the known ways in which the emulated Windows XML service (wine) differs from Windows.
#ifndef L3XML_TESTS_PLATFORM_EXPECTATIONS_H
#define L3XML_TESTS_PLATFORM_EXPECTATIONS_H

#include <string>

namespace l3xml_test {

// Whether the XML backend tells where a node stands in its file (pugixml does; the service not).
#if defined(_WIN32)
inline constexpr bool kPositionsKnown = false;
#else
inline constexpr bool kPositionsKnown = true;
#endif

// path with each '/' written as the platform's separator.
std::string nativePath(const std::string& path);

// True when the XML service is wine's emulation. It differs from Windows in known ways that tests
// must not depend on: its parse errors all have the code 0x80004005 and the reason "error" (and
// no position or URL), its save writes LF and no indentation, and it refuses documents nested
// deeper than 257 levels. Found besides: it loads names with an undeclared prefix (dropping the
// prefix), keeps no whitespace-only content, and saves UTF-8 whatever encoding is declared.
bool underEmulatedService();

// A UTF-8 text as the library hands it out: unchanged on POSIX, in the system code page on Windows.
std::string narrowText(const std::string& utf8);

// A saved document as tests compare it: as written on POSIX, with LF line ends on Windows, and
// reduced to its markup (no line ends, no whitespace between tags) under the emulated service.
std::string comparableSave(const std::string& saved);

}  // namespace l3xml_test

#endif  // L3XML_TESTS_PLATFORM_EXPECTATIONS_H
