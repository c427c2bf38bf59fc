// The four framework settings and the lookup of a file over the framework's folders.
#ifndef L3XML_PATHS_FRAMEWORK_PATHS_H
#define L3XML_PATHS_FRAMEWORK_PATHS_H

#include <initializer_list>
#include <string>

namespace l3xml {

// Module settings, all empty when the library is loaded.
extern std::string frameworkUserSourcePath;
extern std::string frameworkSourcePath;
extern std::string lowCellName;
extern std::string xmlParserSourcePath;

namespace paths {

inline constexpr const char* kPrimaryCell = "PrimaryCell";
inline constexpr const char* kSecondaryCell = "SecondaryCell";

// Joins folder names with the platform separator, with a separator before and after:
// subFolder({"temp", "PrimaryCell"}) is "\temp\PrimaryCell\" on Windows.
std::string subFolder(std::initializer_list<const char*> names);

// The full path of the first framework candidate for fileName that exists; empty when none does.
std::string findFrameworkFile(const std::string& fileName);

// Empties the four settings. Tests only.
void resetSettingsForTesting();

}  // namespace paths
}  // namespace l3xml

#endif  // L3XML_PATHS_FRAMEWORK_PATHS_H
