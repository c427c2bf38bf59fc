// The same document work as the library's operations, written directly with pugixml.
#include "plain_pugixml.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include <pugixml.hpp>

namespace l3xml_bench {
namespace plain {

namespace {

// The options the library's backend parses with: whitespace, comments, instructions, the
// declaration and the document type kept.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_comments | pugi::parse_pi |
                                   pugi::parse_declaration | pugi::parse_doctype | pugi::parse_fragment;
constexpr std::size_t kLineLimit = 4095;
constexpr std::size_t kAttributeLimit = 499;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool allBlank(const char* text) {
  for (; *text != '\0'; ++text) {
    if (!isBlank(*text)) return false;
  }
  return true;
}

// Whitespace between elements is no node of the documents the library reads.
bool isMark(pugi::xml_node node) { return node.type() == pugi::node_pcdata && allBlank(node.value()); }
pugi::xml_node listedFrom(pugi::xml_node node) {
  while (node && isMark(node)) node = node.next_sibling();
  return node;
}
pugi::xml_node firstListed(pugi::xml_node node) { return listedFrom(node.first_child()); }
pugi::xml_node nextListed(pugi::xml_node node) { return listedFrom(node.next_sibling()); }

const char* nameOf(pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_pcdata:
      return "#text";
    case pugi::node_cdata:
      return "#cdata-section";
    case pugi::node_comment:
      return "#comment";
    default:
      return node.name();
  }
}
const char* localName(const char* name) {
  const char* colon = std::strchr(name, ':');
  return colon != nullptr ? colon + 1 : name;
}

std::string_view stripped(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Walks the nodes under root in document order.
template <class Visit>
void forEachDescendant(pugi::xml_node root, Visit visit) {
  pugi::xml_node node = root.first_child();
  while (node) {
    if (!visit(node)) return;
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != root && !node.next_sibling()) node = node.parent();
    if (node == root) return;
    node = node.next_sibling();
  }
}

// The text of a node: text and CDATA in document order, one blank for each run of whitespace
// between pieces, stripped at both ends except into CDATA.
std::string textOf(pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_pcdata:
      return std::string(stripped(node.value()));
    case pugi::node_element:
      break;
    default:
      return node.value();
  }
  std::string text;
  std::size_t cdataFrom = std::string::npos;
  std::size_t cdataTo = 0;
  bool spaced = false;
  forEachDescendant(node, [&](pugi::xml_node piece) {
    const bool cdata = piece.type() == pugi::node_cdata;
    if (piece.type() != pugi::node_pcdata && !cdata) return true;
    if (isMark(piece)) {
      spaced = true;
      return true;
    }
    if (spaced && !text.empty()) text += ' ';
    spaced = false;
    if (cdata && cdataFrom == std::string::npos) cdataFrom = text.size();
    text += piece.value();
    if (cdata) cdataTo = text.size();
    return true;
  });
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && begin < cdataFrom && isBlank(text[begin])) ++begin;
  while (end > begin && end > cdataTo && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool isReference(std::string_view text) {
  return text.substr(0, 3) == "px_" && text.find(' ') == std::string_view::npos;
}

// Whether the node's text, cut to the line's limit, is a PIXIT reference, reading the subtree
// only until that is decided: its first three characters, or a blank with text after it.
bool referenceText(pugi::xml_node node, std::string& text) {
  text.clear();
  if (node.type() != pugi::node_element) {
    text = textOf(node);
  } else {
    bool spaced = false;
    bool whole = true;
    std::size_t lastSolid = std::string::npos;
    forEachDescendant(node, [&](pugi::xml_node piece) {
      if (piece.type() == pugi::node_cdata) {
        whole = false;  // CDATA keeps its blanks: take the exact rule
        return false;
      }
      if (piece.type() != pugi::node_pcdata) return true;
      if (isMark(piece)) {
        spaced = !text.empty();
        return true;
      }
      if (spaced) text += ' ';
      spaced = false;
      const char* value = piece.value();
      if (text.empty()) {
        while (isBlank(*value)) ++value;
      }
      for (; *value != '\0'; ++value) {
        if (!isBlank(*value)) lastSolid = text.size();
        text += *value;
      }
      if (text.size() >= 3 && text.compare(0, 3, "px_") != 0) return false;
      const std::size_t blank = text.find(' ');
      return !(blank != std::string::npos && blank < kLineLimit && lastSolid != std::string::npos && lastSolid > blank);
    });
    if (!whole) {
      text = textOf(node);
    } else {
      text.resize(lastSolid == std::string::npos ? 0 : lastSolid + 1);
    }
  }
  if (text.size() > kLineLimit) text.resize(kLineLimit);
  return isReference(text);
}

// The flattened line, cut at the library's buffer size.
class Line {
 public:
  void append(std::string_view piece) {
    const std::size_t room = kLineLimit - text_.size();
    text_.append(piece.substr(0, room));
  }
  void appendWithoutSpaces(std::string_view piece) {
    for (char c : piece) {
      if (c != ' ' && text_.size() < kLineLimit) text_ += c;
    }
  }
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

bool load(pugi::xml_document& document, const std::string& path) {
  return bool(document.load_file(path.c_str(), kParseOptions));
}

bool saveReplacing(const pugi::xml_document& document, const std::string& path) {
  const std::string temporary = path + ".save";
  if (!document.save_file(temporary.c_str(), "\t", pugi::format_raw)) return false;
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

std::string resolved(const std::string& text, const Parameters& parameters) {
  if (text.compare(0, 3, "px_") != 0) return text;
  const auto found = parameters.find(text);
  return found != parameters.end() ? found->second.value : text;
}

// A simple value element: text, or one empty element that names the value. Nothing for an
// element whose first child has children.
bool readValue(pugi::xml_node element, const Parameters& parameters, std::string& value) {
  const pugi::xml_node first = firstListed(element);
  if (first && firstListed(first)) return false;
  value = textOf(element);
  if (value.empty() && first) value = nameOf(first);
  value = resolved(value, parameters);
  return true;
}

bool isIndex(const std::string& component) {
  return component.size() >= 2 && component[0] == '[' && component[1] >= '0' && component[1] <= '9';
}

std::vector<std::string> split(const std::string& dotted) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = dotted.find('.', start);
    parts.push_back(dotted.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) return parts;
    start = dot + 1;
  }
}

// The child that a path component names, from the index it gives (or the first); none when
// there is none.
pugi::xml_node childFor(pugi::xml_node parent, const std::string& component) {
  long start = 0;
  std::string name = component;
  const bool positional = isIndex(component);
  if (positional) {
    name = component.substr(1, component.size() - 2);
    start = std::atol(name.c_str()) - 1;
  }
  if (start < 0) return pugi::xml_node();
  pugi::xml_node child = firstListed(parent);
  for (long i = 0; child && i < start; ++i) child = nextListed(child);
  for (; child; child = nextListed(child)) {
    if (positional || name == localName(nameOf(child))) return child;
  }
  return pugi::xml_node();
}

// Sets the value by the element's first child, as the library does.
void writeValue(pugi::xml_node element, const std::string& value) {
  const pugi::xml_node first = firstListed(element);
  if (!first || nameOf(first)[0] == '#') {
    while (element.first_child()) element.remove_child(element.first_child());
    if (!value.empty()) element.append_child(pugi::node_pcdata).set_value(value.c_str());
    return;
  }
  element.insert_child_before(value.c_str(), first);
  element.remove_child(first);
}

void recordPlaceholder(pugi::xml_node element, std::map<std::string, std::string>& placeholders) {
  const std::string text = textOf(element);
  if (text.compare(0, 3, "px_") == 0) placeholders.emplace(element.name(), text);
}

bool holdsText(pugi::xml_node element, const std::string& text) {
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    if ((child.type() == pugi::node_pcdata && !isMark(child)) || child.type() == pugi::node_cdata) {
      if (text == child.value()) return true;
    }
  }
  return false;
}

std::string cut(const char* text) {
  const std::size_t length = std::strlen(text);
  return std::string(text, length < kAttributeLimit ? length : kAttributeLimit);
}

void readPixitEntries(pugi::xml_node root, Parameters& pixit) {
  ParamStructure record;
  for (pugi::xml_node entry = firstListed(root); entry; entry = nextListed(entry)) {
    if (entry.type() != pugi::node_element) continue;
    for (pugi::xml_attribute attribute : entry.attributes()) {
      const char* name = attribute.name();
      std::string* field = std::strcmp(name, "Name") == 0      ? &record.name
                           : std::strcmp(name, "Type") == 0    ? &record.type
                           : std::strcmp(name, "Value") == 0   ? &record.value
                           : std::strcmp(name, "Group") == 0   ? &record.group
                           : std::strcmp(name, "Unit") == 0    ? &record.unit
                           : std::strcmp(name, "Comment") == 0 ? &record.comment
                           : std::strcmp(name, "Cell") == 0    ? &record.cell
                                                               : nullptr;
      if (field != nullptr) *field = cut(attribute.value());
    }
    pixit.emplace(record.name, record);
  }
}

void readTypeEntries(pugi::xml_node root, Parameters& types) {
  ParamStructure record;
  for (pugi::xml_node entry = firstListed(root); entry; entry = nextListed(entry)) {
    if (entry.type() != pugi::node_element) continue;
    record.enumNumericValues.clear();
    record.enumValues.clear();
    bool recognised = false;
    for (pugi::xml_attribute attribute : entry.attributes()) {
      const std::string name = cut(attribute.name());
      const std::string value = cut(attribute.value());
      if (name == "Name") {
        record.name = value;
        continue;
      }
      if (name != "Basetype") continue;
      const bool byName = value == "Binary" || value == "Enum";
      const bool byPosition = value == "Integer" || value == "Double" || value == "String";
      if (!byName && !byPosition && value != "Boolean") continue;
      recognised = true;
      if (value == "Boolean" || value == "Enum") record.basetype = value;
      if (value == "Boolean") continue;
      long position = 0;
      for (pugi::xml_node child = firstListed(entry); child; child = nextListed(child), ++position) {
        if (child.type() != pugi::node_element) continue;
        for (pugi::xml_attribute childAttribute : child.attributes()) {
          const std::string childName = cut(childAttribute.name());
          const std::string childValue = cut(childAttribute.value());
          if (byPosition) {
            if (position == 0) {
              record.basetype = value;
              record.minValue = childValue;
            } else if (position == 1) {
              record.maxValue = childValue;
            } else if (position == 2 && value == "String") {
              record.type = childValue;
            }
          } else if (value == "Binary") {
            if (childName == "minValue") {
              record.basetype = value;
              record.minValue = childValue;
            } else if (childName == "maxValue") {
              record.maxValue = childValue;
            }
          } else if (childName == "Value") {
            record.enumValues.push_back(childValue);
          } else if (childName == "NumericValue") {
            record.enumNumericValues.push_back(childValue);
          }
        }
      }
    }
    if (recognised) types.emplace(record.name, record);
  }
}

}  // namespace

