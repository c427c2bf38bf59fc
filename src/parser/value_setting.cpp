// Writing a value into the working copy of a message template, by PIXIT placeholder, element
// name or dotted node path.
#include "parser/value_setting.h"

#include <cstdint>

#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/document_access.h"
#include "parser/dotted_path.h"
#include "parser/file_helpers.h"
#include "parser/node_value_writer.h"
#include "paths/framework_paths.h"
#include "paths/work_folder_lock.h"
#include "pixit/pixit_maps.h"
#include "platform/com_runtime.h"
#include "platform/file_system.h"

namespace l3xml {
namespace parser {

std::string selectionQuery(const std::string& attribute) {
  return pixit::hasPixitPrefix(attribute) ? "//*[ text() = '" + attribute + "']" : "//" + attribute;
}

namespace {

// The length of the UTF-8 sequence that lead starts, or 0 when no sequence starts with it.
int sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// A character XML 1.0 allows in a document.
bool isXmlChar(std::uint32_t code) {
  return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

}  // namespace

std::optional<std::size_t> firstNonXmlText(const std::string& value) {
  for (std::size_t at = 0; at < value.size();) {
    const auto lead = static_cast<unsigned char>(value[at]);
    const int length = sequenceLength(lead);
    if (length == 0 || at + static_cast<std::size_t>(length) > value.size()) return at;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(value[at + static_cast<std::size_t>(i)]);
      if ((next & 0xC0) != 0x80) return at;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || !isXmlChar(code)) return at;
    at += static_cast<std::size_t>(length);
  }
  return std::nullopt;
}

namespace {

// Refuses a value that would make the saved file one that XML readers reject.
bool acceptValue(const std::string& fileName, const std::string& attribute, const std::string& value) {
  const std::optional<std::size_t> bad = firstNonXmlText(value);
  if (!bad) return true;
  logging::error(logging::kCodeBadValue, {"CXMLParser::SetVal: the value for ", attribute, " in file ", fileName,
                                          " is refused: byte ", std::to_string(*bad),
                                          " starts a character XML 1.0 does not allow or is not UTF-8; nothing was "
                                          "written"});
  return false;
}

// Copies the template to its working copy; a read-only folder is told as the reason it failed.
void makeWorkingCopy(const std::string& sourcePath, const std::string& workingPath) {
  const std::string folder = platform::parentFolder(workingPath);
  if (!copyFileLogged(sourcePath, workingPath) && platform::pathExists(folder) && !platform::canWrite(folder)) {
    logging::error(logging::kCodeWriteFailed,
                   {"SetVal: the working copy cannot be made: the folder ", folder, " is read-only"});
  }
}

// Finds the template, makes its working copy the first time and loads the working copy into a
// new document. The template that the lookup finds is only ever read. A caller that saves what it
// writes may take deferredCopy: where the copy could be read and written and its folder written,
// the template itself is loaded and deferredCopy names it, so that the save makes the working copy
// as it would over the copy, and the copy is made only when nothing is saved.
bool loadWorkingCopy(state::ModuleState& state, dom::ComPtr<dom::IXMLDOMDocument>& document,
                     const std::string& fileName, const std::string& attribute, const std::string& value,
                     std::string& workingPath, std::string* deferredCopy = nullptr) {
  logging::debug(
      {"CXMLParser::SetVal :Setting value in file::", fileName, " and attribute::", attribute, " and value::", value});
  const std::string sourcePath = paths::findFrameworkFile(state.settings, fileName, "CXMLParser::SetVal");
  if (sourcePath.empty()) {
    logging::error(logging::kCodeMissingFile,
                   {"ERROR IN CXMLParser::SetVal, returning false from getFrameworkCompleteFilePath_WCDMA"});
    return false;
  }
  workingPath = paths::workingCopyPath(state.settings.work, sourcePath, fileName);
  // The lookup has just found a working copy that exists; any other place is looked at.
  if (workingPath != sourcePath && !platform::pathExists(workingPath)) {
    const std::string folder = platform::parentFolder(workingPath);
    (void)platform::makeDirectories(folder);
    bool loaded = false;
    if (deferredCopy != nullptr && platform::canWrite(folder) && platform::ownCopyIsReadWritable(sourcePath) &&
        createParserDocument(document.GetAddressOf()) >= 0 && document &&
        !dom::failed(document->load(sourcePath, loaded)) && loaded && checkDocumentLoad(document.Get()) == 0) {
      *deferredCopy = sourcePath;
      return true;
    }
    makeWorkingCopy(sourcePath, workingPath);
  }
  if (!platform::canRead(workingPath)) {
    logging::error(logging::kCodeWriteFailed,
                   {"SetVal:Failed to write to the xml file. May be file is in ReadOnly mode. FILE::", workingPath});
    return false;
  }
  document.Reset();
  if (createParserDocument(document.GetAddressOf()) < 0 || !document) {
    logging::error({"SetVal:Failed to Get/Create Dom of  XML File"});
    return false;
  }
  bool loaded = false;
  if (dom::failed(document->load(workingPath, loaded)) || checkDocumentLoad(document.Get()) < 0) {
    logging::error(logging::kCodeMalformedXml, {"SetVal:Failed to Load XML File ", workingPath});
    return false;
  }
  return true;
}

bool saveWorkingCopy(dom::IXMLDOMDocument& document, const std::string& workingPath) {
  if (!dom::failed(document.save(workingPath))) return true;
  if (platform::pathExists(workingPath) && !platform::canWrite(workingPath)) {
    logging::error(logging::kCodeWriteFailed,
                   {"SetVal: the working copy is read-only and was left as it is: ", workingPath});
  } else {
    logging::error(logging::kCodeWriteFailed, {"SetVal: the working copy could not be saved: ", workingPath});
  }
  return false;
}

// kWritten: written and left to the caller to save. kAlone: nothing done, for the selection
// could fail halfway and must be written (and fail) on its own.
enum class Selection { kQueryFailed, kNoMatch, kFailed, kSaved, kWritten, kAlone };

// Whether writing into every node of the list is sure to succeed once begun: each node can be
// had and takes the value as text, which cannot fail.
bool writableAsText(dom::IXMLDOMNodeList& nodes, long count) {
  for (long i = 0; i < count; ++i) {
    dom::ComPtr<dom::IXMLDOMNode> node;
    if (dom::failed(nodes.get_item(i, node)) || !node || takesValueAsElement(*node)) return false;
  }
  return true;
}

// Sets the value in every node that the placeholder or name selects and saves once at the end,
// unless the save is deferred. With a matchIndex, only the node at that position in the
// selection gets a new text.
Selection writeSelectedNodes(state::ModuleState& state, dom::IXMLDOMDocument& document,
                             dom::ComPtr<dom::IXMLDOMDocument>& fragment, const std::string& fileName,
                             const std::string& attribute, const std::string& value, std::optional<long> matchIndex,
                             const std::string& workingPath, bool deferSave = false) {
  dom::ComPtr<dom::IXMLDOMNodeList> nodes;
  if (dom::failed(document.selectNodes(selectionQuery(attribute), nodes)) || !nodes) {
    logging::error(logging::kCodeBadSelector, {"SetVal:Failed to get Node. May be an issue with the node name. FILE::",
                                               workingPath, " ATTRIBUTE:: ", attribute});
    return Selection::kQueryFailed;
  }
  long count = 0;
  (void)nodes->get_length(count);
  if (count <= 0) return Selection::kNoMatch;
  if (deferSave && !writableAsText(*nodes, count)) return Selection::kAlone;

  for (long i = 0; i < count; ++i) {
    dom::ComPtr<dom::IXMLDOMNode> node;
    if (dom::failed(nodes->get_item(i, node)) || !node) {
      logging::logFormatted(logging::kError, "Node (%s) Does not Exist in  the XML ",
                            (fileName + " " + attribute).c_str());
      return Selection::kFailed;
    }
    std::string text;
    std::string nodeName;
    if (recordPlaceholder(state, *node, text, nodeName)) {
      logging::logFormatted(logging::kDebug,
                            "SetVal :: The pixit parameter name : %s  and the node name for map is %s ", text.c_str(),
                            nodeName.c_str());
    }
    const bool writeText = !matchIndex || *matchIndex == i;
    if (writeNodeValue(*node, value, writeText, fragment) == NodeWrite::kFragmentFailed) {
      logging::logFormatted(logging::kError, "SetVal :: Failed to Load XML File %s", valueFragment(value).c_str());
      return Selection::kFailed;
    }
  }
  if (deferSave) return Selection::kWritten;
  (void)saveWorkingCopy(document, workingPath);
  return Selection::kSaved;
}

// The dotted-path form sets and saves in completeSourcePathSetval; only its failure is told here.
bool pathSettingOutcome(long result) {
  if (result != 0) return true;
  logging::error({"completeSourcePathSetval : Failed to set the value"});
  return false;
}

}  // namespace

bool setValue(state::ModuleState& state, WriteDocuments documents, const std::string& fileName,
              const std::string& attribute, const std::string& value, std::optional<long> matchIndex) {
  if (!acceptValue(fileName, attribute, value)) return false;
  // The work folder must exist before its lock can be taken; the working copy's folder goes in it.
  if (!state.settings.work.empty()) (void)platform::makeDirectories(state.settings.work);
  const paths::WorkFolderLock lock("CXMLParser::SetVal", state.settings.work);
  if (!lock.held()) return false;
  std::string workingPath;
  if (!loadWorkingCopy(state, documents.document, fileName, attribute, value, workingPath)) return false;
  // A selector with a dot is a path from the root; matchIndex has no effect there.
  if (attribute.find('.') != std::string::npos) {
    return pathSettingOutcome(setValueAtPath(state, documents.document.Get(), writingSegments(attribute), value,
                                             workingPath, documents.fragment));
  }
  const Selection outcome = writeSelectedNodes(state, *documents.document, documents.fragment, fileName, attribute,
                                               value, matchIndex, workingPath);
  if (!matchIndex) return outcome == Selection::kSaved || outcome == Selection::kNoMatch;
  // The four-argument form trims the working copy after its last '>' whenever the selection ran.
  if (outcome == Selection::kFailed) return false;
  (void)trimAfterLastTag(state.settings.work, workingPath);
  return outcome != Selection::kQueryFailed;
}

void setValues(state::ModuleState& state, WriteDocuments documents, const std::string& fileName,
               const std::vector<ValueWrite>& writes) {
  if (writes.empty()) return;
  if (!state.settings.work.empty()) (void)platform::makeDirectories(state.settings.work);
  const paths::WorkFolderLock lock("CXMLParser::SetVal", state.settings.work);
  if (!lock.held()) return;
  std::string workingPath;
  bool loaded = false;  // the document holds the working copy with every write so far
  bool written = false;
  std::string deferredCopy;  // the template the working copy is still to be copied from
  const auto save = [&] {
    // A working copy that a failed save did not make is made as the copy it would have been.
    const bool saved = written && saveWorkingCopy(*documents.document, workingPath);
    if (!saved && !deferredCopy.empty()) makeWorkingCopy(deferredCopy, workingPath);
    written = false;
    deferredCopy.clear();
  };
  for (const ValueWrite& write : writes) {
    if (write.attribute.find('.') == std::string::npos) {
      if (!acceptValue(fileName, write.attribute, write.value)) continue;
      if (!loaded) {
        loaded = loadWorkingCopy(state, documents.document, fileName, write.attribute, write.value, workingPath,
                                 &deferredCopy);
        if (!loaded) continue;
      }
      const Selection outcome = writeSelectedNodes(state, *documents.document, documents.fragment, fileName,
                                                   write.attribute, write.value, std::nullopt, workingPath, true);
      written = written || outcome == Selection::kWritten;
      if (outcome != Selection::kAlone) continue;
    }
    // Written on its own, from the working copy as the writes so far left it.
    save();
    loaded = false;
    (void)setValue(state, documents, fileName, write.attribute, write.value, std::nullopt);
  }
  save();
}

void setIndexedValues(state::ModuleState& state, WriteDocuments documents, const std::string& fileName) {
  std::vector<ValueWrite> writes;
  (void)pixit::writeIndexedParameters(state, fileName, [&](const std::string& parameter, const std::string& value) {
    writes.push_back({parameter, value});
  });
  setValues(state, documents, fileName, writes);
}

bool setValueWithNewParser(state::ModuleState& state, const std::string& fileName, const std::string& attribute,
                           const std::string& value) {
  platform::initializeCom();
  bool written = false;
  {
    dom::ComPtr<dom::IXMLDOMDocument> document;
    dom::ComPtr<dom::IXMLDOMDocument> fragment;
    written = setValue(state, {document, fragment}, fileName, attribute, value, std::nullopt);
  }
  platform::uninitializeCom();
  return written;
}

}  // namespace parser
}  // namespace l3xml

bool CXMLParser::SetVal(std::string& fileName, char* attribute, char* value) {
  return l3xml::parser::setValue(l3xml::state::module(), {pXMLDom, pXMLFragmentDom}, fileName,
                                 attribute != nullptr ? attribute : "", value != nullptr ? value : "", std::nullopt);
}

bool CXMLParser::SetVal(std::string& fileName, char* attribute, char* value, long matchIndex) {
  return l3xml::parser::setValue(l3xml::state::module(), {pXMLDom, pXMLFragmentDom}, fileName,
                                 attribute != nullptr ? attribute : "", value != nullptr ? value : "", matchIndex);
}
