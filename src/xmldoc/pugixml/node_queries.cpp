// Node selection: the two query forms the library uses, evaluated by a walk over the tree.
#include "xmldoc/pugixml/node_queries.h"

#include <cstring>
#include <optional>

#include "xmldoc/node_query.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

bool hasTextChild(const Tree& tree, pugi::xml_node element, const std::string& text) {
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    const pugi::xml_node_type type = child.type();
    if ((type == pugi::node_pcdata && !isWhitespaceMark(tree, child, type)) || type == pugi::node_cdata) {
      if (text == child.value()) return true;
    }
  }
  return false;
}

}  // namespace

Status selectElements(const Tree& tree, const std::string& query, std::vector<pugi::xml_node>& found) {
  found.clear();
  const std::optional<NodeQuery> parsed = readNodeQuery(query);
  if (!parsed) return kFail;
  const bool anyName = parsed->name == "*";
  walkSubtree(tree, tree.xml, [&](pugi::xml_node node, auto) {
    if (node.type() != pugi::node_element) return true;
    if (!anyName && std::strcmp(node.name(), parsed->name.c_str()) != 0) return true;
    if (!parsed->text || hasTextChild(tree, node, *parsed->text)) found.push_back(node);
    return true;
  });
  return kOk;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
