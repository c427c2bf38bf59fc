// Loading a campaign's parameters: PIXIT and type files, with and without the association file.
#include <benchmark/benchmark.h>

#include "framework_fixture.h"

namespace l3xml_bench {
namespace {

void BM_ReadParameterFiles(benchmark::State& state) {
  GeneratedFramework framework(64, static_cast<int>(state.range(0)));
  const bool associate = state.range(1) != 0;
  for (auto _ : state) {
    std::map<std::string, ParamStructure> pixit;
    std::map<std::string, ParamStructure> types;
    benchmark::DoNotOptimize(ReadParameterFileWrapper_WCDMA(framework.pixitPath().c_str(), &pixit, &types, associate));
    state.PauseTiming();
    framework.removeWorkingCopies();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadParameterFiles)->Args({100, 0})->Args({1000, 0})->Args({1000, 1});

}  // namespace
}  // namespace l3xml_bench
