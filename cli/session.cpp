// The framework of a command, its arguments and the diagnostics of its library calls.
#include "session.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "host_platform.h"
#include "suggest.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

constexpr const char* kStandardInputName = "standard-input.xml";

bool startsWithFolder(const std::string& path, const std::string& folder) {
  return !folder.empty() && path.compare(0, folder.size(), folder) == 0 &&
         (path.size() == folder.size() || std::string(pathSeparators()).find(path[folder.size()]) != std::string::npos);
}

std::string requireFolder(const std::string& given, const char* role) {
  const std::string folder = folderText(given);
  std::error_code error;
  if (!fs::exists(folder, error))
    throw CommandFailure(std::string("the ") + role + " folder " + given + " does not exist");
  if (!fs::is_directory(folder, error)) {
    throw CommandFailure(std::string("the ") + role + " folder " + given + " is not a folder");
  }
  return folder;
}

}  // namespace

std::string folderText(const std::string& folder) {
  std::string text = fs::absolute(fs::path(folder)).lexically_normal().make_preferred().string();
  while (text.size() > 1 && std::string(pathSeparators()).find(text.back()) != std::string::npos &&
         fs::path(text).relative_path() != fs::path()) {
    text.pop_back();
  }
  return text;
}

Session::Session(const GlobalOptions& options) : options_(options) {}

void Session::open(const std::string& folder) {
  if (!folder.empty() && !options_.system.empty() && folderText(folder) != folderText(options_.system)) {
    throw UsageFailure("give the framework folder either as the argument or with --system, not both");
  }
  const std::string chosen = !folder.empty() ? folder : !options_.system.empty() ? options_.system : ".";
  folders_.system = requireFolder(chosen, "framework");
  if (!options_.user.empty()) folders_.user = requireFolder(options_.user, "user");
  folders_.cell = options_.cell;
  if (!options_.work.empty()) {
    folders_.work = folderText(options_.work);
    std::error_code error;
    if (fs::exists(folders_.work, error) && !fs::is_directory(folders_.work, error)) {
      throw CommandFailure("the work folder " + options_.work + " is not a folder");
    }
  }
  framework_ = l3xml::Framework(folders_);
  original_ = folders_.system;
}

void Session::requireFramework() const {
  if (!framework_.templates().empty() || !framework_.pixitFiles().empty()) return;
  throw CommandFailure(original_ +
                       " is not a framework folder: it has no templates in Command, RRCMessage or NASMessage folders "
                       "and no PIXIT file (give the framework folder, or run the shipped example with "
                       "'l3xml run --example')");
}

void Session::workOn(const std::string& copy) {
  aliases_.emplace_back(copy, original_);
  folders_.system = copy;
  folders_.work = copy;
  framework_ = l3xml::Framework(folders_);
}

std::string Session::realPath(const std::string& path) const {
  std::string text = path;
  for (const auto& [alias, real] : aliases_) {
    if (startsWithFolder(text, alias)) text = real + text.substr(alias.size());
  }
  return text;
}

std::string Session::shown(const std::string& path) const {
  const std::string text = realPath(path);
  if (text == original_) return ".";
  if (!startsWithFolder(text, original_)) return text;
  std::string relative = text.substr(original_.size() + 1);
  for (char& c : relative) c = std::string(pathSeparators()).find(c) != std::string::npos ? '/' : c;
  return relative;
}

std::string Session::shownText(std::string text) const {
  auto replaceAll = [&text](const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
  };
  for (const auto& [alias, real] : aliases_) replaceAll(alias, real);
  if (original_.size() > 1) replaceAll(original_ + static_cast<char>(fs::path::preferred_separator), "");
  return text;
}

