// The node selection grammar, read left to right: any deviation refuses the query.
#include "xmldoc/node_query.h"

namespace l3xml {
namespace dom {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || (c & 0x80) != 0; }
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

class QueryReader {
 public:
  explicit QueryReader(std::string_view text) : text_(text) {}

  std::optional<NodeQuery> read() {
    NodeQuery query;
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

}  // namespace

std::optional<NodeQuery> readNodeQuery(std::string_view query) { return QueryReader(query).read(); }

}  // namespace dom
}  // namespace l3xml
