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
  // Reading first spares every successful load the classifying calls; a failed read is
  // classified afterwards in the order the outcomes are told apart.
  if (platform::readFileBytes(path, bytes)) return kOk;
  bytes.clear();
  if (!platform::pathExists(path)) return kResourceNotFound;
  if (isFolder(path)) return kAccessDenied;
  return platform::canRead(path) ? kFail : kAccessDenied;
}

// The bytes go to a new file of a unique name beside the destination, moved over it in one step;
// a destination that may not be written (a read-only working copy) is left as it is.
Status writeFileReplacing(const std::string& path, const std::string& bytes) {
  // Asked in this order, a destination that may be written costs one question less.
  if (!platform::canWrite(path) && platform::pathExists(path)) return kAccessDenied;
  const std::string temporary = platform::uniqueSibling(path, ".l3xml-save");
  if (platform::writeNewFileBytes(temporary, bytes) && platform::replaceFile(temporary, path)) return kOk;
  const bool created = platform::pathExists(temporary);
  platform::removeFile(temporary);
  return created ? kFail : kAccessDenied;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
