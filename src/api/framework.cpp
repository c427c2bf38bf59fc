// A framework folder: its search list, its templates and the files of its campaign.
#include <algorithm>
#include <cctype>
#include <set>

#include <l3xml/framework.h>

#include "api/call.h"
#include "api/locations.h"
#include "params/parameter_load.h"
#include "parser/document_access.h"
#include "paths/framework_paths.h"
#include "platform/file_system.h"

namespace l3xml {

namespace api {

Location locationOf(const paths::Candidate& candidate) {
  Location location;
  location.path = candidate.path;
  location.base = candidate.base == paths::Base::kUser          ? Base::kUser
                  : candidate.base == paths::Base::kFixedFolder ? Base::kFixedFolder
                                                                : Base::kSystem;
  location.folder = candidate.folder;
  location.cell = candidate.cellFolder != nullptr ? candidate.cellFolder : "";
  location.candidate = candidate.number;
  location.workingCopy = candidate.area == paths::Area::kWorkingCopies;
  return location;
}

}  // namespace api

namespace {

bool hasXmlExtension(const std::string& name) {
  if (name.size() < 4) return false;
  std::string extension = name.substr(name.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".xml";
}

// The message files of a folder of the search list.
std::vector<std::string> xmlFilesIn(const paths::Candidate& folder) {
  std::vector<std::string> names = platform::listFiles(folder.path);
  names.erase(
      std::remove_if(names.begin(), names.end(), [](const std::string& name) { return !hasXmlExtension(name); }),
      names.end());
  return names;
}

// A file of PIXIT parameters: its name says so, or its entries carry a name and a value (type and
// association entries do not). A file named as one counts even when it does not parse, so that
// loading it says what is wrong with it.
bool holdsPixitParameters(const std::string& folder, const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower.find("pixit") != std::string::npos) return true;
  dom::ComPtr<dom::IXMLDOMDocument> document;
  bool loaded = false;
  dom::ComPtr<dom::IXMLDOMNode> root;
  dom::ComPtr<dom::IXMLDOMNodeList> entries;
  long count = 0;
  if (parser::createParserDocument(document.GetAddressOf()) < 0 ||
      dom::failed(document->load(folder + platform::kSeparator + name, loaded)) || !loaded ||
      dom::failed(document->get_documentElement(root)) || !root || dom::failed(root->get_childNodes(entries)) ||
      !entries || dom::failed(entries->get_length(count))) {
    return false;
  }
  for (long i = 0; i < count; ++i) {
    dom::ComPtr<dom::IXMLDOMNode> entry;
    dom::ComPtr<dom::IXMLDOMNamedNodeMap> attributes;
    if (dom::failed(entries->get_item(i, entry)) || !entry || entry->get_attributes(attributes) != dom::kOk ||
        !attributes) {
      continue;  // not an element
    }
    bool named = false;
    bool valued = false;
    long attributeCount = 0;
    (void)attributes->get_length(attributeCount);
    for (long a = 0; a < attributeCount; ++a) {
      dom::ComPtr<dom::IXMLDOMNode> attribute;
      std::string attributeName;
      if (dom::failed(attributes->get_item(a, attribute)) || !attribute) continue;
      (void)attribute->get_nodeName(attributeName);
      named = named || attributeName == "Name";
      valued = valued || attributeName == "Value";
    }
    return named && valued;
  }
  return false;
}

}  // namespace

Framework::Framework(Folders folders) : folders_(std::move(folders)) {}

Framework Framework::withCell(const std::string& cell) const {
  Folders folders = folders_;
  folders.cell = cell;
  return Framework(std::move(folders));
}

std::optional<Location> Framework::find(const std::string& fileName) const {
  const std::optional<paths::Candidate> found = paths::locate(api::settingsOf(folders_), fileName);
  if (!found) return std::nullopt;
  return api::locationOf(*found);
}

std::optional<Location> Framework::findTemplate(const std::string& fileName) const {
  const std::optional<paths::Candidate> found = paths::locate(api::settingsOf(folders_), fileName, false);
  if (!found) return std::nullopt;
  return api::locationOf(*found);
}

std::string Framework::workingCopyPath(const std::string& fileName) const {
  const paths::FrameworkFolders settings = api::settingsOf(folders_);
  const std::string found = paths::findFrameworkFile(settings, fileName);
  return found.empty() ? std::string() : paths::workingCopyPath(settings.work, found, fileName);
}

// One entry per file name and cell: the lookup picks one file for a name, and the files it
// passes over are the ones this one hides.
std::vector<TemplateEntry> Framework::templates() const {
  std::vector<TemplateEntry> entries;
  const paths::FrameworkFolders settings = api::settingsOf(folders_);
  auto collect = [&](const std::string& cell, bool cellFolders, const std::string& area) {
    const std::vector<paths::Candidate> folders = paths::templateFolders(settings, cell);
    std::set<std::string> names;
    for (const paths::Candidate& folder : folders) {
      if ((folder.cellFolder != nullptr) != cellFolders) continue;
      for (std::string& name : xmlFilesIn(folder)) names.insert(std::move(name));
    }
    for (const std::string& name : names) {
      TemplateEntry entry{name, cell, area, Location(), {}};
      bool found = false;
      for (const paths::Candidate& folder : folders) {
        const std::string path = folder.path + name;
        if (!platform::pathExists(path)) continue;
        paths::Candidate candidate = folder;
        candidate.path = path;
        (found ? entry.hidden.emplace_back() : entry.location) = api::locationOf(candidate);
        found = true;
      }
      entries.push_back(std::move(entry));
    }
  };
  collect(kPrimaryCell, true, kPrimaryCell);
  collect(kSecondaryCell, true, kSecondaryCell);
  collect(folders_.cell, false, kNasMessage);
  return entries;
}

std::optional<TemplateEntry> Framework::templateIn(Base base, const std::string& folder,
                                                   const std::string& fileName) const {
  const std::string& current = folders_.cell;
  for (const char* cell : {paths::cellFolderFor(current), current == kSecondaryCell ? kPrimaryCell : kSecondaryCell}) {
    paths::FrameworkFolders settings = api::settingsOf(folders_);
    settings.cell = cell;
    for (const paths::Candidate& candidate : paths::searchList(settings, fileName)) {
      if (api::locationOf(candidate).base != base || candidate.folder != folder) continue;
      TemplateEntry entry;
      entry.name = fileName;
      entry.cell = candidate.cellFolder != nullptr ? cell : current;
      entry.area = candidate.cellFolder != nullptr ? std::string(cell) : folder;
      const bool workingCopy = candidate.area == paths::Area::kWorkingCopies;
      const std::optional<paths::Candidate> found = paths::locate(settings, fileName, workingCopy);
      entry.location = api::locationOf(found ? *found : candidate);
      return entry;
    }
  }
  return std::nullopt;
}

bool Framework::readsBack(const std::string& fileName, const std::string& path) const {
  for (const paths::Candidate& candidate : paths::searchList(api::settingsOf(folders_), fileName)) {
    if (candidate.path == path) return true;
    if (platform::pathExists(candidate.path)) return false;
  }
  return false;
}

std::vector<std::string> Framework::pixitFiles() const {
  static const std::set<std::string> kOtherFiles = {"Types.xml", "L3_Wcdma_Types.xml", "Types_Callbox.xml",
                                                    "AssociationFile.xml"};
  std::vector<std::string> found;
  for (const std::string& name : platform::listFiles(folders_.system)) {
    if (hasXmlExtension(name) && kOtherFiles.count(name) == 0 && holdsPixitParameters(folders_.system, name)) {
      found.push_back(folders_.system + platform::kSeparator + name);
    }
  }
  return found;
}

std::optional<Location> Framework::typeFile(const std::string& pixitFile) const {
  return find(params::typeFileFor(pixitFile));
}

std::optional<Location> Framework::associationFile() const { return find("AssociationFile.xml"); }

}  // namespace l3xml
