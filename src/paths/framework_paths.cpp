// The framework's folders and the ordered search over them.
#include "paths/framework_paths.h"

#include "logging/logging.h"
#include "platform/file_system.h"

namespace l3xml {
namespace paths {

namespace {

// One row of the search list: the base, what the folder holds, and its sub-folders, where
// nullptr stands for the cell folder of the list.
struct Row {
  Base base;
  Area area;
  std::initializer_list<const char*> folders;
};

const Row kSearchRows[] = {
    {Base::kSystem, Area::kWorkingCopies, {"temp", nullptr}},
    {Base::kUser, Area::kTemplates, {"Command", nullptr}},
    {Base::kUser, Area::kTemplates, {"RRCMessage", nullptr}},
    {Base::kSystem, Area::kTemplates, {"Command", nullptr}},
    {Base::kSystem, Area::kTemplates, {"RRCMessage", nullptr}},
    {Base::kUser, Area::kTemplates, {"NASMessage"}},
    {Base::kSystem, Area::kTemplates, {"NASMessage"}},
    {Base::kSystem, Area::kWorkingCopies, {"temp"}},
    {Base::kUser, Area::kOther, {}},
    {Base::kSystem, Area::kOther, {}},
    {Base::kFixedFolder, Area::kOther, {}},
    {Base::kSystem, Area::kOther, {"RFTestCases"}},
};

const std::string& baseFolder(const FrameworkFolders& folders, Base base) {
  return base == Base::kUser ? folders.user : folders.system;
}

const char* folderName(const char* name, const char* cellFolder) { return name != nullptr ? name : cellFolder; }

// The path a row gives for fileName, into path. The fixed folder carries its own separators;
// every other base gets the sub-folder, which starts and ends with one, by plain concatenation
// (an unset base leaves the sub-folder alone).
void buildPath(const FrameworkFolders& folders, const Row& row, const char* cellFolder, const std::string& fileName,
               std::string& path) {
  if (row.base == Base::kFixedFolder) {
    path = platform::fixedGuiFolder();
  } else {
    path = baseFolder(folders, row.base);
    for (const char* name : row.folders) {
      path += platform::kSeparator;
      path += folderName(name, cellFolder);
    }
    path += platform::kSeparator;
  }
  path += fileName;
}

Candidate candidateOf(const FrameworkFolders& folders, const Row& row, int number, const char* cellFolder,
                      const std::string& fileName) {
  Candidate candidate{number, row.base, row.area, std::string(), nullptr, std::string()};
  for (const char* name : row.folders) {
    if (name == nullptr) candidate.cellFolder = cellFolder;
    if (!candidate.folder.empty()) candidate.folder += '/';
    candidate.folder += folderName(name, cellFolder);
  }
  buildPath(folders, row, cellFolder, fileName, candidate.path);
  return candidate;
}

}  // namespace

bool isConfinedName(const std::string& fileName) {
  if (fileName.empty()) return true;
  if (fileName[0] == '/' || fileName[0] == '\\') return false;
  if (fileName.size() >= 2 && fileName[1] == ':') return false;  // a drive, or a stream name on one
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type end = fileName.find_first_of("/\\", start);
    if (fileName.compare(start, end == std::string::npos ? std::string::npos : end - start, "..") == 0) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

bool acceptFileName(const char* call, const std::string& fileName) {
  if (isConfinedName(fileName)) return true;
  logging::error(
      logging::kCodeRefusedName,
      {call, ": the file name ", fileName, " is refused: a file name may not be absolute or contain a '..' component"});
  return false;
}

const char* cellFolderFor(const std::string& cell) { return cell == kSecondaryCell ? kSecondaryCell : kPrimaryCell; }

std::string subFolder(std::initializer_list<const char*> names) {
  std::string folder(1, platform::kSeparator);
  for (const char* name : names) {
    folder += name;
    folder += platform::kSeparator;
  }
  return folder;
}

std::vector<Candidate> searchList(const FrameworkFolders& folders, const std::string& fileName) {
  std::vector<Candidate> candidates;
  const char* cellFolder = cellFolderFor(folders.cell);
  int number = 0;
  for (const Row& row : kSearchRows) candidates.push_back(candidateOf(folders, row, ++number, cellFolder, fileName));
  return candidates;
}

// The candidates are tried afresh on every call: a file created between two calls is found by
// the second. A candidate on an unset base starts with its sub-folder and is tested as it stands.
std::optional<Candidate> locate(const FrameworkFolders& folders, const std::string& fileName, bool includeWorkingCopies,
                                const char* call) {
  if (!acceptFileName(call, fileName)) return std::nullopt;
  if (folders.user.empty() && folders.system.empty()) {
    logging::error(logging::kCodeNoFramework, {"user source file path and system source path are not set "});
    return std::nullopt;
  }
  // The paths are tried in one buffer; the candidate is made for the one that is there.
  const char* cellFolder = cellFolderFor(folders.cell);
  std::string path;
  int number = 0;
  for (const Row& row : kSearchRows) {
    ++number;
    if (!includeWorkingCopies && row.area == Area::kWorkingCopies) continue;
    if (!folders.searchUnsetBases && row.base != Base::kFixedFolder && baseFolder(folders, row.base).empty()) continue;
    buildPath(folders, row, cellFolder, fileName, path);
    if (platform::pathExists(path)) return candidateOf(folders, row, number, cellFolder, fileName);
  }
  return std::nullopt;
}

std::string findFrameworkFile(const FrameworkFolders& folders, const std::string& fileName, const char* call) {
  const std::optional<Candidate> found = locate(folders, fileName, true, call);
  return found ? found->path : std::string();
}

// The cell is told by the found path itself, at a position after its first character.
std::string workingCopyPath(const std::string& work, const std::string& sourcePath, const std::string& fileName) {
  if (sourcePath.find(kPrimaryCell, 1) != std::string::npos) return work + subFolder({"temp", kPrimaryCell}) + fileName;
  if (sourcePath.find(kSecondaryCell, 1) != std::string::npos) {
    return work + subFolder({"temp", kSecondaryCell}) + fileName;
  }
  return work + subFolder({"temp"}) + fileName;
}

std::vector<Candidate> templateFolders(const FrameworkFolders& folders, const std::string& cell) {
  FrameworkFolders forCell = folders;
  forCell.cell = cell;
  std::vector<Candidate> found;
  for (Candidate& candidate : searchList(forCell, std::string())) {
    if (candidate.area == Area::kTemplates && !baseFolder(folders, candidate.base).empty()) {
      found.push_back(std::move(candidate));
    }
  }
  return found;
}

}  // namespace paths
}  // namespace l3xml
