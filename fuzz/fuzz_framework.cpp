// The framework folder the fuzz targets write their inputs into.
#include "fuzz_framework.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <l3xml/l3xml.h>
#include <unistd.h>

namespace l3xml_fuzz {

const std::string& frameworkFolder() {
  static const std::string folder = [] {
    setenv("L3XML_LOG", "none", 0);
    const auto root = std::filesystem::temp_directory_path() / ("l3xml-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "temp");
    std::ofstream(root / "Types.xml") << "<Types><T Name='B' Basetype='Boolean'/><T Name='E' Basetype='Enum'>"
                                         "<V Value='a' NumericValue='0'/></T></Types>";
    std::string system = root.string();
    setFrameworkSourcepath_WCDMA(system.c_str());
    SetXMLParserSourcePath_WCDMA(system.data());
    std::atexit([] {
      std::error_code error;
      std::filesystem::remove_all(frameworkFolder(), error);
    });
    return system;
  }();
  return folder;
}

std::string writeInput(const std::string& relativePath, const std::uint8_t* data, std::size_t size) {
  const std::string path = frameworkFolder() + "/" + relativePath;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace l3xml_fuzz
