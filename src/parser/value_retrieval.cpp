// Reading values out of a message template by element name or by a dotted path from the root.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/dotted_path.h"
#include "pixit/pixit_maps.h"
#include "xmldoc/xml_dom.h"

namespace dom = l3xml::dom;
namespace logging = l3xml::logging;

std::vector<std::string> CXMLParser::GetVals(std::string fileName, char* path) {
  std::vector<std::string> values;
  const std::string pathText = path != nullptr ? path : "";
  const std::string fullPath = getFrameworkCompleteFilePath_WCDMA(fileName);
  if (fullPath.empty()) {
    logging::error({"CXMLParser::GetVals ERROR returning from getFrameworkCompleteFilePath_WCDMA - returning garbage"});
    return values;
  }
  const std::vector<std::string> pathComponents = l3xml::parser::readingComponents(pathText);

  pXMLDom.Reset();
  if (DomFromCOM(pXMLDom.GetAddressOf()) < 0) {
    logging::error({"CXMLParser::GetVals: Failed to Get/Create Dom of XML File "});
    values.emplace_back();
    return values;
  }
  if (LoadXmlToDom(fullPath.c_str(), pXMLDom.Get()) < 0) {
    logging::error({"CXMLParser::GetVals: Failed to Load XML File : Returned HR"});
    values.emplace_back();
    return values;
  }
  if (CheckLoad(pXMLDom.Get()) < 0) {
    logging::error({"CXMLParser::GetVals: CheckLoad Failed"});
    return values;
  }

  if (!pathComponents.empty()) {
    values.push_back(completeSourcePath(pXMLDom.Get(), pathComponents));
    return values;
  }

  dom::ComPtr<dom::IXMLDOMNodeList> nodes;
  if (dom::failed(pXMLDom->selectNodes("//" + pathText, nodes)) || !nodes) {
    logging::error({"CXMLParser::GetVals:Failed to get Node value "});
    values.emplace_back();
    return values;
  }
  long count = 0;
  (void)nodes->get_length(count);
  for (long i = 0; i < count; ++i) {
    dom::ComPtr<dom::IXMLDOMNode> node;
    if (dom::failed(nodes->get_item(i, node)) || !node) {
      values.emplace_back();
      break;
    }
    // Only simple value elements are read: text, or one empty element that names the value.
    dom::ComPtr<dom::IXMLDOMNodeList> children;
    dom::ComPtr<dom::IXMLDOMNode> firstChild;
    if (!dom::failed(node->get_childNodes(children)) && children) (void)children->get_item(0, firstChild);
    if (firstChild) {
      dom::ComPtr<dom::IXMLDOMNodeList> grandChildren;
      long grandChildCount = 0;
      if (!dom::failed(firstChild->get_childNodes(grandChildren)) && grandChildren) {
        (void)grandChildren->get_length(grandChildCount);
      }
      if (grandChildCount > 0) {
        values.emplace_back();
        break;
      }
    }
    std::string value;
    (void)node->get_text(value);
    if (value.empty() && firstChild) (void)firstChild->get_nodeName(value);
    if (l3xml::pixit::hasPixitPrefix(value)) (void)getPixitValueForParser(value, value);
    values.push_back(value);
  }
  return values;
}

// The returned string doubles as the current component: it is the value when the last component
// is found, the first component when the root does not match, and the last component looked for
// when that one is not found.
std::string CXMLParser::completeSourcePath(dom::IXMLDOMDocument* pDoc, std::vector<std::string> pathComponents) {
  std::string returned;
  dom::ComPtr<dom::IXMLDOMNode> root;
  if (pDoc == nullptr || dom::failed(pDoc->get_documentElement(root)) || !root) {
    logging::error({"CXMLParser::completeSourcePath:Failed call get_documentElement"});
    return returned;
  }
  std::string rootName;
  if (dom::failed(root->get_baseName(rootName)) || pathComponents.empty()) return returned;
  returned = pathComponents[0];
  if (returned != rootName) return returned;

  dom::ComPtr<dom::IXMLDOMNodeList> level;
  if (dom::failed(root->get_childNodes(level))) return returned;

  for (std::size_t c = 1; c < pathComponents.size(); ++c) {
    const bool last = c + 1 == pathComponents.size();
    returned = pathComponents[c];
    long start = 0;
    const bool positional = l3xml::parser::isIndexComponent(returned);
    if (positional) {
      returned = returned.substr(1, returned.size() - 2);
      start = l3xml::parser::indexNumber(returned) - 1;
    }
    long count = 0;
    if (!level || dom::failed(level->get_length(count)) || start < 0 || start >= count) continue;

    dom::ComPtr<dom::IXMLDOMNode> accepted;
    for (long i = start; i < count && !accepted; ++i) {
      dom::ComPtr<dom::IXMLDOMNode> child;
      if (dom::failed(level->get_item(i, child)) || !child) continue;
      std::string childName;
      (void)child->get_baseName(childName);
      if (positional || childName == returned) accepted = child;
    }
    if (!accepted) continue;  // the component is passed over; the walk stays at this level

    if (last) {
      (void)accepted->get_text(returned);
      logging::info({"completeSourcePath :: NodeValue is : ", returned});
      if (l3xml::pixit::hasPixitPrefix(returned)) {
        const std::string parameterName = returned;
        (void)getPixitValueForParser(parameterName, returned);
        logging::info({"completeSourcePath :: Pixit Parameter ", parameterName, " Value is  : ", returned});
      }
    } else {
      dom::ComPtr<dom::IXMLDOMNodeList> next;
      (void)accepted->get_childNodes(next);
      level = next;
    }
  }
  return returned;
}
