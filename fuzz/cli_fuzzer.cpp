// One argument a line: the l3xml command run in the sandbox's framework (the current folder) must
// never crash, and change nothing but working copies and its temporary folders. Arguments that could
// name a file outside the sandbox are left out: the program and its log write some files themselves.
#include <cstdio>
#include <filesystem>

#include "command_line.h"
#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = std::freopen("/dev/null", "r", stdin) != nullptr;
  (void)quiet;
  auto arguments = l3xml_fuzz::fields(data, size, 12);
  while (!arguments.empty() && arguments.back().empty()) arguments.pop_back();
  std::vector<char*> argv{const_cast<char*>("l3xml")};
  for (std::string& argument : arguments) {
    const bool shortOption = argument.size() > 1 && argument[0] == '-' && argument[1] != '-';
    const std::size_t value = argument.find('=');
    const bool plain = l3xml_fuzz::isPlainName(argument) &&
                       (value == std::string::npos || l3xml_fuzz::isPlainName(argument.substr(value + 1)));
    if (plain && !(shortOption && argument.find_first_of("/\\") != std::string::npos)) argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  l3xml_fuzz::startRun();
  // The command runs in the framework; libFuzzer's own paths stay relative to where it started.
  const auto started = std::filesystem::current_path();
  std::filesystem::current_path(l3xml_fuzz::sandbox().framework);
  l3xml_cli::runCommandLine(static_cast<int>(argv.size()) - 1, argv.data());
  std::filesystem::current_path(started);
  l3xml_fuzz::checkUntouched();
  return 0;
}
