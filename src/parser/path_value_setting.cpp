// Setting a value in the one node that a dotted path from the root names.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/dotted_path.h"
#include "parser/node_value_writer.h"
#include "parser/value_setting.h"

namespace l3xml {
namespace parser {

// The walk is lenient: a segment that is not found at the current level is reported and passed
// over, and the next segment is looked for at the same level.
long setValueAtPath(state::ModuleState& state, dom::IXMLDOMDocument* pDoc, const std::vector<std::string>& nodePath,
                    const std::string& newValue, const std::string& savePath,
                    dom::ComPtr<dom::IXMLDOMDocument>& fragment) {
  dom::ComPtr<dom::IXMLDOMNode> root;
  if (pDoc == nullptr || dom::failed(pDoc->get_documentElement(root)) || !root) {
    logging::error({"completeSourcePathSetval :get_documentElement Failed"});
    return 0;
  }
  std::string rootName;
  if (dom::failed(root->get_baseName(rootName))) {
    logging::error({"completeSourcePathSetval:get_baseName Failed"});
    return 0;
  }
  if (nodePath.empty() || nodePath[0] != rootName) {
    logging::error({"completeSourcePathSetval :elementOfVector.compare Failed"});
    return 0;
  }
  dom::ComPtr<dom::IXMLDOMNodeList> level;
  if (dom::failed(root->get_childNodes(level))) {
    logging::error({"completeSourcePathSetval:get_childNodes Failed"});
    return 0;
  }

  for (std::size_t i = 1; i < nodePath.size(); ++i) {
    std::string segment = nodePath[i];
    long position = 0;
    const bool positional = isIndexComponent(segment);
    if (positional) {
      segment = segment.substr(1, segment.size() - 2);
      position = indexNumber(segment) - 1;
    }
    long count = 0;
    if (level) (void)level->get_length(count);
    // Index segments count from 1: a position below the first child is skipped like one beyond
    // the last.
    if (count <= position || position < 0) {
      logging::error({"The node no ", segment, " is not present in the xml"});
      continue;
    }

    dom::ComPtr<dom::IXMLDOMNode> matched;
    for (long j = position; j < count; ++j) {
      dom::ComPtr<dom::IXMLDOMNode> child;
      std::string childName;
      if (!dom::failed(level->get_item(j, child)) && child) (void)child->get_baseName(childName);
      if (child && (positional || childName == segment)) {
        matched = child;
        break;
      }
    }
    if (!matched) {
      logging::logFormatted(logging::kError, "completeSourcePathSetval ::String is not Present in the XML : %s",
                            segment.c_str());
      continue;
    }

    if (i + 1 < nodePath.size()) {
      std::string matchedName;
      (void)matched->get_baseName(matchedName);
      logging::debug({matchedName});
      dom::ComPtr<dom::IXMLDOMNodeList> next;
      (void)matched->get_childNodes(next);
      level = next;
      continue;
    }

    std::string text;
    std::string nodeName;
    (void)recordPlaceholder(state, *matched, text, nodeName);
    if (writeNodeValue(*matched, newValue, true, fragment) == NodeWrite::kFragmentFailed) {
      logging::error({"completeSourcePathSetval:Failed to Load XML File "});
      return 0;
    }
    if (dom::failed(pDoc->save(savePath))) {
      logging::error(logging::kCodeWriteFailed,
                     {"completeSourcePathSetval: the working copy could not be saved: ", savePath});
    }
    return 2;
  }
  return 0;
}

}  // namespace parser
}  // namespace l3xml

long CXMLParser::completeSourcePathSetval(l3xml::dom::IXMLDOMDocument* pDoc, std::vector<std::string> nodePath,
                                          char* value, l3xml::dom::VARIANT savePath) {
  return l3xml::parser::setValueAtPath(l3xml::state::module(), pDoc, nodePath, value != nullptr ? value : "",
                                       savePath.bstrVal, pXMLFragmentDom);
}
