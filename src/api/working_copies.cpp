// The working copies of a framework: which there are, and removing them.
#include <l3xml/framework.h>

#include "api/call.h"
#include "paths/framework_paths.h"
#include "platform/file_system.h"

namespace l3xml {

std::vector<WorkingCopy> Framework::workingCopies() const {
  std::vector<WorkingCopy> copies;
  for (const TemplateEntry& entry : templates()) {
    const std::string path = paths::workingCopyPath(api::settingsOf(folders_).work, entry.location.path, entry.name);
    if (!platform::pathExists(path)) continue;
    const bool cellCopy = entry.area != kNasMessage;
    copies.push_back({entry.name, cellCopy ? entry.cell : std::string(), path, entry.location.path});
  }
  return copies;
}

Result<bool> Framework::removeWorkingCopy(const std::string& fileName) const {
  return api::guarded<bool>(folders_, [&](api::Call& call) -> std::optional<bool> {
    const std::optional<paths::Candidate> found = paths::locate(call.state().settings, fileName, false);
    if (!found) {
      call.setFile(fileName);
      call.add(Severity::kError, codes::kMissingFile, "no template of that name in the framework's folders");
      return std::nullopt;
    }
    const std::string path = paths::workingCopyPath(call.state().settings.work, found->path, fileName);
    if (!platform::pathExists(path)) return false;
    call.setFile(path);
    if (platform::removeFile(path) != 0) {
      call.add(Severity::kError, codes::kWriteFailed, "the working copy could not be removed");
      return std::nullopt;
    }
    return true;
  });
}

}  // namespace l3xml
