// The framework folder the fuzz targets write their inputs into.
#include "fuzz_framework.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <l3xml/l3xml.h>
#include <unistd.h>

namespace l3xml_fuzz {

namespace {

// Kept until the process ends, when the folder is removed.
const std::string* createdFolder = nullptr;

void removeCreatedFolder() {
  std::error_code error;
  std::filesystem::remove_all(*createdFolder, error);
}

}  // namespace

const std::string& frameworkFolder() {
  if (createdFolder == nullptr) {
    setenv("L3XML_LOG", "none", 0);
    const auto root = std::filesystem::temp_directory_path() / ("l3xml-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "temp");
    std::ofstream(root / "Types.xml") << "<Types><T Name='B' Basetype='Boolean'/><T Name='E' Basetype='Enum'>"
                                         "<V Value='a' NumericValue='0'/></T></Types>";
    createdFolder = new std::string(root.string());
    setFrameworkSourcepath_WCDMA(createdFolder->c_str());
    std::string work = *createdFolder;
    SetXMLParserSourcePath_WCDMA(work.data());
    std::atexit(&removeCreatedFolder);
  }
  return *createdFolder;
}

std::string writeInput(const std::string& relativePath, const std::uint8_t* data, std::size_t size) {
  const std::string path = frameworkFolder() + "/" + relativePath;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace l3xml_fuzz
