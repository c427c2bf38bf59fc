// Plain text, JSON and colour output.
#include "output.h"

#include <iostream>

#include "host_platform.h"

namespace l3xml_cli {

Palette Palette::forStandardOutput(const std::string& when) {
  if (when == "always") return Palette(true);
  if (when == "never") return Palette(false);
  // https://no-color.org: a NO_COLOR that is present and not empty turns colour off.
  const auto noColour = environmentValue("NO_COLOR");
  if (noColour && !noColour->empty()) return Palette(false);
  return Palette(isTerminal(stdout));
}

std::string Palette::paint(const char* code, const std::string& text) const {
  if (!enabled_ || text.empty()) return text;
  return std::string("\033[") + code + "m" + text + "\033[0m";
}

void Output::addJsonFlag(CLI::App& command) {
  command.add_flag("--json", json_, "Print the result as JSON on standard output, for scripts");
}

void Output::printJson(const Json& document) const {
  std::cout << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

void Output::note(const std::string& text) const { std::cerr << "l3xml: " << text << '\n'; }

namespace {

// An empty value would vanish from the line.
std::string shown(const std::string& value) { return value.empty() ? "(empty)" : value; }

}  // namespace

void printChanges(const std::vector<l3xml::Change>& changes, const Palette& palette) {
  for (const l3xml::Change& change : changes) {
    std::cout << change.path << ": " << palette.removed(shown(change.before)) << " -> "
              << palette.value(shown(change.after)) << '\n';
  }
}

Json changesJson(const std::vector<l3xml::Change>& changes) {
  Json list = Json::array();
  for (const l3xml::Change& change : changes) {
    list.push_back({{"path", change.path}, {"old", change.before}, {"new", change.after}});
  }
  return list;
}

}  // namespace l3xml_cli
