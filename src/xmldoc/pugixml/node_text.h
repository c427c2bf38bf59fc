// The text of a node, by the service's whitespace rules.
#ifndef L3XML_XMLDOC_PUGIXML_NODE_TEXT_H
#define L3XML_XMLDOC_PUGIXML_NODE_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

#include "xmldoc/pugixml/tree.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// The text of an element or document: its text and CDATA in document order, one space for
// each run of whitespace between pieces, stripped at both ends but never inside CDATA. The
// text of a text node is its stripped value; other leaves give their raw value. Written into
// text, whose memory is reused.
void textOf(const Tree& tree, pugi::xml_node node, std::string& text);

// A question about the text of a node: does it, cut to its first `limit` bytes, start with
// prefix and hold no `absent` character?
struct TextQuestion {
  std::string_view prefix;
  char absent;
  std::size_t limit;
};

// The answer to the question for textOf(tree, node), reading no further than the first character
// that decides it; text is the cut text when the answer is yes. Remembers what a walk tells about
// the elements it passed, in the tree.
bool matchTextOf(Tree& tree, pugi::xml_node node, const TextQuestion& question, std::string& text);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_NODE_TEXT_H
