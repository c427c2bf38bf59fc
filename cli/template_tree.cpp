// Reading a template with pugixml into a tree of elements, node paths and comparisons.
#include "template_tree.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <pugixml.hpp>

namespace l3xml_cli {

namespace {

// Far beyond any message; a file nested deeper is refused rather than walked.
constexpr int kMaxDepth = 1000;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string trimmed(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string localNameOf(const std::string& name) {
  const std::size_t colon = name.find(':');
  return colon == std::string::npos ? name : name.substr(colon + 1);
}

// The nodes that the library lists as children: whitespace-only text is no node of its own
// (the parse drops it), everything else is.
bool isListed(pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_element:
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
      return true;
    default:
      return false;
  }
}

bool build(pugi::xml_node element, TemplateNode& node, int depth) {
  if (depth > kMaxDepth) return false;
  node.name = element.name();
  node.localName = localNameOf(node.name);
  node.kind = kindOfName(node.name);
  std::string text;
  std::vector<pugi::xml_node> elements;
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    if (!isListed(child)) continue;
    ++node.listedCount;
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      node.textChildren.emplace_back(child.value());
      text += child.value();
    } else if (child.type() == pugi::node_element) {
      elements.push_back(child);
      node.children.emplace_back().position = node.listedCount;
    }
  }
  for (std::size_t i = 0; i < elements.size(); ++i) {
    TemplateNode& child = node.children[i];
    const std::string local = localNameOf(elements[i].name());
    // A name finds the first element of that name; elements that share their name with a sibling
    // are written by position, and so is a name that a dot would split.
    const bool unique = std::count_if(elements.begin(), elements.end(),
                                      [&](pugi::xml_node other) { return localNameOf(other.name()) == local; }) == 1;
    const bool byName = unique && !local.empty() && local.find('.') == std::string::npos;
    child.path = node.path + "." + (byName ? local : "[" + std::to_string(child.position) + "]");
    if (!build(elements[i], child, depth + 1)) return false;
  }
  if (node.children.empty()) node.text = trimmed(text);
  return true;
}

std::string describe(const TemplateNode& node) {
  if (node.leaf()) return node.text;
  return "(" + std::to_string(node.children.size()) + (node.children.size() == 1 ? " element)" : " elements)");
}

void compareNodes(const TemplateNode& before, const TemplateNode& after, std::vector<ValueChange>& changes) {
  if (before.name != after.name) {
    changes.push_back({before.path, "<" + before.name + ">", "<" + after.name + ">"});
    return;
  }
  if (before.leaf() || after.leaf()) {
    if (before.leaf() != after.leaf() || before.text != after.text) {
      changes.push_back({before.path, describe(before), describe(after)});
    }
    return;
  }
  const std::size_t common = std::min(before.children.size(), after.children.size());
  for (std::size_t i = 0; i < common; ++i) compareNodes(before.children[i], after.children[i], changes);
  for (std::size_t i = common; i < before.children.size(); ++i) {
    changes.push_back({before.children[i].path, describe(before.children[i]), "(absent)"});
  }
  for (std::size_t i = common; i < after.children.size(); ++i) {
    changes.push_back({after.children[i].path, "(absent)", describe(after.children[i])});
  }
}

bool isNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || (c & 0x80) != 0; }
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

bool isPlainName(const std::string& name) {
  if (name.empty() || !isNameStart(name[0])) return false;
  for (char c : name) {
    if (!isNameChar(c)) return false;
  }
  return true;
}

}  // namespace

NodeKind kindOfName(const std::string& name) {
  if (name.size() >= 2 && name[0] == 'c' && name[1] >= '0' && name[1] <= '9') return NodeKind::kChoice;
  if (name.compare(0, 3, "opt") == 0) return NodeKind::kOptional;
  if (name.compare(0, 8, "SEQUENCE") == 0) return NodeKind::kSequence;
  return NodeKind::kPlain;
}

bool isPixitReference(const std::string& text) {
  return text.compare(0, 3, "px_") == 0 && text.find(' ') == std::string::npos;
}

