// Renaming a node by a text rewrite of the template into its working copy.
#include "parser/node_renaming.h"

#include <algorithm>
#include <optional>

#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "paths/framework_paths.h"
#include "paths/work_folder_lock.h"
#include "platform/file_system.h"

namespace l3xml {
namespace parser {

namespace {

// The rewrite works on the pieces a 255-character line buffer takes: a line with its line feed
// when it fits, otherwise the next 254 characters of it.
constexpr std::size_t kPieceLength = 254;

// Reads the next piece into piece; false at the end of the input.
bool readPiece(std::FILE* input, std::string& piece) {
  piece.clear();
  while (piece.size() < kPieceLength) {
    const int c = platform::fileOperations().getChar(input);
    if (c == EOF) break;
    piece.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !piece.empty();
}

// Overwrites the piece from the first occurrence of oldName with newName's characters, as many
// as newName has, cut at the piece's end; nothing else of the piece changes.
void overwriteFirstOccurrence(std::string& piece, const std::string& oldName, const std::string& newName) {
  if (oldName.empty()) return;
  const std::string::size_type at = piece.find(oldName);
  if (at == std::string::npos) return;
  const std::size_t count = std::min(newName.size(), piece.size() - at);
  piece.replace(at, count, newName, 0, count);
}

}  // namespace

long renameNode(state::ModuleState& state, const std::string& fileName, const std::string& oldName,
                const std::string& newName) {
  logging::debug({"CXMLParser::UpdateNodeName :Setting value in file::", fileName, " and Old Node Name::", oldName,
                  " and New Node Name::", newName});
  const std::string inputSourcePath = paths::findFrameworkFile(state.settings, fileName, "CXMLParser::UpdateNodeName");
  logging::debug({"CXMLParser::UpdateNodeName :inputSourcePath = ", inputSourcePath});
  const std::string tempFolder = state.settings.work + paths::subFolder({"temp"});
  const std::string outputSourcePath = tempFolder + "temp.xml";
  const std::string outputTempPath = tempFolder + fileName;
  logging::debug({"CXMLParser::UpdateNodeName :outputSourcePath = ", outputSourcePath});

  // The read, the rewrite and the move hold the work folder's lock: "temp.xml" is shared by every
  // renaming, and the working copy read may be the one written.
  std::optional<paths::WorkFolderLock> lock;
  if (!inputSourcePath.empty() && !lock.emplace("CXMLParser::UpdateNodeName", state.settings.work).held()) {
    return -1000;
  }
  std::FILE* input = inputSourcePath.empty() ? nullptr : platform::openFile(inputSourcePath, "rb");
  if (input == nullptr) {
    logging::debug({"CXMLParser::UpdateNodeName :File not created = ", inputSourcePath});
    return -1000;
  }
  if (platform::pathExists(outputTempPath) && !platform::canWrite(outputTempPath)) {
    platform::closeFile(input);
    logging::error(
        logging::kCodeWriteFailed,
        {"CXMLParser::UpdateNodeName: the working copy is read-only and was left as it is: ", outputTempPath});
    return -1000;
  }
  (void)platform::removeFile(outputSourcePath);  // a link planted at the name is removed, never followed
  std::FILE* output = platform::fileOperations().createNew(outputSourcePath.c_str());
  if (output == nullptr) {
    platform::closeFile(input);
    logging::debug({"CXMLParser::UpdateNodeName :File not created = ", outputSourcePath});
    return -1000;
  }

  bool written = true;
  std::string piece;
  while (readPiece(input, piece)) {
    overwriteFirstOccurrence(piece, oldName, newName);
    written = platform::fileOperations().write(piece.data(), 1, piece.size(), output) == piece.size() && written;
  }
  const bool readWhole = platform::fileOperations().error(input) == 0;
  platform::closeFile(input);
  written = platform::closeFile(output) == 0 && written;
  if (!written || !readWhole) {
    // A short rewrite must not replace the working copy.
    (void)platform::removeFile(outputSourcePath);
    logging::debug({"CXMLParser::UpdateNodeName :File not created = ", outputSourcePath});
    return -1000;
  }

  // Moved over the working copy in one step: there is always a whole working copy.
  logging::debug({"CXMLParser::UpdateNodeName :outputTempPath = ", outputTempPath});
  if (!platform::replaceFile(outputSourcePath, outputTempPath)) {
    (void)platform::removeFile(outputSourcePath);
    logging::debug({"CXMLParser::UpdateNodeName :File Renamed Failed"});
    return -1000;
  }
  logging::debug({"CXMLParser::UpdateNodeName :File Renamed successfully"});
  return 0;
}

}  // namespace parser
}  // namespace l3xml

long CXMLParser::UpdateNodeName(std::string& fileName, char* oldNodeName, char* newNodeName) {
  return l3xml::parser::renameNode(l3xml::state::module(), fileName, oldNodeName != nullptr ? oldNodeName : "",
                                   newNodeName != nullptr ? newNodeName : "");
}
