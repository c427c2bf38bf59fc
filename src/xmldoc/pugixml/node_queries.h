// The node selections that the library asks a document for.
#ifndef L3XML_XMLDOC_PUGIXML_NODE_QUERIES_H
#define L3XML_XMLDOC_PUGIXML_NODE_QUERIES_H

#include <string>
#include <vector>

#include "xmldoc/pugixml/tree.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// The elements that query selects, in document order. Understands "//name", "//*" and either
// followed by "[text() = 'literal']"; kFail for any other query, leaving found empty.
Status selectElements(const Tree& tree, const std::string& query, std::vector<pugi::xml_node>& found);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_NODE_QUERIES_H
