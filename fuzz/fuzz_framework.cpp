// The sandbox of the fuzz targets: a copy of the example framework, and what no call may touch.
#include "fuzz_framework.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include <l3xml/l3xml.h>
#include <unistd.h>

#include "platform/file_system.h"

namespace fs = std::filesystem;

namespace l3xml_fuzz {

namespace {

// What is known of a file or folder of the sandbox: folders by kind only, since their times
// change whenever a working copy comes or goes.
struct Entry {
  bool folder = false;
  std::uintmax_t size = 0;
  fs::file_time_type written;
};

Entry entryOf(const fs::directory_entry& entry) {
  std::error_code error;
  Entry known;
  known.folder = entry.is_directory(error);
  if (!known.folder) {
    known.size = entry.file_size(error);
    known.written = entry.last_write_time(error);
  }
  return known;
}

bool operator!=(const Entry& a, const Entry& b) {
  return a.folder != b.folder || a.size != b.size || a.written != b.written;
}

// Kept until the process ends, when the sandbox is removed.
Sandbox* created = nullptr;
std::map<std::string, Entry>* expected = nullptr;

void removeSandbox() {
  std::error_code error;
  fs::remove_all(created->root, error);
}

bool isUnder(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

void writeText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void expectAsNow(const std::string& path) { (*expected)[path] = entryOf(fs::directory_entry(path)); }

std::string withSlashes(std::string name) {
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return name;
}

bool isAbsoluteName(const std::string& name) { return !name.empty() && (name[0] == '/' || name[0] == '\\'); }

bool mayChange(const char* path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(withSlashes(path)), error).lexically_normal();
  const std::string normal = absolute.string();
  for (const std::string& folder : {created->framework, created->root + "/tmp"}) {
    if (normal == folder || isUnder(normal, folder)) return true;
  }
  // The copy on which the modern interface applies a campaign, in the library's temporary folder.
  const std::string applied = std::string(P_tmpdir) + "/l3xml-applied-";
  if (normal.compare(0, applied.size(), applied) == 0) return true;
  require(!L3XML_FUZZ_ASSERT_CONFINEMENT, "the library changes a file outside the work folder", normal);
  return false;
}

// The operating system's operations, each one that changes a file first asking mayChange.
const l3xml::platform::FileOperations& osOperations() { return l3xml::platform::systemFileOperations(); }

void guardFileOperations() {
  auto& operations = l3xml::platform::fileOperations();
  operations.copy = [](const char* source, const char* destination) {
    return mayChange(destination) && osOperations().copy(source, destination);
  };
  operations.makeDirectories = [](const char* path) { return mayChange(path) && osOperations().makeDirectories(path); };
  operations.replace = [](const char* source, const char* destination) {
    return mayChange(source) && mayChange(destination) && osOperations().replace(source, destination);
  };
  operations.open = [](const char* path, const char* mode) -> std::FILE* {
    const bool changes = std::string(mode).find_first_of("wa+") != std::string::npos;
    return changes && !mayChange(path) ? nullptr : osOperations().open(path, mode);
  };
  operations.remove = [](const char* path) { return mayChange(path) ? osOperations().remove(path) : -1; };
  operations.rename = [](const char* source, const char* destination) {
    return mayChange(source) && mayChange(destination) ? osOperations().rename(source, destination) : -1;
  };
}

}  // namespace

const Sandbox& sandbox() {
  if (created != nullptr) return *created;
  setenv("L3XML_LOG", "none", 0);
  const fs::path root = fs::temp_directory_path() / ("l3xml-fuzz-" + std::to_string(::getpid()));
  fs::remove_all(root);
  created =
      new Sandbox{root.string(), (root / "framework").string(), (root / "user").string(), (root / "outside").string()};
  fs::create_directories(root / "tmp");
  setenv("TMPDIR", (root / "tmp").c_str(), 1);
  expected = new std::map<std::string, Entry>();
  std::atexit(&removeSandbox);

  fs::create_directories(created->framework);
  for (const auto& entry : fs::directory_iterator(L3XML_FUZZ_EXAMPLE_FRAMEWORK)) {
    const std::string name = entry.path().filename().string();
    if (name == "temp" || name[0] == '.') continue;
    fs::copy(entry.path(), created->framework + "/" + name, fs::copy_options::recursive);
  }
  const std::string message = readText(created->framework + "/RRCMessage/PrimaryCell/RRCConnectionRelease.xml");
  writeText(created->user + "/RRCMessage/PrimaryCell/UserMessage.xml", message);
  for (const char* name : {"victim.xml", "RRCMessage/PrimaryCell/RRCConnectionRelease.xml", "temp/x.xml"}) {
    writeText(created->outside + "/" + name, message);
  }
  writeText(created->root + "/victim.xml", message);
  for (const auto& entry : fs::recursive_directory_iterator(created->root)) expectAsNow(entry.path().string());

  guardFileOperations();
  setFrameworkSourcepath_WCDMA(created->framework.c_str());
  setFrameworkUserSourcepath_WCDMA(created->user.c_str());
  std::string work = created->framework;
  SetXMLParserSourcePath_WCDMA(work.data());
  return *created;
}

std::string writeInput(const std::string& relativePath, const std::uint8_t* data, std::size_t size) {
  return writeInput(relativePath, std::string(reinterpret_cast<const char*>(data), size));
}

std::string writeInput(const std::string& relativePath, const std::string& text) {
  const std::string path = sandbox().framework + "/" + relativePath;
  writeText(path, text);
  for (fs::path folder = fs::path(path).parent_path(); folder.string() != created->framework;
       folder = folder.parent_path()) {
    expectAsNow(folder.string());
  }
  expectAsNow(path);
  return path;
}

std::vector<std::string> fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
  std::vector<std::string> texts;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (texts.size() + 1 < count) {
    const std::size_t end = input.find('\n', start);
    if (end == std::string::npos) break;
    texts.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  texts.push_back(start <= input.size() ? input.substr(start) : std::string());
  texts.resize(count);
  for (std::string& text : texts) text = text.substr(0, text.find('\0'));
  return texts;
}

void startRun() {
  std::vector<fs::path> added;
  for (const std::string& folder : {sandbox().framework, sandbox().root + "/tmp"}) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (expected->count(entry.path().string()) == 0) added.push_back(entry.path());
    }
  }
  for (const fs::path& path : added) {
    std::error_code error;
    fs::remove_all(path, error);
  }
}

