// Whole-file reads and replacing writes of documents, through the platform layer only.
#include "xmldoc/pugixml/document_files.h"

#include <cstdio>

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
  std::FILE* file = platform::openFile(path, "rb");
  if (file == nullptr) return platform::canRead(path) ? kFail : kAccessDenied;
  char buffer[65536];
  for (;;) {
    const std::size_t got = platform::fileOperations().read(buffer, 1, sizeof buffer, file);
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  platform::closeFile(file);
  return kOk;
}

Status writeFileReplacing(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".l3xml-save";
  std::FILE* file = platform::openFile(temporary, "wb");
  if (file == nullptr) return kAccessDenied;
  bool written = bytes.empty() || platform::fileOperations().write(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (platform::closeFile(file) != 0) written = false;
  if (written && platform::replaceFile(temporary, path)) return kOk;
  platform::removeFile(temporary);
  return kFail;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
