// The differential test's program: makes the templates, dumps them, compares two dumps.
//   l3xml_differential generate FOLDER
//   l3xml_differential dump FOLDER OUTPUT
//   l3xml_differential compare NATIVE_DUMP WINDOWS_DUMP
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "differential.h"
#include "platform/com_runtime.h"

namespace {

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  return static_cast<bool>(out << bytes);
}

}  // namespace

int main(int argc, char** argv) {
  namespace diff = l3xml_differential;
  const std::string mode = argc == 4 || argc == 3 ? argv[1] : "";
  if (mode == "generate" && argc == 3) {
    std::filesystem::create_directories(argv[2]);
    const auto templates = diff::generateTemplates();
    for (const auto& [name, bytes] : templates) {
      if (!writeBytes((std::filesystem::path(argv[2]) / name).string(), bytes)) return 1;
    }
    std::cout << templates.size() << " templates in " << argv[2] << '\n';
    return 0;
  }
  if (mode == "dump" && argc == 4) {
    l3xml::platform::initializeCom();
    const std::string folder = std::filesystem::absolute(argv[2]).string();
    const bool written = writeBytes(argv[3], diff::dumpFolder(folder, std::string(argv[3]) + ".saved.xml"));
    l3xml::platform::uninitializeCom();
    return written ? 0 : 1;
  }
  if (mode == "compare" && argc == 4)
    return diff::compareDumps(fileBytes(argv[2]), fileBytes(argv[3]), std::cout) ? 0 : 1;
  std::cerr << "usage: l3xml_differential generate FOLDER | dump FOLDER OUTPUT | compare NATIVE WINDOWS\n";
  return 2;
}
