// A template as a tree of elements with their kinds, values, paths and positions, and the
// comparison of two such trees.
#include "api/template_tree.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>

#include "parser/document_access.h"
#include "parser/dotted_path.h"
#include "parser/element_kind.h"
#include "parser/message_flattening.h"
#include "pixit/pixit_maps.h"
#include "platform/file_system.h"

namespace l3xml {

Node::~Node() {
  std::vector<Node> pending = std::move(children);
  while (!pending.empty()) {
    Node last = std::move(pending.back());
    pending.pop_back();
    for (Node& child : last.children) pending.push_back(std::move(child));
    last.children.clear();  // emptied before it goes, so that its destructor has nothing to walk
  }
}

NodeKind kindOf(const std::string& elementName) {
  switch (parser::kindOf(elementName)) {
    case parser::ElementKind::kChoice:
      return NodeKind::kChoice;
    case parser::ElementKind::kOptional:
      return NodeKind::kOptional;
    case parser::ElementKind::kSequence:
      return NodeKind::kSequence;
    case parser::ElementKind::kOther:
      break;
  }
  return NodeKind::kOther;
}

const char* kindName(NodeKind kind) {
  switch (kind) {
    case NodeKind::kChoice:
      return "choice";
    case NodeKind::kOptional:
      return "optional";
    case NodeKind::kSequence:
      return "sequence";
    case NodeKind::kOther:
      break;
  }
  return "element";
}

bool isPixitReference(const std::string& text) { return pixit::isPixitReference(text); }

namespace api {

namespace {

// One element waiting to be filled in: its node in the document and its place in the tree.
struct Pending {
  dom::ComPtr<dom::IXMLDOMNode> element;
  Node* node;
  std::size_t depth;
  bool underReference;  // an ancestor's text is a reference: the flattening never looks below it
};

std::string textOf(dom::IXMLDOMNode& node) {
  std::string text;
  (void)node.get_text(text);
  return text;
}

// Element children are written by name when the name finds them (it finds the first of its
// name, and a dot would split it), by position otherwise.
void namePaths(Node& parent) {
  std::vector<Node>& children = parent.children;
  // Whether a sibling shares each child's name: compared pair by pair in the short lists that
  // templates mostly have, counted in a map in long ones.
  std::vector<bool> shared(children.size(), false);
  constexpr std::size_t kCompared = 16;
  if (children.size() <= kCompared) {
    for (std::size_t i = 0; i < children.size(); ++i) {
      for (std::size_t j = i + 1; j < children.size(); ++j) {
        if (children[i].localName == children[j].localName) shared[i] = shared[j] = true;
      }
    }
  } else {
    std::unordered_map<std::string_view, int> uses;
    for (const Node& child : children) ++uses[child.localName];
    for (std::size_t i = 0; i < children.size(); ++i) shared[i] = uses[children[i].localName] > 1;
  }
  for (std::size_t i = 0; i < children.size(); ++i) {
    Node& child = children[i];
    const bool byName = !shared[i] && !child.localName.empty() && child.localName.find('.') == std::string::npos;
    child.path.reserve(parent.path.size() + 1 + child.localName.size());
    child.path = parent.path;
    child.path += '.';
    if (byName) {
      child.path += child.localName;
    } else {
      child.path += '[';
      child.path += std::to_string(child.place);
      child.path += ']';
    }
  }
}

}  // namespace

std::optional<Template> readTemplateTree(Call& call, const std::string& path, const std::string& name,
                                         TreeDetail detail) {
  const bool full = detail == TreeDetail::kFull;
  call.setFile(path);
  dom::ComPtr<dom::IXMLDOMDocument> document;
  bool loaded = false;
  if (parser::createParserDocument(document.GetAddressOf()) < 0) return std::nullopt;
  if (dom::failed(document->load(path, loaded))) {
    call.add(Severity::kError, codes::kMissingFile, "cannot be read");
    return std::nullopt;
  }
  dom::ComPtr<dom::IXMLDOMNode> root;
  if (!loaded || dom::failed(document->get_documentElement(root)) || !root) {
    call.add(parseErrorOf(*document, path));
    return std::nullopt;
  }

  Template tree;
  tree.name = name;
  tree.path = path;
  std::vector<Pending> pending{{root, &tree.root, 1, false}};
  while (!pending.empty()) {
    Pending item = std::move(pending.back());
    pending.pop_back();
    Node& node = *item.node;
    dom::IXMLDOMNode& element = *item.element;
    if (item.node == &tree.root) {
      (void)element.get_nodeName(node.name);
      (void)element.get_baseName(node.localName);
      node.path = node.localName;
    }
    node.kind = kindOf(node.name);
    if (full) (void)element.get_sourcePosition(node.line, node.column);
    bool reference = false;
    std::string text;
    if (full && !item.underReference) {
      reference = pixit::readsAsPixitReference(element, std::string::npos, text);
      if (reference) tree.references.push_back({text, node.path, node.line, node.column});
    }

    dom::ComPtr<dom::IXMLDOMNodeList> children;
    long count = 0;
    if (!dom::failed(element.get_childNodes(children)) && children) (void)children->get_length(count);
    std::vector<dom::ComPtr<dom::IXMLDOMNode>> elements;
    node.children.reserve(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) {
      dom::ComPtr<dom::IXMLDOMNode> child;
      std::string childName;
      if (dom::failed(children->get_item(i, child)) || !child) continue;
      ++node.listed;
      (void)child->get_nodeName(childName);
      dom::ComPtr<dom::IXMLDOMNamedNodeMap> attributes;
      if (!childName.empty() && childName[0] != '#' && child->get_attributes(attributes) == dom::kOk && attributes) {
        elements.push_back(child);
        Node& childNode = node.children.emplace_back();
        childNode.place = node.listed;
        childNode.name = std::move(childName);
        (void)child->get_baseName(childNode.localName);
        continue;
      }
      if (childName == "#text" || childName == "#cdata-section") {
        std::string value;
        (void)child->get_nodeValue(value);
        node.textChildren.push_back(std::move(value));
      }
      // The flattening walks texts, comments and instructions like elements: any may be a reference.
      if (full && !reference && !item.underReference && pixit::readsAsPixitReference(*child, std::string::npos, text)) {
        tree.references.push_back({text, node.path, node.line, node.column});
      }
    }
    // The root's children are the flattening's first level: an element below the deepest level it
    // walks may stand there only as long as it holds nothing.
    if (item.depth > parser::kMaxNestingDepth + 1 && node.listed > 0) {
      if (!full) (void)element.get_sourcePosition(node.line, node.column);
      call.setPosition(node.line, node.column);
      call.add(Severity::kError, codes::kTooDeep,
               "the template is nested deeper than " + std::to_string(parser::kMaxNestingDepth) + " levels");
      return std::nullopt;
    }
    if (node.children.empty()) node.text = textOf(element);
    namePaths(node);
    // Pushed in reverse, so that elements are filled in, and references found, in document order.
    for (std::size_t i = elements.size(); i > 0; --i) {
      pending.push_back({elements[i - 1], &node.children[i - 1], item.depth + 1, item.underReference || reference});
    }
  }
  return tree;
}

const Node* nodeAtPlace(const Node& root, const std::vector<long>& place) {
  const Node* node = &root;
  for (long index : place) {
    const auto next = std::find_if(node->children.begin(), node->children.end(),
                                   [&](const Node& child) { return child.place == index + 1; });
    if (next == node->children.end()) break;
    node = &*next;
  }
  return node;
}

const Node* nodeAtPath(const Template& tree, const std::string& dottedPath, std::string& reason) {
  const std::vector<std::string> components = parser::readingComponents(dottedPath);
  if (components.empty() || components.front() != tree.root.localName) {
    reason = "a dotted path starts with the root element, " + tree.root.localName;
    return nullptr;
  }
  const Node* node = &tree.root;
  for (std::size_t c = 1; c < components.size(); ++c) {
    const std::string& component = components[c];
    const Node* next = nullptr;
    if (parser::isIndexComponent(component)) {
      const long place = parser::indexNumber(component.substr(1, component.size() - 2));
      for (const Node& child : node->children) {
        if (child.place == place) next = &child;
      }
    } else {
      for (const Node& child : node->children) {
        if (next == nullptr && child.localName == component) next = &child;
      }
    }
    if (next == nullptr) {
      reason = node->path + " has no element " + (component.empty() ? "with an empty name" : "'" + component + "'");
      return nullptr;
    }
    node = next;
  }
  return node;
}

const Node& holderOf(const Template& tree, const Reference& reference) {
  const Node* found = nullptr;
  forEachNode(tree.root, [&](const Node& node) {
    if (found == nullptr && node.path == reference.path) found = &node;
  });
  if (found == nullptr) return tree.root;
  const Node* holder = found;
  forEachNode(*found, [&](const Node& node) {
    if (holder == found && node.leaf() && node.text == reference.parameter) holder = &node;
  });
  return *holder;
}

bool holdsElements(const Node& node) {
  return !node.children.empty() && node.children.front().place == 1 && node.children.front().listed > 0;
}

std::vector<const Node*> nodesNamed(const Template& tree, const std::string& name) {
  std::vector<const Node*> named;
  std::vector<const Node*> pending{&tree.root};
  while (!pending.empty()) {
    const Node* node = pending.back();
    pending.pop_back();
    if (node->name == name) named.push_back(node);
    for (std::size_t i = node->children.size(); i > 0; --i) pending.push_back(&node->children[i - 1]);
  }
  return named;
}

namespace {

std::string describe(const Node& node) {
  if (node.leaf()) return node.text;
  return "(" + std::to_string(node.children.size()) + (node.children.size() == 1 ? " element)" : " elements)");
}

// Walked with a stack rather than by recursion: templates may nest thousands of levels. A pair with
// one side missing stands for an element that only the other side has.
void compareNodes(const Node& rootBefore, const Node& rootAfter, std::vector<Change>& changes) {
  std::vector<std::pair<const Node*, const Node*>> pending{{&rootBefore, &rootAfter}};
  while (!pending.empty()) {
    const auto [before, after] = pending.back();
    pending.pop_back();
    if (after == nullptr || before == nullptr) {
      const Node& only = after == nullptr ? *before : *after;
      changes.push_back(
          {only.path, before != nullptr ? describe(only) : "(absent)", after != nullptr ? describe(only) : "(absent)"});
    } else if (before->name != after->name) {
      changes.push_back({before->path, "<" + before->name + ">", "<" + after->name + ">"});
    } else if (before->leaf() || after->leaf()) {
      if (before->leaf() != after->leaf() || before->text != after->text) {
        changes.push_back({before->path, describe(*before), describe(*after)});
      }
    } else {
      // Pushed in reverse, so that the changes come out in document order, as a recursion gives them.
      const std::size_t common = std::min(before->children.size(), after->children.size());
      for (std::size_t i = after->children.size(); i > common; --i)
        pending.push_back({nullptr, &after->children[i - 1]});
      for (std::size_t i = before->children.size(); i > common; --i)
        pending.push_back({&before->children[i - 1], nullptr});
      for (std::size_t i = common; i > 0; --i) pending.push_back({&before->children[i - 1], &after->children[i - 1]});
    }
  }
}

}  // namespace

}  // namespace api

std::vector<Change> compareTemplates(const Node& before, const Node& after) {
  std::vector<Change> changes;
  api::compareNodes(before, after, changes);
  return changes;
}

}  // namespace l3xml
