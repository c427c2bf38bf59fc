// What one command works on: the framework folder, its template and PIXIT arguments, and the
// diagnostics of its library calls.
#ifndef L3XML_CLI_SESSION_H
#define L3XML_CLI_SESSION_H

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <l3xml/framework.h>

#include "command.h"
#include "temporary_folder.h"

namespace l3xml_cli {

// A template as a command argument names it: the file name the lookup takes, and the framework
// with the cell the argument selects.
struct TemplateRef {
  std::string argument;
  std::string name;
  l3xml::Framework framework;
};

// Collects the diagnostics of every library call, with files named as they lie in the framework
// (relative to its folder), and prints each error and warning on standard error as it comes:
// "l3xml: FILE:LINE:COLUMN: MESSAGE". Any error makes the command's exit status 1.
class Session {
 public:
  explicit Session(const GlobalOptions& options);

  // The framework folder: folder (a command argument), else --system, else the current folder.
  void open(const std::string& folder = std::string());
  // Refuses a folder that holds no template and no PIXIT file.
  void requireFramework() const;
  // From here on the command works on copy; its files are named as the framework's own.
  void workOn(const std::string& copy);

  const l3xml::Framework& framework() const { return framework_; }
  // The framework folder as the user gave it (not a copy).
  const std::string& frameworkFolder() const { return original_; }

  // Resolves a template argument: a file name, a path relative to the framework (which selects
  // the file and its cell), a path to a file inside the framework, or '-' for standard input
  // where allowed. Not found: an error, and nothing. Outside the framework: a UsageFailure.
  std::optional<TemplateRef> resolve(const std::string& argument, bool standardInput = false);
  std::vector<TemplateRef> resolveAll(const std::vector<std::string>& arguments, bool standardInput = false);

  // The campaign of --pixit and --types (or the framework's one PIXIT file) on framework (the
  // session's own when null). Not required: a framework without a PIXIT file gives nothing, with
  // a note. pixit overrides --pixit.
  std::optional<l3xml::Campaign> campaign(l3xml::AssociationMode mode, bool required,
                                          const l3xml::Framework* on = nullptr, const std::string& pixit = "");
  // The files of --pixit (or pixit) and --types as the library takes them.
  l3xml::CampaignOptions campaignOptions(l3xml::AssociationMode mode, const std::string& pixit = "");
  // The PIXIT file argument as the library takes it: '-' is standard input, a name that is no
  // file here one at the framework's root.
  std::string pixitPath(const std::string& argument);

  // A framework that reads as this one and writes its working copies into a temporary folder
  // that is removed at the end; its paths are named as the real ones.
  l3xml::Framework dryRun(const l3xml::Framework& framework);

  template <class T>
  bool accept(const l3xml::Result<T>& result) {
    collect(result.diagnostics());
    return result.has_value();
  }
  void collect(const l3xml::Diagnostics& diagnostics);
  void error(const std::string& file, const std::string& message, const char* code = l3xml::codes::kLibrary);
  void warning(const std::string& file, const std::string& message, const char* code = l3xml::codes::kLibrary);
  // Printing as they come stops (check prints its own report).
  void quiet() { echo_ = false; }

  const l3xml::Diagnostics& diagnostics() const { return diagnostics_; }
  int errors() const { return errors_; }
  int warnings() const { return warnings_; }
  int status() const { return errors_ > 0 ? 1 : 0; }

  // A path as messages name it: relative to the framework folder where it lies there, "-" for
  // standard input, the real place for a copy's or a dry run's files.
  std::string shown(const std::string& path) const;
  // The path a copy's or a dry run's file stands for.
  std::string realPath(const std::string& path) const;

 private:
  std::string shownText(std::string text) const;
  TemporaryFolder& temporary(const std::string& prefix);
  std::optional<TemplateRef> resolvePath(const std::string& argument);

  const GlobalOptions& options_;
  l3xml::Folders folders_;
  l3xml::Framework framework_;
  std::string original_;
  // Paths that stand for others in messages: a copy for the framework, a dry run's folder.
  std::vector<std::pair<std::string, std::string>> aliases_;
  std::vector<std::unique_ptr<TemporaryFolder>> temporaries_;
  l3xml::Diagnostics diagnostics_;
  int errors_ = 0;
  int warnings_ = 0;
  bool echo_ = true;
};

// A folder as the library takes it: absolute, normalised, without a trailing separator.
std::string folderText(const std::string& folder);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_SESSION_H
