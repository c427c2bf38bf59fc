// The framework's folders and the one search list over them: where a file name is looked for,
// which folders hold templates, and where the working copy of a template goes.
#ifndef L3XML_PATHS_FRAMEWORK_PATHS_H
#define L3XML_PATHS_FRAMEWORK_PATHS_H

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace l3xml {
namespace paths {

inline constexpr const char* kPrimaryCell = "PrimaryCell";
inline constexpr const char* kSecondaryCell = "SecondaryCell";

// The four settings the host gives: the base folders (without a trailing separator), the
// current cell and the folder under which working copies are kept.
struct FrameworkFolders {
  std::string user;
  std::string system;
  std::string cell;  // "SecondaryCell" selects the secondary list; anything else the primary one
  std::string work;  // xmlParserSourcePath
  // The legacy interface tests a candidate on an unset base as it stands (from the file system's
  // root); the modern interface and the command line leave such candidates out.
  bool searchUnsetBases = true;
};

// The cell folder whose list the setting selects: only the exact secondary name selects it.
const char* cellFolderFor(const std::string& cell);

// Joins folder names with the platform separator, with a separator before and after:
// subFolder({"temp", "PrimaryCell"}) is "\temp\PrimaryCell\" on Windows.
std::string subFolder(std::initializer_list<const char*> names);

enum class Base { kSystem, kUser, kFixedFolder };

// What a candidate folder of the search list holds.
enum class Area {
  kWorkingCopies,  // temp/<cell> and temp: where value setting and renaming leave their copies
  kTemplates,      // Command/<cell>, RRCMessage/<cell> and NASMessage
  kOther,          // the roots, the fixed folder and RFTestCases
};

// One candidate of the search list: where it lies and the path it gives for a file name.
struct Candidate {
  int number;  // 1 to 12, in the order they are tried
  Base base;
  Area area;
  std::string folder;      // the folders between base and file name, joined by '/'; empty at a root
  const char* cellFolder;  // the cell folder it lies in, or null
  std::string path;        // base + sub-folder + file name, by plain concatenation
};

// The twelve candidates for fileName, in the order the lookup tries them.
std::vector<Candidate> searchList(const FrameworkFolders& folders, const std::string& fileName);

// The lookup's own name, for messages of callers that do not give theirs.
inline constexpr const char* kLookupCall = "getFrameworkCompleteFilePath_WCDMA";

// True when a file name joined to a folder stays inside it: not absolute (no leading separator,
// no drive) and no ".." component, with '/' and '\\' both separators on every system.
bool isConfinedName(const std::string& fileName);

// isConfinedName, logging an error that names the call and the file when the name is refused.
bool acceptFileName(const char* call, const std::string& fileName);

// The first candidate that exists. Working copies are left out when asked, which gives the
// template itself. Logs an error and finds nothing when both base folders are unset or the name
// is not confined (the error names call).
std::optional<Candidate> locate(const FrameworkFolders& folders, const std::string& fileName,
                                bool includeWorkingCopies = true, const char* call = kLookupCall);

// The full path of the first candidate for fileName that exists; empty when none does.
std::string findFrameworkFile(const FrameworkFolders& folders, const std::string& fileName,
                              const char* call = kLookupCall);

// Where the working copy of the file found at sourcePath is kept: under work, in the temp
// sub-folder of the cell whose folder sourcePath lies in, or in temp itself.
std::string workingCopyPath(const std::string& work, const std::string& sourcePath, const std::string& fileName);

// The folders that hold templates, for one cell: the template candidates of its search list,
// without a file name, in lookup order.
std::vector<Candidate> templateFolders(const FrameworkFolders& folders, const std::string& cell);

}  // namespace paths
}  // namespace l3xml

#endif  // L3XML_PATHS_FRAMEWORK_PATHS_H
