// The text of a node, by the service's whitespace rules.
#ifndef L3XML_XMLDOC_PUGIXML_NODE_TEXT_H
#define L3XML_XMLDOC_PUGIXML_NODE_TEXT_H

#include <string>

#include "xmldoc/pugixml/tree.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// The text of an element or document: its text and CDATA in document order, one space for
// each run of whitespace between pieces, stripped at both ends but never inside CDATA. The
// text of a text node is its stripped value; other leaves give their raw value.
std::string textOf(const Tree& tree, pugi::xml_node node);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_NODE_TEXT_H
