// Node selection: the two query forms the library uses, parsed exactly and evaluated by a walk.
#include "xmldoc/pugixml/node_queries.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

struct Query {
  std::string name;                 // "*" for any element
  std::optional<std::string> text;  // a text or CDATA child must equal it
};

bool isNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || (c & 0x80) != 0; }
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// Reads the query left to right; any deviation from the grammar refuses it.
class QueryReader {
 public:
  explicit QueryReader(std::string_view text) : text_(text) {}

  std::optional<Query> read() {
    Query query;
    skipBlanks();
    if (!take("//")) return std::nullopt;
    skipBlanks();
    if (take("*")) {
      query.name = "*";
    } else if (!readQualifiedName(query.name)) {
      return std::nullopt;
    }
    if (takeAfterBlanks("[")) {
      std::string literal;
      if (!takeAfterBlanks("text") || !takeAfterBlanks("(") || !takeAfterBlanks(")") || !takeAfterBlanks("=") ||
          !readLiteral(literal) || !takeAfterBlanks("]")) {
        return std::nullopt;
      }
      query.text = std::move(literal);
    }
    skipBlanks();
    if (at_ != text_.size()) return std::nullopt;
    return query;
  }

 private:
  void skipBlanks() {
    while (at_ < text_.size() && isBlank(text_[at_])) ++at_;
  }
  bool take(std::string_view token) {
    if (text_.substr(at_, token.size()) != token) return false;
    at_ += token.size();
    return true;
  }
  bool takeAfterBlanks(std::string_view token) {
    skipBlanks();
    return take(token);
  }
  bool readName() {
    if (at_ >= text_.size() || !isNameStart(text_[at_])) return false;
    while (at_ < text_.size() && isNameChar(text_[at_])) ++at_;
    return true;
  }
  // prefix:local or local, with no blanks inside.
  bool readQualifiedName(std::string& name) {
    const std::size_t from = at_;
    if (!readName()) return false;
    if (take(":") && !readName()) return false;
    name.assign(text_.substr(from, at_ - from));
    return true;
  }
  // A literal has no escapes: it runs to the next quote of its kind.
  bool readLiteral(std::string& literal) {
    skipBlanks();
    if (at_ >= text_.size() || (text_[at_] != '\'' && text_[at_] != '"')) return false;
    const std::size_t close = text_.find(text_[at_], at_ + 1);
    if (close == std::string_view::npos) return false;
    literal.assign(text_.substr(at_ + 1, close - at_ - 1));
    at_ = close + 1;
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

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
  const std::optional<Query> parsed = QueryReader(query).read();
  if (!parsed) return kFail;
  const bool anyName = parsed->name == "*";
  for (SubtreeWalk walk(tree, tree.xml); walk; walk.next()) {
    const pugi::xml_node node = walk.node();
    if (node.type() != pugi::node_element) continue;
    if (!anyName && std::strcmp(node.name(), parsed->name.c_str()) != 0) continue;
    if (parsed->text && !hasTextChild(node, *parsed->text)) continue;
    found.push_back(node);
  }
  return kOk;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
