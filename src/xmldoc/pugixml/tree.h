// The parsed tree of a document, its hidden nodes and the iterative walk over it.
#ifndef L3XML_XMLDOC_PUGIXML_TREE_H
#define L3XML_XMLDOC_PUGIXML_TREE_H

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// The answers of the last text question (prefix, absent character, limit) that walked a
// subtree. The walk also decides the question for every element it entered before the text's
// first character: its text starts as the walked one does, and ends where the walk left it.
// Those elements come next in document order, so a walk down a deep chain is made once, not once
// per level.
struct TextAnswers {
  struct Answer {
    const void* node;  // pugi::xml_node_struct
    bool matched;
    std::size_t length;  // of the walk's text that is this element's, when matched
  };
  bool valid = false;
  unsigned long version = 0;
  std::string prefix;
  char absent = 0;
  std::size_t limit = 0;
  std::string text;  // the text the walk read
  std::vector<Answer> answers;
  std::size_t next = 0;  // the answer the next question is expected for
  // The walk's elements not yet left (answer index, depth); kept for its memory.
  std::vector<std::pair<std::size_t, int>> open;
};

// One loaded tree. Node objects share it, so a reload or the end of the document object
// never frees nodes that a caller still holds.
struct Tree {
  Tree() = default;
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;

  // The holding area, appended after the top-level nodes when the first node is removed: most
  // documents are read and never lose a node, and a parse clears the tree.
  pugi::xml_node holdingArea() {
    if (!holding) holding = xml.append_child(pugi::node_element);
    return holding;
  }

  pugi::xml_document xml;
  // Nodes removed from the document stay here until the tree dies: a caller may still hold
  // them, and pugixml frees a removed node at once. Never listed, walked, queried or saved;
  // null until a node is removed.
  pugi::xml_node holding;
  // Counts changes, so that live child lists know when to look again.
  unsigned long version = 0;
  // Blank text nodes below the top level are not all marked yet: nothing at the load needed a
  // walk of the tree. Settled before blank text is set or nodes are copied in from another tree,
  // so that blank text the caller sets or brings in stays text.
  bool marksPending = false;
  // The UTF-8 text the tree was parsed from, where node offsets point, for source positions; the
  // offsets at which its lines start are found on the first question.
  std::string text;
  std::vector<std::size_t> lineStarts;
  // The last position answered: its line, offset and column.
  struct Counted {
    long line = 0;
    std::size_t offset = 0;
    long column = 0;
  };
  Counted lastPosition;
  TextAnswers textAnswers;
};

inline constexpr const char* kBlanks = " \t\n\r";
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Whitespace-only text between markup is no node of the document, but the place where it
// stood matters to the text and to the saved layout. It becomes an empty text node, a mark that
// nothing else produces: a value mostly shows at its first byte that it is none, and indentation
// runs, most of a template's text, are one library scan.
inline bool markIfBlank(char* value) {
  if (*value == '\0') return true;
  if (!isBlank(*value) || value[std::strspn(value, kBlanks)] != '\0') return false;
  *value = '\0';
  return true;
}

// Whether node is a whitespace mark; the second form is for a walk that has the node's type
// already. Until the marks of a tree are settled (a load that had no reason to walk it), a text
// node of blanks is marked when it is first asked about, so that it reads as marked everywhere.
inline bool isWhitespaceMark(const Tree& tree, pugi::xml_node node, pugi::xml_node_type type) {
  if (type != pugi::node_pcdata) return false;
  char* value = const_cast<char*>(node.value());
  return *value == '\0' || (tree.marksPending && markIfBlank(value));
}
inline bool isWhitespaceMark(const Tree& tree, pugi::xml_node node) {
  return isWhitespaceMark(tree, node, node.type());
}

// Whether node is one that child lists show.
inline bool isListed(const Tree& tree, pugi::xml_node node) {
  return node != tree.holding && !isWhitespaceMark(tree, node);
}

// Calls visit(node, level) for the nodes under root in document order until visit returns false,
// and skips the holding area; level() is the node's depth below root, root's children at 1.
// Returns whether the walk went to the end. pugixml's own traversal moves through the tree, as
// each step of ours would be calls into the library; for the same reason the level is told only
// when a visit asks for it.
template <class Visit>
bool walkSubtree(const Tree& tree, pugi::xml_node root, Visit&& visit) {
  struct Walk final : pugi::xml_tree_walker {
    Walk(Visit& visit, int base) : visit(visit), base(base) {}
    bool for_each(pugi::xml_node& node) override {
      return visit(node, [this] { return depth() + base; });
    }
    Visit& visit;
    int base;
  };
  if (root.type() != pugi::node_document) {
    Walk walk(visit, 1);
    return root.traverse(walk);
  }
  // The holding area is a top-level node: the document's children are walked one by one.
  Walk walk(visit, 2);
  for (pugi::xml_node node = root.first_child(); node; node = node.next_sibling()) {
    if (node == tree.holding) continue;
    if (!visit(node, [] { return 1; }) || !node.traverse(walk)) return false;
  }
  return true;
}

// Marks every blank text node that is not marked yet.
inline void settleMarks(Tree& tree) {
  if (!tree.marksPending) return;
  walkSubtree(tree, tree.xml, [](pugi::xml_node node, auto) {
    if (node.type() == pugi::node_pcdata) markIfBlank(const_cast<char*>(node.value()));
    return true;
  });
  tree.marksPending = false;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_TREE_H