TemplateReading readTemplate(const std::string& path) {
  TemplateReading reading;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reading.problem = "cannot be read";
    return reading;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  pugi::xml_document document;
  const pugi::xml_parse_result result =
      document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_comments | pugi::parse_pi);
  if (!result) {
    // pugixml reports a byte offset; people look for a line and a column.
    const std::size_t offset = std::min(static_cast<std::size_t>(result.offset), bytes.size());
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
      if (bytes[i] == '\n') {
        ++line;
        lineStart = i + 1;
      }
    }
    reading.problem = "is not well-formed XML: " + std::string(result.description()) + " (line " +
                      std::to_string(line) + ", column " + std::to_string(offset - lineStart + 1) + ")";
    return reading;
  }
  const pugi::xml_node root = document.document_element();
  if (!root) {
    reading.problem = "has no root element";
    return reading;
  }
  reading.root.path = localNameOf(root.name());
  if (!build(root, reading.root, 0)) {
    reading.problem = "is nested deeper than " + std::to_string(kMaxDepth) + " levels";
    return reading;
  }
  reading.ok = true;
  return reading;
}

void forEachNode(const TemplateNode& root, const std::function<void(const TemplateNode&)>& visit) {
  visit(root);
  for (const TemplateNode& child : root.children) forEachNode(child, visit);
}

const TemplateNode* findByPath(const TemplateNode& root, const std::string& dottedPath, std::string& reason) {
  std::vector<std::string> segments;
  for (std::size_t start = 0;;) {
    const std::size_t dot = dottedPath.find('.', start);
    segments.push_back(dottedPath.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  if (segments.front() != root.localName) {
    reason = "a path starts with the root element, " + root.localName + ", not '" + segments.front() + "'";
    return nullptr;
  }
  const TemplateNode* node = &root;
  for (std::size_t i = 1; i < segments.size(); ++i) {
    const std::string& segment = segments[i];
    const TemplateNode* next = nullptr;
    if (segment.size() >= 2 && segment[0] == '[' && segment[1] >= '0' && segment[1] <= '9') {
      const long position = std::atol(segment.substr(1, segment.size() - 2).c_str());
      for (const TemplateNode& child : node->children) {
        if (child.position == position) next = &child;
      }
      if (next == nullptr) {
        reason = node->path + " has no element at position " + segment + " (it lists " +
                 std::to_string(node->listedCount) + (node->listedCount == 1 ? " node)" : " nodes)");
        return nullptr;
      }
    } else {
      for (const TemplateNode& child : node->children) {
        if (child.localName == segment) {
          next = &child;
          break;
        }
      }
      if (next == nullptr) {
        std::string names;
        for (const TemplateNode& child : node->children) names += (names.empty() ? "" : ", ") + child.localName;
        reason = node->path + " has no element '" + segment + "'" +
                 (names.empty() ? std::string(" (it holds a value)") : " (it holds " + names + ")");
        return nullptr;
      }
    }
    node = next;
  }
  return node;
}

std::vector<const TemplateNode*> findByName(const TemplateNode& root, const std::string& name) {
  std::vector<const TemplateNode*> found;
  forEachNode(root, [&](const TemplateNode& node) {
    if (node.name == name) found.push_back(&node);
  });
  return found;
}

std::vector<const TemplateNode*> findByPlaceholder(const TemplateNode& root, const std::string& placeholder) {
  std::vector<const TemplateNode*> found;
  forEachNode(root, [&](const TemplateNode& node) {
    for (const std::string& text : node.textChildren) {
      if (text == placeholder) {
        found.push_back(&node);
        break;
      }
    }
  });
  return found;
}

bool isSelectableName(const std::string& name) {
  const std::size_t colon = name.find(':');
  if (colon == std::string::npos) return isPlainName(name);
  return isPlainName(name.substr(0, colon)) && isPlainName(name.substr(colon + 1));
}

std::vector<ValueChange> compareTemplates(const TemplateNode& before, const TemplateNode& after) {
  std::vector<ValueChange> changes;
  compareNodes(before, after, changes);
  return changes;
}

}  // namespace l3xml_cli
