// Reading values out of a message template by element name or by a dotted path from the root,
// and the kind of message it holds.
#include "parser/template_reading.h"

#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/document_access.h"
#include "parser/dotted_path.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"

namespace l3xml {
namespace parser {

std::vector<std::string> readValues(state::ModuleState& state, dom::ComPtr<dom::IXMLDOMDocument>& document,
                                    const std::string& fileName, const std::string& pathText) {
  std::vector<std::string> values;
  const std::string fullPath = paths::findFrameworkFile(state.settings, fileName, "CXMLParser::GetVals");
  if (fullPath.empty()) {
    logging::error(logging::kCodeMissingFile,
                   {"CXMLParser::GetVals ERROR returning from getFrameworkCompleteFilePath_WCDMA - returning garbage"});
    return values;
  }
  const std::vector<std::string> pathComponents = readingComponents(pathText);

  document.Reset();
  if (createParserDocument(document.GetAddressOf()) < 0) {
    logging::error({"CXMLParser::GetVals: Failed to Get/Create Dom of XML File "});
    values.emplace_back();
    return values;
  }
  bool loaded = false;
  if (dom::failed(document->load(fullPath, loaded))) {
    logging::error(logging::kCodeMissingFile, {"CXMLParser::GetVals: Failed to Load XML File : Returned HR"});
    values.emplace_back();
    return values;
  }
  if (checkDocumentLoad(document.Get()) < 0) {
    logging::error(logging::kCodeMalformedXml, {"CXMLParser::GetVals: CheckLoad Failed"});
    return values;
  }

  if (!pathComponents.empty()) {
    values.push_back(valueAtPath(state, document.Get(), pathComponents));
    return values;
  }

  dom::ComPtr<dom::IXMLDOMNodeList> nodes;
  if (dom::failed(document->selectNodes("//" + pathText, nodes)) || !nodes) {
    logging::error(logging::kCodeBadSelector, {"CXMLParser::GetVals:Failed to get Node value "});
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
      if (dom::failed(firstChild->get_childCount(grandChildren, grandChildCount))) grandChildCount = 0;
      if (grandChildCount > 0) {
        values.emplace_back();
        break;
      }
    }
    std::string value;
    (void)node->get_text(value);
    if (value.empty() && firstChild) (void)firstChild->get_nodeName(value);
    if (pixit::hasPixitPrefix(value)) (void)pixit::lookUpPixitValue(state, value, value);
    values.push_back(value);
  }
  return values;
}

// The returned string doubles as the current component: it is the value when the last component
// is found, the first component when the root does not match, and the last component looked for
// when that one is not found.
std::string valueAtPath(state::ModuleState& state, dom::IXMLDOMDocument* pDoc,
                        const std::vector<std::string>& pathComponents) {
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
    const bool positional = isIndexComponent(returned);
    if (positional) {
      returned = returned.substr(1, returned.size() - 2);
      start = indexNumber(returned) - 1;
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
      if (pixit::hasPixitPrefix(returned)) {
        const std::string parameterName = returned;
        (void)pixit::lookUpPixitValue(state, parameterName, returned);
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

// There is no parse check here: a file that does not parse leaves no root element.
std::string rootNameOf(state::ModuleState& state, dom::ComPtr<dom::IXMLDOMDocument>& document,
                       const std::string& fileName) {
  const std::string path = paths::findFrameworkFile(state.settings, fileName, "CXMLParser::getXmlType");
  const char* failure = nullptr;
  logging::Code code = logging::kCodeLibrary;
  dom::ComPtr<dom::IXMLDOMNode> root;
  std::string name;
  bool loaded = false;
  if (path.empty()) {
    failure = "Parse :: getXmlType: ERROR GETTING path name from getFrameworkCompleteFilePath_WCDMA";
    code = logging::kCodeMissingFile;
  } else if (document.Reset(), createParserDocument(document.GetAddressOf()) < 0) {
    failure = "CXMLParser::getXmlType: Failed to Get/Create Dom";
  } else if (dom::failed(document->load(path, loaded))) {
    failure = "CXMLParser::getXmlType: pXMLDom->load Returned failed HR";
    code = logging::kCodeMissingFile;
  } else if (dom::failed(document->get_documentElement(root)) || !root) {
    failure = "CXMLParser::getXmlType: get_documentElement Failed";
    code = logging::kCodeMalformedXml;
  } else if (dom::failed(root->get_baseName(name))) {
    failure = "CXMLParser::getXmlType: get_baseName Failed";
  }
  if (failure != nullptr) {
    logging::error(code, {failure});
    return std::string();
  }
  return name;
}

}  // namespace parser
}  // namespace l3xml

std::vector<std::string> CXMLParser::GetVals(std::string fileName, char* path) {
  return l3xml::parser::readValues(l3xml::state::module(), pXMLDom, fileName, path != nullptr ? path : "");
}

std::string CXMLParser::completeSourcePath(l3xml::dom::IXMLDOMDocument* pDoc, std::vector<std::string> pathComponents) {
  return l3xml::parser::valueAtPath(l3xml::state::module(), pDoc, pathComponents);
}

std::string CXMLParser::getXmlType(std::string fileName) {
  return l3xml::parser::rootNameOf(l3xml::state::module(), pXMLDom, fileName);
}