void Session::collect(const l3xml::Diagnostics& diagnostics) {
  for (l3xml::Diagnostic diagnostic : diagnostics) {
    diagnostic.file = diagnostic.file.empty() ? diagnostic.file : shown(diagnostic.file);
    diagnostic.message = shownText(diagnostic.message);
    // Two calls over one file (a write, then a read of the result) may tell the same problem.
    const auto same = [&diagnostic](const l3xml::Diagnostic& other) {
      return other.code == diagnostic.code && other.file == diagnostic.file && other.line == diagnostic.line &&
             other.message == diagnostic.message;
    };
    if (std::any_of(diagnostics_.begin(), diagnostics_.end(), same)) continue;
    diagnostics_.push_back(diagnostic);
    if (diagnostic.severity == l3xml::Severity::kNote) continue;
    const bool isError = diagnostic.severity == l3xml::Severity::kError;
    (isError ? errors_ : warnings_) += 1;
    if (!echo_) continue;
    std::string line = "l3xml: ";
    if (!diagnostic.file.empty()) {
      line += diagnostic.file;
      if (diagnostic.line > 0) line += ":" + std::to_string(diagnostic.line);
      if (diagnostic.line > 0 && diagnostic.column > 0) line += ":" + std::to_string(diagnostic.column);
      line += ": ";
    }
    line += (isError ? "" : "warning: ") + diagnostic.message;
    std::cerr << line << '\n';
  }
}

void Session::error(const std::string& file, const std::string& message, const char* code) {
  collect({l3xml::Diagnostic{l3xml::Severity::kError, code, file, 0, 0, message}});
}

void Session::warning(const std::string& file, const std::string& message, const char* code) {
  collect({l3xml::Diagnostic{l3xml::Severity::kWarning, code, file, 0, 0, message}});
}

TemporaryFolder& Session::temporary(const std::string& prefix) {
  temporaries_.push_back(std::make_unique<TemporaryFolder>(prefix));
  return *temporaries_.back();
}

// Standard input goes into a file of a temporary folder.
static std::string standardInputFile(TemporaryFolder& folder) {
  const std::string path = (fs::path(folder.path()) / kStandardInputName).string();
  std::ofstream file(path, std::ios::binary);
  file << readStandardInput();
  checkpoint();
  if (!file.flush()) throw CommandFailure("standard input could not be kept in a temporary file");
  return path;
}

std::optional<TemplateRef> Session::resolve(const std::string& argument, bool standardInput) {
  if (argument == "-") {
    if (!standardInput) throw UsageFailure("'-' (standard input) does not name a template for this command");
    TemporaryFolder& folder = temporary("l3xml-stdin-");
    aliases_.emplace_back(standardInputFile(folder), "-");
    // The lookup finds it at the root of a user folder of its own.
    l3xml::Folders folders = folders_;
    folders.user = folder.path();
    return TemplateRef{argument, kStandardInputName, l3xml::Framework(folders)};
  }
  if (argument.find_first_of(pathSeparators()) != std::string::npos) return resolvePath(argument);
  if (framework_.find(argument)) return TemplateRef{argument, argument, framework_};

  std::vector<std::string> names;
  std::string otherCell;
  for (const l3xml::TemplateEntry& entry : framework_.templates()) {
    names.push_back(entry.name);
    if (entry.name == argument && entry.cell != folders_.cell) otherCell = entry.cell;
  }
  if (!otherCell.empty()) {
    error(argument,
          "not a template of cell " + folders_.cell + "; it is one of " + otherCell + " (give --cell " + otherCell +
              ", or its path in the framework)",
          l3xml::codes::kMissingFile);
  } else {
    error(argument, "not found in the framework's folders (cell " + folders_.cell + ")" + didYouMean(argument, names),
          l3xml::codes::kMissingFile);
  }
  return std::nullopt;
}

