// The kind of message a template holds: the local name of its root element.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "xmldoc/xml_dom.h"

namespace dom = l3xml::dom;

// There is no parse check here: a file that does not parse leaves no root element.
std::string CXMLParser::getXmlType(std::string fileName) {
  const std::string path = getFrameworkCompleteFilePath_WCDMA(fileName);
  const char* failure = nullptr;
  dom::ComPtr<dom::IXMLDOMNode> root;
  std::string name;
  if (path.empty()) {
    failure = "Parse :: getXmlType: ERROR GETTING path name from getFrameworkCompleteFilePath_WCDMA";
  } else if (pXMLDom.Reset(), DomFromCOM(pXMLDom.GetAddressOf()) < 0) {
    failure = "CXMLParser::getXmlType: Failed to Get/Create Dom";
  } else if (LoadXmlToDom(path.c_str(), pXMLDom.Get()) < 0) {
    failure = "CXMLParser::getXmlType: pXMLDom->load Returned failed HR";
  } else if (dom::failed(pXMLDom->get_documentElement(root)) || !root) {
    failure = "CXMLParser::getXmlType: get_documentElement Failed";
  } else if (dom::failed(root->get_baseName(name))) {
    failure = "CXMLParser::getXmlType: get_baseName Failed";
  }
  if (failure != nullptr) {
    l3xml::logging::error({failure});
    return std::string();
  }
  return name;
}