std::string flatten(const std::string& path, const Parameters& parameters, int& openBraces) {
  pugi::xml_document document;
  if (!load(document, path)) return std::string();
  const pugi::xml_node root = document.document_element();
  if (!root) return std::string();
  Line line;
  line.append(localName(root.name()));
  line.append(" ");

  // The library's context stacks, one entry per opened level, and one level per list walked. A
  // context stays open after a reference or a leaf that opened it, so a SEQUENCE item may close
  // in another list than its own: the item after it is then taken by its index there.
  struct Context {
    bool choice, optional, sequence;
    long index;
    pugi::xml_node node;
  };
  struct Level {
    pugi::xml_node parent;
    pugi::xml_node next;
    long index;
    bool opened;
    std::string value;
  };
  const auto countListed = [](pugi::xml_node parent) {
    long count = 0;
    for (pugi::xml_node child = firstListed(parent); child; child = nextListed(child)) ++count;
    return count;
  };
  std::vector<Context> contexts;
  std::vector<Level> levels{{root, firstListed(root), 0, false, std::string()}};
  std::string text;
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next) {
      const pugi::xml_node node = level.next;
      const long index = level.index++;
      level.next = nextListed(node);
      const char* name = nameOf(node);
      if (name[0] == 'c' && name[1] >= '0' && name[1] <= '9') {
        contexts.push_back({true, false, false, 0, {}});
        line.append("( ");
        level.opened = true;
      } else if (std::strncmp(name, "opt", 3) == 0) {
        contexts.push_back({false, true, false, 0, {}});
        line.append("[ ");
        level.opened = true;
      } else if (std::strncmp(name, "SEQUENCE", 8) == 0) {
        contexts.push_back({false, false, true, index, node});
        int open = 0;
        for (const Context& context : contexts) open += context.sequence ? 1 : 0;
        if (open > openBraces) {
          ++openBraces;
          line.append("{ ");
        }
        level.opened = true;
      }
      if (referenceText(node, text)) {
        const auto found = parameters.find(text);
        if (found != parameters.end()) level.value = found->second.value;
        line.append(level.value);
        line.append(" ");
        continue;
      }
      const pugi::xml_node child = firstListed(node);
      if (!contexts.empty() && contexts.back().optional && !child) {
        contexts.pop_back();
        line.append("] ");
        level.opened = false;
      }
      if (child) {
        if (!level.opened) contexts.push_back({false, false, false, 0, {}});
        level.opened = false;
        levels.push_back({node, child, 0, false, std::string()});
        continue;
      }
      const std::string leaf = textOf(node);
      if (!leaf.empty()) {
        line.appendWithoutSpaces(leaf);
        line.append(" ");
      }
      continue;
    }
    if (!contexts.empty()) {
      const Context& context = contexts.back();
      if (context.sequence) {
        if (levels.size() < 2) {
          --openBraces;
          line.append("} ");
        } else {
          // The item after it decides between "," and "}": its own next sibling when it closes in
          // its own list, else the one after its index in the list it closes in.
          const Level& parent = levels[levels.size() - 2];
          pugi::xml_node sibling;
          bool past = false;
          if (context.node.parent() == parent.parent) {
            sibling = nextListed(context.node);
          } else {
            sibling = firstListed(parent.parent);
            for (long i = 0; sibling && i <= context.index; ++i) sibling = nextListed(sibling);
            past = !sibling && context.index >= countListed(parent.parent);
          }
          if (sibling && std::strncmp(nameOf(sibling), "SEQUENCE", 8) == 0) {
            line.append(",");
          } else if (!past) {
            --openBraces;
            line.append("} ");
          }
        }
      }
      if (context.optional) line.append("] ");
      if (context.choice) line.append(") ");
      contexts.pop_back();
    }
    levels.pop_back();
  }
  return line.take();
}

