// Reading parameter files: the host's load of a 10,000-parameter PIXIT file with its 301-type
// file, and the type file alone.
#include <l3xml/l3xml.h>

#include "bench_inputs.h"

namespace l3xml_bench {
namespace {

std::string sameLists() {
  const BenchInputs& inputs = BenchInputs::get();
  plain::Parameters pixit, types, plainPixit, plainTypes;
  if (!ReadParameterFileWrapper_WCDMA(inputs.pixitPath().c_str(), &pixit, &types, false)) {
    return "the library does not read the PIXIT file";
  }
  if (!plain::readParameters(inputs.pixitPath(), inputs.typePath(), plainPixit, plainTypes)) {
    return "the plain code does not read the PIXIT file";
  }
  if (pixit.size() != 10000 || types.size() != 301) return "the files do not hold 10,000 parameters and 301 types";
  if (!plain::sameParameters(pixit, plainPixit) || !plain::sameParameters(types, plainTypes)) {
    return "the lists differ";
  }
  ParameterFileReader reader;
  std::string path = inputs.typePath();
  plain::Parameters alone;
  plain::readTypes(path, alone);
  if (!reader.readParameterFile(path, TYPE_FILE) || !plain::sameParameters(reader.getparamList(), alone)) {
    return "the type lists differ";
  }
  return std::string();
}

const bool registered = [] {
  registerPair(
      "read PIXIT file 10000 parameters",
      [](benchmark::State& state) {
        if (!checkedOnce(state, "parameters", sameLists)) return;
        const std::string path = BenchInputs::get().pixitPath();
        for (auto _ : state) {
          plain::Parameters pixit, types;
          benchmark::DoNotOptimize(ReadParameterFileWrapper_WCDMA(path.c_str(), &pixit, &types, false));
        }
      },
      [](benchmark::State& state) {
        if (!checkedOnce(state, "parameters", sameLists)) return;
        const BenchInputs& inputs = BenchInputs::get();
        for (auto _ : state) {
          plain::Parameters pixit, types;
          benchmark::DoNotOptimize(plain::readParameters(inputs.pixitPath(), inputs.typePath(), pixit, types));
        }
      });
  registerPair(
      "read type file 301 types",
      [](benchmark::State& state) {
        if (!checkedOnce(state, "parameters", sameLists)) return;
        std::string path = BenchInputs::get().typePath();
        for (auto _ : state) {
          ParameterFileReader reader;
          benchmark::DoNotOptimize(reader.readParameterFile(path, TYPE_FILE));
        }
      },
      [](benchmark::State& state) {
        if (!checkedOnce(state, "parameters", sameLists)) return;
        const std::string path = BenchInputs::get().typePath();
        for (auto _ : state) {
          plain::Parameters types;
          benchmark::DoNotOptimize(plain::readTypes(path, types));
        }
      });
  return true;
}();

}  // namespace
}  // namespace l3xml_bench