void checkUntouched() {
  for (const auto& [path, entry] : *expected) {
    std::error_code error;
    const fs::directory_entry now(path, error);
    require(now.exists(error), "a file of the sandbox vanished", path);
    require(!(entryOf(now) != entry), "a file of the sandbox changed", path);
  }
  for (const auto& entry : fs::recursive_directory_iterator(created->root)) {
    const std::string path = entry.path().string();
    if (expected->count(path) == 0 && !isUnder(path, created->root + "/tmp")) {
      require(isUnder(path, created->framework), "a file appeared outside the work folder", path);
    }
  }
}

bool isPlainName(const std::string& name) {
  if (isAbsoluteName(name)) return false;
  const std::string slashed = "/" + withSlashes(name) + "/";
  return slashed.find("/../") == std::string::npos;
}

bool maySpellParent(const std::string& text) {
  for (const std::string& spelling :
       {std::string(".."), std::string(".\0.", 3), std::string("&#"), std::string("&\0#", 3)}) {
    if (text.find(spelling) != std::string::npos) return true;
  }
  return false;
}

std::string sandboxName(const std::string& name) {
  std::string resolved;
  for (char c : name) {
    if (c == '%') {
      resolved += sandbox().root;
    } else {
      resolved += c;
    }
  }
  return resolved;
}

bool inFrameworkFolders(const std::string& path) {
  const std::string normal = fs::path(withSlashes(path)).lexically_normal().string();
  return isUnder(normal, sandbox().framework) || isUnder(normal, sandbox().user);
}

void require(bool condition, const char* what, const std::string& detail) {
  if (condition) return;
  std::fprintf(stderr, "l3xml fuzz finding: %s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace l3xml_fuzz
