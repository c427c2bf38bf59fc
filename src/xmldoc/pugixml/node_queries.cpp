// Node selection: the two query forms the library uses, evaluated by a walk over the tree.
#include "xmldoc/pugixml/node_queries.h"

#include <cstring>
#include <optional>

#include "xmldoc/node_query.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

bool hasTextChild(pugi::xml_node element, const std::string& text) {
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    const pugi::xml_node_type type = child.type();
    if ((type == pugi::node_pcdata && !isWhitespaceMark(child)) || type == pugi::node_cdata) {
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
  // pugixml's own walk moves through the tree: each step of ours would be calls into the library.
  struct Walk final : pugi::xml_tree_walker {
    Walk(const NodeQuery& query, std::vector<pugi::xml_node>& found)
        : query(query), anyName(query.name == "*"), found(found) {}
    bool for_each(pugi::xml_node& node) override {
      consider(node);
      return true;
    }
    void consider(pugi::xml_node node) {
      if (node.type() != pugi::node_element) return;
      if (!anyName && std::strcmp(node.name(), query.name.c_str()) != 0) return;
      if (query.text && !hasTextChild(node, *query.text)) return;
      found.push_back(node);
    }
    const NodeQuery& query;
    bool anyName;
    std::vector<pugi::xml_node>& found;
  } walk(*parsed, found);
  for (pugi::xml_node node = tree.xml.first_child(); node; node = node.next_sibling()) {
    if (node == tree.holding) continue;
    walk.consider(node);
    node.traverse(walk);
  }
  return kOk;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
