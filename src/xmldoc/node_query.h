// The grammar of the two node selections the library makes, shared by the backends.
#ifndef L3XML_XMLDOC_NODE_QUERY_H
#define L3XML_XMLDOC_NODE_QUERY_H

#include <optional>
#include <string>
#include <string_view>

namespace l3xml {
namespace dom {

// "//name" or "//*", optionally followed by "[text() = 'literal']".
struct NodeQuery {
  std::string name;                 // a qualified name, or "*" for any element
  std::optional<std::string> text;  // a text or CDATA child must equal it exactly
};

// The query read exactly (blanks allowed between tokens, not inside names); nothing when it
// deviates from the grammar in any way.
std::optional<NodeQuery> readNodeQuery(std::string_view query);

}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_NODE_QUERY_H
