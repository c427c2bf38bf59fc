// Writing a value into the working copy of a message template, by PIXIT placeholder, element
// name or dotted node path.
#include <optional>

#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/document_access.h"
#include "parser/dotted_path.h"
#include "parser/file_operations.h"
#include "parser/node_value_writer.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"
#include "platform/file_system.h"
#include "xmldoc/xml_dom.h"

namespace dom = l3xml::dom;
namespace logging = l3xml::logging;
namespace parser = l3xml::parser;
namespace platform = l3xml::platform;

namespace {

// The working copy of a template: under xmlParserSourcePath, in the temp sub-folder of the cell
// whose folder the template was found in.
std::string workingCopyPath(const std::string& sourcePath, const std::string& fileName) {
  const char* cellFolder = nullptr;
  if (sourcePath.find(l3xml::paths::kPrimaryCell, 1) != std::string::npos) {
    cellFolder = l3xml::paths::kPrimaryCell;
  } else if (sourcePath.find(l3xml::paths::kSecondaryCell, 1) != std::string::npos) {
    cellFolder = l3xml::paths::kSecondaryCell;
  }
  const std::string subFolder =
      cellFolder != nullptr ? l3xml::paths::subFolder({"temp", cellFolder}) : l3xml::paths::subFolder({"temp"});
  return l3xml::xmlParserSourcePath + subFolder + fileName;
}

// One call's selector and value, and the working copy it writes.
struct ValueRequest {
  std::string selector;
  std::string value;
  std::string workingPath;

  // A selector with a dot is a path from the root, handed to completeSourcePathSetval.
  bool byPath() const { return selector.find('.') != std::string::npos; }
};

// Finds the template, makes its working copy the first time and loads the working copy into a
// new document. The template that the lookup finds is only ever read.
bool loadWorkingCopy(dom::ComPtr<dom::IXMLDOMDocument>& document, const std::string& fileName,
                     const std::string& attribute, const std::string& value, std::string& workingPath) {
  logging::debug(
      {"CXMLParser::SetVal :Setting value in file::", fileName, " and attribute::", attribute, " and value::", value});
  const std::string sourcePath = getFrameworkCompleteFilePath_WCDMA(fileName);
  if (sourcePath.empty()) {
    logging::error({"ERROR IN CXMLParser::SetVal, returning false from getFrameworkCompleteFilePath_WCDMA"});
    return false;
  }
  workingPath = workingCopyPath(sourcePath, fileName);
  if (!platform::pathExists(workingPath)) {
    (void)platform::makeDirectories(platform::parentFolder(workingPath));
    (void)parser::copyFileLogged(sourcePath, workingPath);
  }
  if (!platform::canRead(workingPath)) {
    logging::error({"SetVal:Failed to write to the xml file. May be file is in ReadOnly mode. FILE::", workingPath});
    return false;
  }
  document.Reset();
  if (parser::createParserDocument(document.GetAddressOf()) < 0 || !document) {
    logging::error({"SetVal:Failed to Get/Create Dom of  XML File"});
    return false;
  }
  bool loaded = false;
  if (dom::failed(document->load(workingPath, loaded)) || parser::checkDocumentLoad(document.Get()) < 0) {
    logging::error({"SetVal:Failed to Load XML File ", workingPath});
    return false;
  }
  return true;
}

enum class Selection { kQueryFailed, kNoMatch, kFailed, kSaved };

// Sets the value in every node that the placeholder or name selects and saves once at the end.
// With a matchIndex, only the node at that position in the selection gets a new text.
Selection writeSelectedNodes(dom::IXMLDOMDocument& document, dom::ComPtr<dom::IXMLDOMDocument>& fragment,
                             const std::string& fileName, const std::string& attribute, const std::string& value,
                             std::optional<long> matchIndex, const std::string& workingPath) {
  const std::string query =
      l3xml::pixit::hasPixitPrefix(attribute) ? "//*[ text() = '" + attribute + "']" : "//" + attribute;
  dom::ComPtr<dom::IXMLDOMNodeList> nodes;
  if (dom::failed(document.selectNodes(query, nodes)) || !nodes) {
    logging::error({"SetVal:Failed to get Node. May be an issue with the node name. FILE::", workingPath,
                    " ATTRIBUTE:: ", attribute});
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
    if (parser::recordPlaceholder(*node, text, nodeName)) {
      logging::logFormatted(logging::kDebug,
                            "SetVal :: The pixit parameter name : %s  and the node name for map is %s ", text.c_str(),
                            nodeName.c_str());
    }
    const bool writeText = !matchIndex || *matchIndex == i;
    if (parser::writeNodeValue(*node, value, writeText, fragment) == parser::NodeWrite::kFragmentFailed) {
      logging::logFormatted(logging::kError, "SetVal :: Failed to Load XML File %s",
                            parser::valueFragment(value).c_str());
      return Selection::kFailed;
    }
  }
  if (dom::failed(document.save(workingPath))) {
    logging::error({"SetVal: the working copy could not be saved: ", workingPath});
  }
  return Selection::kSaved;
}

// Steps common to both forms, up to the loaded working copy; nothing when the call failed there.
std::optional<ValueRequest> prepareRequest(dom::ComPtr<dom::IXMLDOMDocument>& document, const std::string& fileName,
                                           const char* attribute, const char* value) {
  ValueRequest request{attribute != nullptr ? attribute : "", value != nullptr ? value : "", std::string()};
  if (!loadWorkingCopy(document, fileName, request.selector, request.value, request.workingPath)) return std::nullopt;
  return request;
}

// The dotted-path form sets and saves in completeSourcePathSetval; only its failure is told here.
bool pathSettingOutcome(long result) {
  if (result != 0) return true;
  logging::error({"completeSourcePathSetval : Failed to set the value"});
  return false;
}

}  // namespace

bool CXMLParser::SetVal(std::string& fileName, char* attribute, char* value) {
  std::optional<ValueRequest> request = prepareRequest(pXMLDom, fileName, attribute, value);
  if (!request) return false;
  if (request->byPath()) {
    return pathSettingOutcome(completeSourcePathSetval(pXMLDom.Get(), parser::writingSegments(request->selector),
                                                       request->value.data(), dom::VARIANT{request->workingPath}));
  }
  const Selection outcome = writeSelectedNodes(*pXMLDom, pXMLFragmentDom, fileName, request->selector, request->value,
                                               std::nullopt, request->workingPath);
  return outcome == Selection::kSaved || outcome == Selection::kNoMatch;
}

// As the three-argument form, but the text changes at matchIndex only, and the working copy is
// trimmed after its last '>' whenever the selection ran.
bool CXMLParser::SetVal(std::string& fileName, char* attribute, char* value, long matchIndex) {
  std::optional<ValueRequest> request = prepareRequest(pXMLDom, fileName, attribute, value);
  if (!request) return false;
  if (request->byPath()) {
    return pathSettingOutcome(completeSourcePathSetval(pXMLDom.Get(), parser::writingSegments(request->selector),
                                                       request->value.data(), dom::VARIANT{request->workingPath}));
  }
  const Selection outcome = writeSelectedNodes(*pXMLDom, pXMLFragmentDom, fileName, request->selector, request->value,
                                               matchIndex, request->workingPath);
  if (outcome == Selection::kFailed) return false;
  (void)removeNewLineChar(request->workingPath);
  return outcome != Selection::kQueryFailed;
}
