// How results are printed: plain text, JSON for scripts, and colour on a terminal.
#ifndef L3XML_CLI_OUTPUT_H
#define L3XML_CLI_OUTPUT_H

#include <string>
#include <vector>

#include <l3xml/framework.h>
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

namespace l3xml_cli {

// Keys keep the order they are written in, which is the order a reader expects.
using Json = nlohmann::ordered_json;

// Escape sequences around the parts of a line, or nothing when colour is off.
class Palette {
 public:
  Palette() = default;
  // Colour on standard output: always, never, or (auto) on a terminal unless NO_COLOR is set.
  static Palette forStandardOutput(const std::string& when);

  std::string name(const std::string& text) const { return paint("1", text); }
  std::string mark(const std::string& text) const { return paint("36", text); }
  std::string value(const std::string& text) const { return paint("32", text); }
  std::string reference(const std::string& text) const { return paint("35", text); }
  std::string removed(const std::string& text) const { return paint("31", text); }
  std::string problem(const std::string& text) const { return paint("1;31", text); }
  std::string caution(const std::string& text) const { return paint("1;33", text); }
  std::string faint(const std::string& text) const { return paint("2", text); }

 private:
  explicit Palette(bool enabled) : enabled_(enabled) {}
  std::string paint(const char* code, const std::string& text) const;

  bool enabled_ = false;
};

class Output {
 public:
  // Adds --json to a subcommand that prints data.
  void addJsonFlag(CLI::App& command);
  bool json() const { return json_; }

  // One JSON document on standard output; bytes that are not UTF-8 are replaced, never fatal.
  void printJson(const Json& document) const;
  // A line for the person at the terminal, on standard error, so that it never mixes with data.
  void note(const std::string& text) const;

 private:
  bool json_ = false;
};

// "path: old -> new" per change, old and new coloured as removed and added.
void printChanges(const std::vector<l3xml::Change>& changes, const Palette& palette);
Json changesJson(const std::vector<l3xml::Change>& changes);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_OUTPUT_H
