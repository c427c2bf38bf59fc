// The benchmarks' framework folder and the registration of compared pairs.
#include "bench_inputs.h"

#include <unistd.h>
#include <map>

#include <l3xml/l3xml.h>

#include "generated_inputs.h"

namespace l3xml_bench {

namespace {

const std::filesystem::path kTemplateFolder = std::filesystem::path("RRCMessage") / "PrimaryCell";

}  // namespace

BenchInputs& BenchInputs::get() {
  static BenchInputs inputs;
  return inputs;
}

BenchInputs::BenchInputs()
    : root_(std::filesystem::temp_directory_path() / ("l3xml-bench-" + std::to_string(getpid()))) {
  std::vector<std::string> references;
  for (int i = 0; i < 200; ++i) references.push_back(parameterName(i));
  const std::pair<const char*, std::size_t> sizes[] = {
      {"Template2KB.xml", 2 * 1024},    {"Template20KB.xml", 20 * 1024},   {"Template200KB.xml", 200 * 1024},
      {"Template2MB.xml", 2048 * 1024}, {"SetPlaceholder.xml", 20 * 1024}, {"SetName.xml", 20 * 1024},
      {"SetPath.xml", 20 * 1024}};
  for (const auto& [name, size] : sizes) {
    // The three written templates are the 20 KB one under names of their own.
    const std::string xml = messageTemplate(size, references, size == 20 * 1024 ? 20 : static_cast<unsigned>(size));
    writeFile(root_ / kTemplateFolder / name, xml);
    writeFile(root_ / "plain" / name, xml);
  }
  writeFile(root_ / kTemplateFolder / "Deep1000.xml", deepTemplate(1000));
  writeFile(root_ / kTemplateFolder / "Deep10000.xml", deepTemplate(10000));
  writeFile(root_ / "L3_WCDMA_PIXIT.xml", pixitFile(10000, 301));
  writeFile(root_ / "L3_Wcdma_Types.xml", typeFile(301));
  writeFile(root_ / "AssociationFile.xml", "<Association/>\n");

  const std::string system = root_.string();
  setFrameworkSourcepath_WCDMA(system.c_str());
  setFrameworkUserSourcepath_WCDMA(nullptr);
  setLowCellName_WCDMA("PrimaryCell");
  std::string work = system;
  SetXMLParserSourcePath_WCDMA(work.data());
  ReadParameterFileWrapper_WCDMA(pixitPath().c_str(), &pixit_, &types_, false);
  CXMLParser().updateParparameterList(&pixit_);
}

BenchInputs::~BenchInputs() {
  CXMLParser().updateParparameterList(nullptr);
  std::error_code error;
  std::filesystem::remove_all(root_, error);
}

std::string BenchInputs::templatePath(const std::string& name) const {
  return (root_ / kTemplateFolder / name).string();
}

std::string BenchInputs::plainCopy(const std::string& name) const { return (root_ / "plain" / name).string(); }

std::string BenchInputs::workingCopy(const std::string& name) const {
  return (root_ / "temp" / "PrimaryCell" / name).string();
}

bool checkedOnce(benchmark::State& state, const std::string& name, const std::function<std::string()>& check) {
  static std::map<std::string, std::string> outcomes;
  auto found = outcomes.find(name);
  if (found == outcomes.end()) found = outcomes.emplace(name, check()).first;
  if (found->second.empty()) return true;
  state.SkipWithError(found->second.c_str());
  return false;
}

void registerPair(const std::string& name, std::function<void(benchmark::State&)> library,
                  std::function<void(benchmark::State&)> plain) {
  benchmark::RegisterBenchmark((name + "/library").c_str(), library)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark((name + "/pugixml").c_str(), plain)->Unit(benchmark::kMicrosecond);
}

}  // namespace l3xml_bench
