// A generated framework folder for the benchmarks: templates of a chosen size, a PIXIT file, a
// type file and an association file, in a temporary folder set up as the library's framework.
#ifndef L3XML_BENCH_FRAMEWORK_FIXTURE_H
#define L3XML_BENCH_FRAMEWORK_FIXTURE_H

#include <filesystem>
#include <map>
#include <string>

#include <l3xml/l3xml.h>

namespace l3xml_bench {

class GeneratedFramework {
 public:
  // fields: how many value fields the message template holds (in choices, optional parts and
  // SEQUENCE runs); parameters: how many PIXIT parameters the PIXIT file holds.
  GeneratedFramework(int fields, int parameters);
  ~GeneratedFramework();
  GeneratedFramework(const GeneratedFramework&) = delete;
  GeneratedFramework& operator=(const GeneratedFramework&) = delete;

  const std::string& pixitPath() const { return pixitPath_; }
  std::map<std::string, ParamStructure>& pixit() { return pixit_; }
  // Removes the working copies so that the next write starts from the template again.
  void removeWorkingCopies() const;

 private:
  std::filesystem::path root_;
  std::string pixitPath_;
  std::map<std::string, ParamStructure> pixit_;
};

}  // namespace l3xml_bench

#endif  // L3XML_BENCH_FRAMEWORK_FIXTURE_H
