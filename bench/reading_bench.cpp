// Reading a template: flattening, values by name and by path, and the type query.
#include <benchmark/benchmark.h>

#include "framework_fixture.h"

namespace l3xml_bench {
namespace {

void BM_ParseXML(benchmark::State& state) {
  GeneratedFramework framework(static_cast<int>(state.range(0)), 50);
  CXMLParser parser;
  for (auto _ : state) benchmark::DoNotOptimize(parser.ParseXML("RadioBearerSetup.xml"));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParseXML)->Arg(16)->Arg(128)->Arg(512);

void BM_GetValsByName(benchmark::State& state) {
  GeneratedFramework framework(static_cast<int>(state.range(0)), 50);
  CXMLParser parser;
  char name[] = "item";
  for (auto _ : state) benchmark::DoNotOptimize(parser.GetVals("RadioBearerSetup.xml", name));
}
BENCHMARK(BM_GetValsByName)->Arg(16)->Arg(512);

void BM_GetValsByPath(benchmark::State& state) {
  GeneratedFramework framework(static_cast<int>(state.range(0)), 50);
  CXMLParser parser;
  char path[] = "RadioBearerSetup.c1.group0.value";
  for (auto _ : state) benchmark::DoNotOptimize(parser.GetVals("RadioBearerSetup.xml", path));
}
BENCHMARK(BM_GetValsByPath)->Arg(16)->Arg(512);

void BM_GetXmlType(benchmark::State& state) {
  GeneratedFramework framework(512, 50);
  CXMLParser parser;
  for (auto _ : state) benchmark::DoNotOptimize(parser.getXmlType("RadioBearerSetup.xml"));
}
BENCHMARK(BM_GetXmlType);

void BM_FileLookup(benchmark::State& state) {
  GeneratedFramework framework(16, 10);
  for (auto _ : state) benchmark::DoNotOptimize(getFrameworkCompleteFilePath_WCDMA("Types.xml"));
}
BENCHMARK(BM_FileLookup);

}  // namespace
}  // namespace l3xml_bench
