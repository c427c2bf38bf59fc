// The benchmarks' framework folder, made once per run: templates of 2 KB to 2 MB, deep templates,
// a 10,000-parameter PIXIT file and its 301-type file, set up as the library's framework with the
// PIXIT list registered. Removed when the program ends.
#ifndef L3XML_BENCH_BENCH_INPUTS_H
#define L3XML_BENCH_BENCH_INPUTS_H

#include <filesystem>
#include <functional>
#include <string>

#include <benchmark/benchmark.h>

#include "plain_pugixml.h"

namespace l3xml_bench {

class BenchInputs {
 public:
  static BenchInputs& get();

  // The template of that file name in the framework (RRCMessage/PrimaryCell).
  std::string templatePath(const std::string& name) const;
  // A copy of that template for the plain code to write into, made once.
  std::string plainCopy(const std::string& name) const;
  // The library's working copy of that template.
  std::string workingCopy(const std::string& name) const;
  std::string pixitPath() const { return (root_ / "L3_WCDMA_PIXIT.xml").string(); }
  std::string typePath() const { return (root_ / "L3_Wcdma_Types.xml").string(); }
  // The PIXIT list as the library read it, registered with it for the flattening.
  const plain::Parameters& parameters() const { return pixit_; }

  BenchInputs(const BenchInputs&) = delete;
  BenchInputs& operator=(const BenchInputs&) = delete;

 private:
  BenchInputs();
  ~BenchInputs();

  std::filesystem::path root_;
  plain::Parameters pixit_;
  plain::Parameters types_;
};

// Runs check once per name in the whole run; when it fails the benchmark stops with its message
// (the library and the plain code did not do the same work).
bool checkedOnce(benchmark::State& state, const std::string& name, const std::function<std::string()>& check);

// One comparison: the library's operation and the plain code's, registered as NAME/library and
// NAME/pugixml, timed in microseconds.
void registerPair(const std::string& name, std::function<void(benchmark::State&)> library,
                  std::function<void(benchmark::State&)> plain);

}  // namespace l3xml_bench

#endif  // L3XML_BENCH_BENCH_INPUTS_H