std::vector<std::string> valuesByName(const std::string& path, const std::string& name, const Parameters& parameters) {
  std::vector<std::string> values;
  pugi::xml_document document;
  if (!load(document, path)) return values;
  forEachDescendant(document, [&](pugi::xml_node node) {
    if (node.type() != pugi::node_element || name != node.name()) return true;
    std::string value;
    if (!readValue(node, parameters, value)) {
      values.emplace_back();
      return false;
    }
    values.push_back(std::move(value));
    return true;
  });
  return values;
}

std::vector<std::string> valuesByPath(const std::string& path, const std::string& dottedPath,
                                      const Parameters& parameters) {
  pugi::xml_document document;
  if (!load(document, path)) return {};
  const std::vector<std::string> components = split(dottedPath);
  pugi::xml_node at = document.document_element();
  std::string returned = components[0];
  if (returned != localName(at.name())) return {returned};
  for (std::size_t c = 1; c < components.size(); ++c) {
    returned = components[c];
    const pugi::xml_node child = childFor(at, returned);
    if (!child) continue;
    if (c + 1 == components.size()) {
      returned = resolved(textOf(child), parameters);
    } else {
      at = child;
    }
  }
  return {returned};
}

bool setValue(const std::string& path, const std::string& selector, const std::string& value,
              std::map<std::string, std::string>& placeholders) {
  pugi::xml_document document;
  if (!load(document, path)) return false;
  if (selector.find('.') != std::string::npos) {
    const std::vector<std::string> segments = split(selector);
    pugi::xml_node at = document.document_element();
    if (segments[0] != localName(at.name())) return false;
    for (std::size_t i = 1; i < segments.size(); ++i) {
      const pugi::xml_node child = childFor(at, segments[i]);
      if (!child) continue;
      if (i + 1 < segments.size()) {
        at = child;
        continue;
      }
      recordPlaceholder(child, placeholders);
      writeValue(child, value);
      return saveReplacing(document, path);
    }
    return false;
  }
  const bool placeholder = selector.compare(0, 3, "px_") == 0;
  std::vector<pugi::xml_node> selected;
  forEachDescendant(document, [&](pugi::xml_node node) {
    if (node.type() == pugi::node_element && (placeholder ? holdsText(node, selector) : selector == node.name())) {
      selected.push_back(node);
    }
    return true;
  });
  if (selected.empty()) return true;
  for (pugi::xml_node node : selected) {
    recordPlaceholder(node, placeholders);
    writeValue(node, value);
  }
  return saveReplacing(document, path);
}

