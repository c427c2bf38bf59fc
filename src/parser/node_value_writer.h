// Setting the value of one selected node of a loaded template.
#ifndef L3XML_PARSER_NODE_VALUE_WRITER_H
#define L3XML_PARSER_NODE_VALUE_WRITER_H

#include <string>

#include "state/module_state.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace parser {

// The text parsed to turn a value into an element: a wrapper holding one empty element named by
// the value.
std::string valueFragment(const std::string& value);

// Reads the node's text; when it is a PIXIT placeholder, reads the node's name too and records
// name -> placeholder in the node-name map (a name already recorded keeps its first entry).
// True when a placeholder was recorded.
bool recordPlaceholder(state::ModuleState& state, dom::IXMLDOMNode& node, std::string& text, std::string& name);

// Whether writeNodeValue would replace the node's first child by an element rather than set its
// text: the node's first child is itself an element (or anything else that is not text, CDATA or
// a comment).
bool takesValueAsElement(dom::IXMLDOMNode& node);

// What setting a value did to a node.
enum class NodeWrite { kText, kElement, kUnchanged, kFragmentFailed };

// Sets value in node by its first child: a node without children or whose first child is text,
// CDATA or a comment gets the value as its text (only when writeText); any other node has its
// first child replaced by the empty element named by the value, parsed in fragmentDocument (made
// afresh). kFragmentFailed when the value does not make an element; nothing is changed then.
NodeWrite writeNodeValue(dom::IXMLDOMNode& node, const std::string& value, bool writeText,
                         dom::ComPtr<dom::IXMLDOMDocument>& fragmentDocument);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_NODE_VALUE_WRITER_H
