// Writing into working copies, saved each time: by placeholder, by name and by dotted path.
// Each write sets what the previous one set, so that every iteration does the same work.
#include <l3xml/l3xml.h>

#include <pugixml.hpp>

#include "bench_inputs.h"
#include "generated_inputs.h"

namespace l3xml_bench {
namespace {

// The element names and texts of a file in document order, for comparing what two writers saved.
std::string contentOf(const std::string& path) {
  pugi::xml_document document;
  if (!document.load_file(path.c_str())) return "(does not load)";
  std::string content;
  struct Collect : pugi::xml_tree_walker {
    std::string& out;
    explicit Collect(std::string& o) : out(o) {}
    bool for_each(pugi::xml_node& node) override {
      if (node.type() == pugi::node_element) out += "<" + std::string(node.name()) + ">";
      if (node.type() == pugi::node_pcdata) {
        std::string value = node.value();
        if (value.find_first_not_of(" \t\r\n") != std::string::npos) out += value;
      }
      return true;
    }
  } collect(content);
  document.traverse(collect);
  return content;
}

void registerWrite(const std::string& name, const std::string& file, const std::string& selector,
                   const std::string& value) {
  const auto same = [=]() -> std::string {
    BenchInputs& inputs = BenchInputs::get();
    std::string fileName = file;
    std::string attribute = selector;
    std::string text = value;
    std::map<std::string, std::string> placeholders;
    if (!CXMLParser().SetVal(fileName, attribute.data(), text.data())) return "the library's SetVal fails";
    if (!plain::setValue(inputs.plainCopy(file), selector, value, placeholders)) return "the plain write fails";
    const std::string library = contentOf(inputs.workingCopy(file));
    if (library.find(value) == std::string::npos) return "the library did not write " + value;
    return library == contentOf(inputs.plainCopy(file)) ? std::string() : "the saved files differ for " + selector;
  };
  registerPair(
      "SetVal/" + name,
      [=](benchmark::State& state) {
        if (!checkedOnce(state, "SetVal " + name, same)) return;
        CXMLParser parser;
        std::string fileName = file;
        std::string attribute = selector;
        std::string text = value;
        for (auto _ : state) benchmark::DoNotOptimize(parser.SetVal(fileName, attribute.data(), text.data()));
      },
      [=](benchmark::State& state) {
        if (!checkedOnce(state, "SetVal " + name, same)) return;
        const std::string path = BenchInputs::get().plainCopy(file);
        std::map<std::string, std::string> placeholders;
        for (auto _ : state) benchmark::DoNotOptimize(plain::setValue(path, selector, value, placeholders));
      });
}

const bool registered = [] {
  // The placeholder is written over with itself, so that it is found again each time.
  registerWrite("by placeholder 20KB", "SetPlaceholder.xml", kPlaceholder, kPlaceholder);
  registerWrite("by name 20KB", "SetName.xml", kLeafName, "9");
  registerWrite("by path 20KB", "SetPath.xml", kLeafPath, "0 1 0 1 0 1 0 1");
  return true;
}();

}  // namespace
}  // namespace l3xml_bench
