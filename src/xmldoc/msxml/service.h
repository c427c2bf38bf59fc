// The XML service's own interfaces, under names that do not collide with the library's.
#ifndef L3XML_XMLDOC_MSXML_SERVICE_H
#define L3XML_XMLDOC_MSXML_SERVICE_H

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <msxml.h>

#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {
namespace msxml_backend {

using ServiceDocument = ::IXMLDOMDocument;
using ServiceElement = ::IXMLDOMElement;
using ServiceNode = ::IXMLDOMNode;
using ServiceNodeList = ::IXMLDOMNodeList;
using ServiceAttributeMap = ::IXMLDOMNamedNodeMap;
using ServiceParseError = ::IXMLDOMParseError;

// A status of the service as the library's status type (both are 32-bit signed).
inline Status statusOf(HRESULT result) { return static_cast<Status>(result); }

inline VARIANT_BOOL variantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_MSXML_SERVICE_H
