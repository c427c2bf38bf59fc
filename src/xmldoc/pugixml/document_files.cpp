// Whole-file reads and replacing writes of documents, through the platform layer only.
#include "xmldoc/pugixml/document_files.h"

#include "platform/file_system.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

// Opening a folder for reading succeeds on POSIX; only a folder exists with a separator
// appended.
bool isFolder(const std::string& path) { return platform::pathExists(path + platform::kSeparator); }

}  // namespace

Status readWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (!platform::pathExists(path)) return kResourceNotFound;
  if (isFolder(path)) return kAccessDenied;
  if (platform::readFileBytes(path, bytes)) return kOk;
  return platform::canRead(path) ? kFail : kAccessDenied;
}

Status writeFileReplacing(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".l3xml-save";
  if (platform::writeFileBytes(temporary, bytes) && platform::replaceFile(temporary, path)) return kOk;
  const bool created = platform::pathExists(temporary);
  platform::removeFile(temporary);
  return created ? kFail : kAccessDenied;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