std::optional<TemplateRef> Session::resolvePath(const std::string& argument) {
  const fs::path given(argument);
  std::vector<fs::path> tries{given};
  if (given.is_relative()) {
    tries.push_back(fs::path(folders_.system) / given);
    if (!folders_.user.empty()) tries.push_back(fs::path(folders_.user) / given);
  }
  std::error_code error;
  const auto found =
      std::find_if(tries.begin(), tries.end(), [&](const fs::path& path) { return fs::is_regular_file(path, error); });
  if (found == tries.end()) {
    this->error(argument, "no such file, here or in the framework folder", l3xml::codes::kMissingFile);
    return std::nullopt;
  }
  const fs::path file = fs::weakly_canonical(fs::absolute(*found), error);
  for (const auto& [base, root] :
       {std::pair{l3xml::Base::kUser, folders_.user}, {l3xml::Base::kSystem, folders_.system}}) {
    if (root.empty()) continue;
    const fs::path relative = file.lexically_relative(fs::weakly_canonical(root, error));
    if (relative.empty() || *relative.begin() == "..") continue;
    const std::string folder = relative.parent_path().generic_string();
    const std::string name = relative.filename().string();
    const std::optional<l3xml::TemplateEntry> entry = framework_.templateIn(base, folder, name);
    if (!entry) {
      this->error(argument,
                  "no folder the lookup searches holds this file (templates lie in Command/<cell>, "
                  "RRCMessage/<cell> and NASMessage)",
                  l3xml::codes::kMissingFile);
      return std::nullopt;
    }
    if (entry->location.base != base || entry->location.folder != folder) {
      this->error(argument,
                  "the lookup does not read this file: for " + name + " (cell " + entry->cell + ") it reads " +
                      shown(entry->location.path),
                  l3xml::codes::kShadowedTemplate);
      return std::nullopt;
    }
    if (options_.cellGiven() && !entry->location.cell.empty() && entry->cell != options_.cell) {
      throw UsageFailure(argument + " is a template of cell " + entry->cell + ", and --cell " + options_.cell +
                         " was given");
    }
    return TemplateRef{argument, name, framework_.withCell(entry->cell)};
  }
  throw UsageFailure(argument + " lies outside the framework " + original_ +
                     (folders_.user.empty() ? std::string() : " and the user folder " + folders_.user) +
                     "; a template is named by its file name or by its path in the framework");
}

std::vector<TemplateRef> Session::resolveAll(const std::vector<std::string>& arguments, bool standardInput) {
  std::vector<TemplateRef> refs;
  for (const std::string& argument : arguments) {
    if (std::optional<TemplateRef> ref = resolve(argument, standardInput)) refs.push_back(std::move(*ref));
  }
  return refs;
}

std::string Session::pixitPath(const std::string& argument) {
  if (argument.empty()) return argument;
  if (argument == "-") {
    if (options_.types.empty()) {
      throw UsageFailure(
          "a PIXIT file read from standard input needs --types FILE: the type file is chosen by the PIXIT file's "
          "name, and standard input has none");
    }
    const std::string path = standardInputFile(temporary("l3xml-stdin-"));
    aliases_.emplace_back(path, "-");
    return path;
  }
  std::error_code error;
  const fs::path given(argument);
  if (fs::exists(given, error) || given.has_parent_path()) return folderText(argument);
  return (fs::path(folders_.system) / given).string();
}

l3xml::CampaignOptions Session::campaignOptions(l3xml::AssociationMode mode, const std::string& pixit) {
  l3xml::CampaignOptions options;
  options.association = mode;
  options.pixitFile = pixitPath(pixit.empty() ? options_.pixit : pixit);
  std::error_code error;
  options.typeFile = fs::exists(options_.types, error) ? folderText(options_.types) : options_.types;
  return options;
}

std::optional<l3xml::Campaign> Session::campaign(l3xml::AssociationMode mode, bool required, const l3xml::Framework* on,
                                                 const std::string& pixit) {
  const l3xml::Framework& framework = on != nullptr ? *on : framework_;
  const l3xml::CampaignOptions options = campaignOptions(mode, pixit);
  if (!required && options.pixitFile.empty() && framework.pixitFiles().empty()) {
    std::cerr << "l3xml: there is no PIXIT file at the framework's root: PIXIT references stay unresolved\n";
    return std::nullopt;
  }
  l3xml::Result<l3xml::Campaign> loaded = framework.loadCampaign(options);
  if (!accept(loaded)) return std::nullopt;
  return std::move(loaded).value();
}

l3xml::Framework Session::dryRun(const l3xml::Framework& framework) {
  TemporaryFolder& folder = temporary("l3xml-dry-run-");
  l3xml::Folders folders = framework.folders();
  aliases_.emplace_back(folder.path(), folders.work.empty() ? folders.system : folders.work);
  folders.work = folder.path();
  return l3xml::Framework(folders);
}

}  // namespace l3xml_cli
