// Reading templates: flattening from 2 KB to 2 MB and at depth, values by name and by path.
#include <fstream>
#include <sstream>

#include <l3xml/l3xml.h>

#include "bench_inputs.h"
#include "generated_inputs.h"

namespace l3xml_bench {
namespace {

// The SEQUENCE braces the plain flattening leaves open, as the library's module keeps its own.
int plainBraces = 0;

std::size_t fileSize(const std::string& path) { return static_cast<std::size_t>(std::filesystem::file_size(path)); }

std::string joined(const std::vector<std::string>& values) {
  std::ostringstream out;
  for (const std::string& value : values) out << '[' << value << ']';
  return out.str();
}

std::string sameLine(const std::string& file) {
  BenchInputs& inputs = BenchInputs::get();
  CXMLParser parser;
  const std::string library = parser.ParseXML(file);
  const std::string plain = plain::flatten(inputs.templatePath(file), inputs.parameters(), plainBraces);
  if (library.empty()) return "the library does not flatten " + file;
  if (library != plain) return "the lines differ for " + file + ":\n  " + library + "\n  " + plain;
  if (parser.ParseXML(file) != library) return "the line of " + file + " changes from call to call";
  return std::string();
}

void flattenWithLibrary(benchmark::State& state, const std::string& file) {
  if (!checkedOnce(state, "flatten " + file, [&] { return sameLine(file); })) return;
  CXMLParser parser;
  for (auto _ : state) benchmark::DoNotOptimize(parser.ParseXML(file));
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * fileSize(BenchInputs::get().templatePath(file))));
}

void registerFlattening(const std::string& name, const std::string& file) {
  registerPair(
      "flatten/" + name, [file](benchmark::State& state) { flattenWithLibrary(state, file); },
      [file](benchmark::State& state) {
        if (!checkedOnce(state, "flatten " + file, [&] { return sameLine(file); })) return;
        const BenchInputs& inputs = BenchInputs::get();
        const std::string path = inputs.templatePath(file);
        for (auto _ : state) benchmark::DoNotOptimize(plain::flatten(path, inputs.parameters(), plainBraces));
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileSize(path)));
      });
}

// The plain code reads each level's text afresh, which grows with the square of the depth: deep
// templates are timed for the library alone (the lines are still compared once).
void registerDeepFlattening(const std::string& name, const std::string& file) {
  benchmark::RegisterBenchmark(("flatten/" + name + "/library").c_str(), [file](benchmark::State& state) {
    flattenWithLibrary(state, file);
  })->Unit(benchmark::kMicrosecond);
}

void registerValues(const std::string& name, const std::string& selector, bool byPath) {
  const std::string file = "Template20KB.xml";
  const auto same = [=]() -> std::string {
    BenchInputs& inputs = BenchInputs::get();
    std::string argument = selector;
    const std::vector<std::string> library = CXMLParser().GetVals(file, argument.data());
    const std::vector<std::string> plain =
        byPath ? plain::valuesByPath(inputs.templatePath(file), selector, inputs.parameters())
               : plain::valuesByName(inputs.templatePath(file), selector, inputs.parameters());
    if (library.empty()) return "the library reads no value at " + selector;
    return library == plain ? std::string() : "the values differ: " + joined(library) + " and " + joined(plain);
  };
  registerPair(
      "GetVals/" + name,
      [=](benchmark::State& state) {
        if (!checkedOnce(state, "GetVals " + name, same)) return;
        CXMLParser parser;
        std::string argument = selector;
        for (auto _ : state) benchmark::DoNotOptimize(parser.GetVals(file, argument.data()));
      },
      [=](benchmark::State& state) {
        if (!checkedOnce(state, "GetVals " + name, same)) return;
        const BenchInputs& inputs = BenchInputs::get();
        const std::string path = inputs.templatePath(file);
        for (auto _ : state) {
          benchmark::DoNotOptimize(byPath ? plain::valuesByPath(path, selector, inputs.parameters())
                                          : plain::valuesByName(path, selector, inputs.parameters()));
        }
      });
}

const bool registered = [] {
  registerFlattening("2KB", "Template2KB.xml");
  registerFlattening("20KB", "Template20KB.xml");
  registerFlattening("200KB", "Template200KB.xml");
  registerFlattening("2MB", "Template2MB.xml");
  registerDeepFlattening("1000 levels", "Deep1000.xml");
  registerDeepFlattening("10000 levels", "Deep10000.xml");
  registerValues("by name 20KB", kLeafName, false);
  registerValues("by path 20KB", kLeafPath, true);
  return true;
}();

}  // namespace
}  // namespace l3xml_bench
