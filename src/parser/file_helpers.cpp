// Whole-file helpers of the writing side: copying, existence and access tests, and trimming a
// file after its last '>'.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/file_helpers.h"
#include "paths/work_folder_lock.h"
#include "platform/file_system.h"
#include "state/module_state.h"

namespace logging = l3xml::logging;
namespace platform = l3xml::platform;

namespace l3xml {
namespace parser {

bool copyFileLogged(const std::string& source, const std::string& destination) {
  const bool copied = platform::copyFileReplacing(source, destination);
  const logging::Level level = copied ? logging::kDebug : logging::kError;
  logging::logJoined(level, {copied ? "CXMLParser::copyFile Success" : "CXMLParser::copyFile Failure"});
  logging::logFormatted(level, "Source File %s", source.c_str());
  logging::logFormatted(level, "Dest File %s", destination.c_str());
  return copied;
}

namespace {

// Where the file's last '>' ends, counted in characters of its encoding: two-byte units after a
// UTF-16 byte-order mark, bytes otherwise. npos when there is none.
std::string::size_type endOfLastTag(const std::string& content) {
  const bool littleEndian = content.compare(0, 2, "\xFF\xFE") == 0;
  if (!littleEndian && content.compare(0, 2, "\xFE\xFF") != 0) {
    const std::string::size_type last = content.rfind('>');
    return last == std::string::npos ? last : last + 1;
  }
  const char low = littleEndian ? '>' : '\0';
  const char high = littleEndian ? '\0' : '>';
  std::string::size_type end = std::string::npos;
  for (std::size_t unit = 2; unit + 1 < content.size(); unit += 2) {
    if (content[unit] == low && content[unit + 1] == high) end = unit + 2;
  }
  return end;
}

}  // namespace

// The trimmed content goes through the fixed intermediate file and is copied back over the file
// before anything is deleted, so that a failure at any step leaves the file as it was. The work
// folder's lock keeps other writers off the intermediate file meanwhile.
long trimAfterLastTag(const std::string& work, const std::string& path) {
  const paths::WorkFolderLock lock("CXMLParser::removeNewLineChar", work);
  if (!lock.held()) return 1;
  const std::string intermediate = work + platform::kSeparator + "newFile.xml";
  std::string content;
  if (!platform::readFileBytes(path, content)) {
    logging::error({"CXMLParser::removeNewLineChar: cannot read ", path});
    return 1;
  }
  const std::string::size_type end = endOfLastTag(content);
  if (end == std::string::npos) {
    logging::debug({"The File is Empty "});
    return 1;
  }
  if (!platform::canWrite(path)) {
    logging::error(logging::kCodeWriteFailed,
                   {"CXMLParser::removeNewLineChar: the file is read-only and was left as it is: ", path});
    return 1;
  }
  content.resize(end);
  if (!platform::writeNewFileBytes(intermediate, content)) {
    (void)platform::removeFile(intermediate);
    logging::error(logging::kCodeWriteFailed, {"CXMLParser::removeNewLineChar: cannot write ", intermediate});
    return 1;
  }
  const bool copiedBack = copyFileLogged(intermediate, path);
  (void)platform::removeFile(intermediate);
  return copiedBack ? 0 : 1;
}

}  // namespace parser
}  // namespace l3xml

void CXMLParser::copyFile(std::string source, std::string destination) {
  (void)l3xml::parser::copyFileLogged(source, destination);
}

long CXMLParser::IsFilePresentInTempFolder(std::string& path) { return platform::pathExists(path) ? 0 : -1000; }

// Tells whether the path can be read, which in effect tells whether it exists.
bool CXMLParser::IsFileReadOnly(const std::string& path) { return platform::canRead(path); }

long CXMLParser::removeNewLineChar(std::string path) {
  return l3xml::parser::trimAfterLastTag(l3xml::state::module().settings.work, path);
}
