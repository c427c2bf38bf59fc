// A program that logs through the library's logger binding and prints what happened, one line
// per call, so that a test can run it beside a chosen logger library (or none).
//
//   probe three      logs at error, info and debug level
//   probe appear LIB logs once, copies LIB beside itself as the logger library, logs twice more
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "logging/logging.h"
#include "platform/dynamic_library.h"

namespace {

int loads = 0;

void* countingLoad(const char* fileName) {
  ++loads;
  return l3xml::platform::systemLibraryOperations().load(fileName);
}

void report(const char* what, int result) {
  std::printf("%s result=%d loads=%d\n", what, result, loads);
  std::fflush(stdout);
}

char* text(const char* message) {
  static char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%s", message);
  return buffer;
}

}  // namespace

int main(int argc, char** argv) {
  l3xml::platform::libraryOperations().load = &countingLoad;
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "three") {
    report("error", error_LoggingFunct(text("first")));
    report("info", info_LoggingFunct(text("second")));
    report("debug", debug_LoggingFunct(text("third")));
    return 0;
  }
  if (mode == "appear" && argc > 2) {
    report("before", error_LoggingFunct(text("lost")));
    const auto here = std::filesystem::canonical("/proc/self/exe").parent_path();
    std::filesystem::copy_file(argv[2], here / "liboxLoggerDll.so");
    report("after", info_LoggingFunct(text("found")));
    report("again", debug_LoggingFunct(text("kept")));
    return 0;
  }
  return 2;
}
