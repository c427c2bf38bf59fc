// The benchmarks' main: the library's diagnostics are switched off so that only its work is timed.
#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (std::getenv("L3XML_LOG") == nullptr) setenv("L3XML_LOG", "none", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
