// Writing a value into the working copy of a message template, by PIXIT placeholder, element
// name or dotted node path.
#include "parser/value_setting.h"

#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/document_access.h"
#include "parser/dotted_path.h"
#include "parser/file_helpers.h"
#include "parser/node_value_writer.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"
#include "platform/com_runtime.h"
#include "platform/file_system.h"

namespace l3xml {
namespace parser {

std::string selectionQuery(const std::string& attribute) {
  return pixit::hasPixitPrefix(attribute) ? "//*[ text() = '" + attribute + "']" : "//" + attribute;
}

namespace {

// Finds the template, makes its working copy the first time and loads the working copy into a
// new document. The template that the lookup finds is only ever read.
bool loadWorkingCopy(state::ModuleState& state, dom::ComPtr<dom::IXMLDOMDocument>& document,
                     const std::string& fileName, const std::string& attribute, const std::string& value,
                     std::string& workingPath) {
  logging::debug(
      {"CXMLParser::SetVal :Setting value in file::", fileName, " and attribute::", attribute, " and value::", value});
  const std::string sourcePath = paths::findFrameworkFile(state.settings, fileName);
  if (sourcePath.empty()) {
    logging::error(logging::kCodeMissingFile,
                   {"ERROR IN CXMLParser::SetVal, returning false from getFrameworkCompleteFilePath_WCDMA"});
    return false;
  }
  workingPath = paths::workingCopyPath(state.settings.work, sourcePath, fileName);
  if (!platform::pathExists(workingPath)) {
    (void)platform::makeDirectories(platform::parentFolder(workingPath));
    (void)copyFileLogged(sourcePath, workingPath);
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

enum class Selection { kQueryFailed, kNoMatch, kFailed, kSaved };

// Sets the value in every node that the placeholder or name selects and saves once at the end.
// With a matchIndex, only the node at that position in the selection gets a new text.
Selection writeSelectedNodes(state::ModuleState& state, dom::IXMLDOMDocument& document,
                             dom::ComPtr<dom::IXMLDOMDocument>& fragment, const std::string& fileName,
                             const std::string& attribute, const std::string& value, std::optional<long> matchIndex,
                             const std::string& workingPath) {
  dom::ComPtr<dom::IXMLDOMNodeList> nodes;
  if (dom::failed(document.selectNodes(selectionQuery(attribute), nodes)) || !nodes) {
    logging::error(logging::kCodeBadSelector, {"SetVal:Failed to get Node. May be an issue with the node name. FILE::",
                                               workingPath, " ATTRIBUTE:: ", attribute});
    return Selection::kQueryFailed;
  }
  long count = 0;
  (void)nodes->get_length(count);
  if (count <= 0) return Selection::kNoMatch;

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
  if (dom::failed(document.save(workingPath))) {
    logging::error(logging::kCodeWriteFailed, {"SetVal: the working copy could not be saved: ", workingPath});
  }
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
