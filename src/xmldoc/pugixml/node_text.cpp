// The text of a node: the one rule that decides what the library reads from a template.
#include "xmldoc/pugixml/node_text.h"

#include <cstddef>

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

// Strips blanks at both ends, but not into [keepFrom, keepTo), which came from CDATA.
std::string stripped(const std::string& text, std::size_t keepFrom, std::size_t keepTo) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && begin < keepFrom && isBlank(text[begin])) ++begin;
  while (end > begin && end > keepTo && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string stripped(const std::string& text) { return stripped(text, text.size(), 0); }

}  // namespace

std::string textOf(const Tree& tree, pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_pcdata:
      return stripped(node.value());
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
      return node.value();
    case pugi::node_element:
    case pugi::node_document:
      break;
    default:
      return std::string();
  }

  std::string text;
  std::size_t cdataFrom = std::string::npos;  // where the first CDATA character went
  std::size_t cdataTo = 0;                    // just after the last one
  bool whitespaceBefore = false;
  for (SubtreeWalk walk(tree, node); walk; walk.next()) {
    const pugi::xml_node piece = walk.node();
    const bool cdata = piece.type() == pugi::node_cdata;
    if (piece.type() != pugi::node_pcdata && !cdata) continue;  // comments and PIs give nothing
    if (isWhitespaceMark(piece)) {
      whitespaceBefore = true;
      continue;
    }
    if (whitespaceBefore && !text.empty()) text += ' ';
    whitespaceBefore = false;
    if (cdata && cdataFrom == std::string::npos) cdataFrom = text.size();
    text += piece.value();
    if (cdata) cdataTo = text.size();
  }
  return stripped(text, cdataFrom, cdataTo);
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
