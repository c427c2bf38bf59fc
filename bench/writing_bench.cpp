// Writing into working copies: by placeholder, by name, by path, and a whole file's parameters.
#include <benchmark/benchmark.h>

#include "framework_fixture.h"

namespace l3xml_bench {
namespace {

void BM_SetValByName(benchmark::State& state) {
  GeneratedFramework framework(static_cast<int>(state.range(0)), 50);
  CXMLParser parser;
  std::string file = "RadioBearerSetup.xml";
  char name[] = "bits";
  char value[] = "1 1 1 1 0 0 0 0";
  for (auto _ : state) benchmark::DoNotOptimize(parser.SetVal(file, name, value));
}
BENCHMARK(BM_SetValByName)->Arg(16)->Arg(512);

void BM_SetValByPath(benchmark::State& state) {
  GeneratedFramework framework(static_cast<int>(state.range(0)), 50);
  CXMLParser parser;
  std::string file = "RadioBearerSetup.xml";
  char path[] = "RadioBearerSetup.c1.group0.SEQUENCE.item";
  char value[] = "42";
  for (auto _ : state) benchmark::DoNotOptimize(parser.SetVal(file, path, value));
}
BENCHMARK(BM_SetValByPath)->Arg(16)->Arg(512);

void BM_ApplyFileParameters(benchmark::State& state) {
  GeneratedFramework framework(static_cast<int>(state.range(0)), 50);
  CXMLParser parser;
  for (auto _ : state) {
    state.PauseTiming();
    framework.removeWorkingCopies();
    state.ResumeTiming();
    benchmark::DoNotOptimize(parser.isFileNamePresentinMultiMap("RadioBearerSetup.xml"));
  }
}
BENCHMARK(BM_ApplyFileParameters)->Arg(128);

}  // namespace
}  // namespace l3xml_bench
