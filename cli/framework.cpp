// Walking a framework folder: templates, the read-only lookup, working copies, the PIXIT file.
#include "framework.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>
#include <set>
#include <stdexcept>

#include <pugixml.hpp>

#include "host_platform.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
constexpr const char* kFixedGuiFolder = "c:\\CorvelGuiFolder\\";
#else
constexpr char kSeparator = '/';
constexpr const char* kFixedGuiFolder = "/CorvelGuiFolder/";
#endif

// base + separator + each name + separator, as the library joins its candidates.
std::string subFolder(const std::string& base, std::initializer_list<const char*> names) {
  std::string folder = base + kSeparator;
  for (const char* name : names) folder += std::string(name) + kSeparator;
  return folder;
}

// The lookup's candidates without the two temp folders.
std::vector<std::string> readOnlyCandidates(const Settings& settings, const std::string& cell,
                                            const std::string& name) {
  const std::string& user = settings.userFolder();
  const std::string& system = settings.systemFolder();
  const char* cellFolder = cell == kSecondaryCell ? kSecondaryCell : kPrimaryCell;
  return {
      subFolder(user, {"Command", cellFolder}) + name,
      subFolder(user, {"RRCMessage", cellFolder}) + name,
      subFolder(system, {"Command", cellFolder}) + name,
      subFolder(system, {"RRCMessage", cellFolder}) + name,
      subFolder(user, {"NASMessage"}) + name,
      subFolder(system, {"NASMessage"}) + name,
      subFolder(user, {}) + name,
      subFolder(system, {}) + name,
      std::string(kFixedGuiFolder) + name,
      subFolder(system, {"RFTestCases"}) + name,
  };
}

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool hasXmlExtension(const fs::path& file) { return lowerCase(file.extension().string()) == ".xml"; }

std::set<std::string> xmlFilesIn(const std::string& folder) {
  std::set<std::string> names;
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && hasXmlExtension(entry.path())) names.insert(entry.path().filename().string());
  }
  return names;
}

// A PIXIT file's entries carry a name and a value; type and association entries do not. A file
// named as one counts even when it does not parse, so that the load says what is wrong with it.
bool looksLikePixitFile(const fs::path& file) {
  if (lowerCase(file.filename().string()).find("pixit") != std::string::npos) return true;
  pugi::xml_document document;
  if (!document.load_file(file.c_str())) return false;
  const pugi::xml_node entry =
      document.document_element().find_child([](pugi::xml_node node) { return node.type() == pugi::node_element; });
  return entry && entry.attribute("Name") && entry.attribute("Value");
}

}  // namespace

std::vector<TemplateEntry> findTemplates(const Settings& settings) {
  std::vector<TemplateEntry> templates;
  const std::string& user = settings.userFolder();
  const std::string& system = settings.systemFolder();
  for (const char* cell : {kPrimaryCell, kSecondaryCell}) {
    std::set<std::string> names;
    for (const std::string& base : {user, system}) {
      if (base.empty()) continue;
      for (const char* area : {"Command", "RRCMessage"}) names.merge(xmlFilesIn(subFolder(base, {area, cell})));
    }
    for (const std::string& name : names) templates.push_back({name, cell, cell});
  }
  std::set<std::string> nasNames;
  for (const std::string& base : {user, system}) {
    if (!base.empty()) nasNames.merge(xmlFilesIn(subFolder(base, {"NASMessage"})));
  }
  for (const std::string& name : nasNames) templates.push_back({name, settings.cell(), "NASMessage"});
  return templates;
}

std::string findReadOnlyTemplate(const Settings& settings, const std::string& cell, const std::string& name) {
  for (const std::string& candidate : readOnlyCandidates(settings, cell, name)) {
    std::error_code error;
    if (fs::exists(candidate, error)) return candidate;
  }
  return std::string();
}

std::string workingCopyPath(const std::string& workFolder, const std::string& sourcePath, const std::string& name) {
  if (sourcePath.find(kPrimaryCell, 1) != std::string::npos) {
    return subFolder(workFolder, {"temp", kPrimaryCell}) + name;
  }
  if (sourcePath.find(kSecondaryCell, 1) != std::string::npos) {
    return subFolder(workFolder, {"temp", kSecondaryCell}) + name;
  }
  return subFolder(workFolder, {"temp"}) + name;
}

PixitChoice choosePixitFile(const std::string& frameworkFolder, const std::string& option) {
  PixitChoice choice;
  std::error_code error;
  if (!option.empty()) {
    const fs::path given(option);
    const bool bareName = !given.has_parent_path() && !fs::exists(given, error);
    choice.path = bareName ? (fs::path(frameworkFolder) / given).string() : fs::absolute(given).string();
    if (!fs::is_regular_file(choice.path, error)) choice.problem = "the PIXIT file " + choice.path + " does not exist";
    return choice;
  }
  static const std::set<std::string> kNotPixit = {"Types.xml", "L3_Wcdma_Types.xml", "Types_Callbox.xml",
                                                  "AssociationFile.xml"};
  std::vector<std::string> found;
  for (const std::string& name : xmlFilesIn(frameworkFolder)) {
    if (kNotPixit.count(name) == 0 && looksLikePixitFile(fs::path(frameworkFolder) / name)) found.push_back(name);
  }
  if (found.size() == 1) {
    choice.path = (fs::path(frameworkFolder) / found.front()).string();
  } else if (found.empty()) {
    choice.problem = "there is no PIXIT file at the root of " + frameworkFolder + " (name one with --pixit)";
  } else {
    std::string names;
    for (const std::string& name : found) names += (names.empty() ? "" : ", ") + name;
    choice.problem =
        "there are several PIXIT files at the root of " + frameworkFolder + " (" + names + "); name one with --pixit";
  }
  return choice;
}

std::string exampleFramework() {
  std::error_code error;
  const std::string self = executablePath();
  if (!self.empty()) {
    const fs::path installed = fs::path(self).parent_path() / L3XML_EXAMPLE_FROM_BIN;
    if (fs::is_directory(installed, error)) return fs::canonical(installed, error).string();
  }
  if (fs::is_directory(L3XML_EXAMPLE_SOURCE_DIR, error)) return fs::canonical(L3XML_EXAMPLE_SOURCE_DIR, error).string();
  return std::string();
}

FrameworkCopy::FrameworkCopy(const std::string& source) {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0;; ++attempt) {
    const fs::path candidate = base / ("l3xml-run-" + std::to_string(random() % 1000000000u));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      folder_ = candidate.generic_string();
      break;
    }
    if (attempt == 100) throw std::runtime_error("no temporary folder could be made under " + base.string());
  }
  try {
    // Working copies left in the framework by an earlier run would be read instead of the templates.
    for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
      if (entry.path().filename() == "temp") continue;
      fs::copy(entry.path(), fs::path(folder_) / entry.path().filename(), fs::copy_options::recursive);
    }
  } catch (...) {
    std::error_code error;
    fs::remove_all(folder_, error);
    throw;
  }
}

FrameworkCopy::~FrameworkCopy() {
  if (keep_) return;
  std::error_code error;
  fs::remove_all(folder_, error);
}

}  // namespace l3xml_cli
