// Reading a template into the tree of the modern interface.
#ifndef L3XML_API_TEMPLATE_TREE_H
#define L3XML_API_TEMPLATE_TREE_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <l3xml/framework.h>

#include "api/call.h"

namespace l3xml {
namespace api {

// How much of a template a tree holds: everything, or its shape (names, paths, texts) for
// comparing, without source positions and references.
enum class TreeDetail { kFull, kShape };

// The template at path as a tree; nothing, with the reason among the call's diagnostics, when it
// cannot be read, does not parse or is nested deeper than the flattening accepts.
std::optional<Template> readTemplateTree(Call& call, const std::string& path, const std::string& name,
                                         TreeDetail detail = TreeDetail::kFull);

// The element at a place of a flattening (indices in the child lists from the root's down, from 0),
// or the deepest element on the way there: a text or comment belongs to its element.
const Node* nodeAtPlace(const Node& root, const std::vector<long>& place);

// The element that holds a reference as its own text, where a write by placeholder finds it: the
// reference's node, or the leaf under it that the whole node's text comes from.
const Node& holderOf(const Template& tree, const Reference& reference);

// Calls visit(node) for the root and every element under it, in document order.
template <class Visit>
void forEachNode(const Node& root, Visit visit) {
  std::vector<const Node*> pending{&root};
  while (!pending.empty()) {
    const Node* node = pending.back();
    pending.pop_back();
    visit(*node);
    for (auto child = node->children.rbegin(); child != node->children.rend(); ++child) pending.push_back(&*child);
  }
}
// The element a dotted path reaches, walked as the reading of values walks it (the root's name,
// then a name for the first child element of that name, or [N] for the N-th listed child) but
// strictly: null, with the reason, when a component names nothing there.
const Node* nodeAtPath(const Template& tree, const std::string& dottedPath, std::string& reason);

// An element that holds elements rather than a value, as the reading of values tells them
// apart: its first listed child is an element with children of its own.
bool holdsElements(const Node& node);

// The elements named name (prefix included), in document order.
std::vector<const Node*> nodesNamed(const Template& tree, const std::string& name);

}  // namespace api
}  // namespace l3xml

#endif  // L3XML_API_TEMPLATE_TREE_H
