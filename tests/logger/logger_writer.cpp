// Calls the logger library's entry points as its arguments say, for the logger library tests:
//   logger_writer [--file NAME] LEVEL:TEXT...
#include <cstdlib>
#include <cstring>
#include <string>

#include "ox_logger.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--file") == 0 && i + 1 < argc) {
      ox_setTextFileLogName(argv[++i]);
      continue;
    }
    const std::string entry = argv[i];
    const std::string::size_type colon = entry.find(':');
    ox_logTextEvent(std::atoi(entry.substr(0, colon).c_str()), entry.substr(colon + 1).c_str());
  }
  return 0;
}