bool readParameters(const std::string& pixitPath, const std::string& typePath, Parameters& pixit, Parameters& types) {
  pugi::xml_document pixitDocument;
  pugi::xml_document typeDocument;
  if (!load(pixitDocument, pixitPath) || !load(typeDocument, typePath)) return false;
  pixit.clear();
  types.clear();
  readPixitEntries(pixitDocument.document_element(), pixit);
  readTypeEntries(typeDocument.document_element(), types);
  for (auto& [name, parameter] : pixit) {
    const auto type = types.find(parameter.type);
    if (type == types.end()) continue;
    if (type->second.basetype == "Boolean") {
      parameter.value = parameter.value == "FALSE" || parameter.value == "false" ? "0" : "1";
    } else if (type->second.basetype == "Enum") {
      const std::vector<std::string>& names = type->second.enumValues;
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != parameter.value) continue;
        if (i < type->second.enumNumericValues.size()) parameter.value = type->second.enumNumericValues[i];
        break;
      }
    }
  }
  return true;
}

bool readTypes(const std::string& path, Parameters& types) {
  pugi::xml_document document;
  if (!load(document, path)) return false;
  types.clear();
  readTypeEntries(document.document_element(), types);
  return true;
}

bool sameParameters(const Parameters& a, const Parameters& b) {
  if (a.size() != b.size()) return false;
  for (auto x = a.begin(), y = b.begin(); x != a.end(); ++x, ++y) {
    const ParamStructure& p = x->second;
    const ParamStructure& q = y->second;
    if (x->first != y->first || p.name != q.name || p.type != q.type || p.value != q.value || p.group != q.group ||
        p.unit != q.unit || p.comment != q.comment || p.basetype != q.basetype || p.minValue != q.minValue ||
        p.maxValue != q.maxValue || p.enumNumericValues != q.enumNumericValues || p.enumValues != q.enumValues ||
        p.cell != q.cell) {
      return false;
    }
  }
  return true;
}

}  // namespace plain
}  // namespace l3xml_bench
