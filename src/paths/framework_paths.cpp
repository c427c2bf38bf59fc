// The framework settings and the ordered search over the framework's folders.
#include "paths/framework_paths.h"

#include "logging/logging.h"
#include "platform/file_system.h"

namespace l3xml {

std::string frameworkUserSourcePath;
std::string frameworkSourcePath;
std::string lowCellName;
std::string xmlParserSourcePath;

namespace paths {

std::string subFolder(std::initializer_list<const char*> names) {
  std::string folder(1, platform::kSeparator);
  for (const char* name : names) {
    folder += name;
    folder += platform::kSeparator;
  }
  return folder;
}

// The candidates are tried afresh on every call: a file created between two calls is found by
// the second. A candidate on an unset base starts with its sub-folder and is tested as it stands.
std::string findFrameworkFile(const std::string& fileName) {
  const std::string user = frameworkUserSourcePath;
  const std::string system = frameworkSourcePath;
  if (user.empty() && system.empty()) {
    logging::error({"user source file path and system source path are not set "});
    return std::string();
  }
  const std::string cell = lowCellName.empty() ? std::string(kPrimaryCell) : lowCellName;
  const char* cellFolder = cell == kSecondaryCell ? kSecondaryCell : kPrimaryCell;

  const std::string candidates[] = {
      system + subFolder({"temp", cellFolder}) + fileName,
      user + subFolder({"Command", cellFolder}) + fileName,
      user + subFolder({"RRCMessage", cellFolder}) + fileName,
      system + subFolder({"Command", cellFolder}) + fileName,
      system + subFolder({"RRCMessage", cellFolder}) + fileName,
      user + subFolder({"NASMessage"}) + fileName,
      system + subFolder({"NASMessage"}) + fileName,
      system + subFolder({"temp"}) + fileName,
      user + subFolder({}) + fileName,
      system + subFolder({}) + fileName,
      platform::fixedGuiFolder() + fileName,
      system + subFolder({"RFTestCases"}) + fileName,
  };
  for (const std::string& candidate : candidates) {
    if (platform::pathExists(candidate)) return candidate;
  }
  return std::string();
}

void resetSettingsForTesting() {
  frameworkUserSourcePath.clear();
  frameworkSourcePath.clear();
  lowCellName.clear();
  xmlParserSourcePath.clear();
}

}  // namespace paths
}  // namespace l3xml
