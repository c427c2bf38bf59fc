// The framework folder the fuzz targets write their inputs into.
#ifndef L3XML_FUZZ_FUZZ_FRAMEWORK_H
#define L3XML_FUZZ_FUZZ_FRAMEWORK_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace l3xml_fuzz {

// Sets up (once) a framework in a temporary folder, with the library's diagnostics off.
const std::string& frameworkFolder();

// Writes the input as a file of the framework; its full path.
std::string writeInput(const std::string& relativePath, const std::uint8_t* data, std::size_t size);

}  // namespace l3xml_fuzz

#endif  // L3XML_FUZZ_FUZZ_FRAMEWORK_H
