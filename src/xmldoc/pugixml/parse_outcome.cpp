// Parsing a document: pugixml's parse, the stricter checks of the service, and its error codes.
#include "xmldoc/pugixml/parse_outcome.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "xmldoc/pugixml/utf8.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

// Top-level text is kept (pugixml would drop it) so that the checks below can refuse it.
constexpr unsigned int kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_comments |
                                       pugi::parse_pi | pugi::parse_declaration | pugi::parse_doctype |
                                       pugi::parse_fragment;

// Codes of the service for the malformations that the interface does not name.
constexpr Status kParseMissingQuote = static_cast<Status>(0xC00CE502u);
constexpr Status kParseCommentSyntax = static_cast<Status>(0xC00CE503u);
constexpr Status kParseBadNameChar = static_cast<Status>(0xC00CE505u);
constexpr Status kParseBadCharData = static_cast<Status>(0xC00CE508u);
constexpr Status kParseMissingWhitespace = static_cast<Status>(0xC00CE509u);
constexpr Status kParseExpectingTagEnd = static_cast<Status>(0xC00CE50Au);
constexpr Status kParseInternalError = static_cast<Status>(0xC00CE512u);
constexpr Status kParsePiSyntax = static_cast<Status>(0xC00CE51Au);
constexpr Status kParseMultipleColons = static_cast<Status>(0xC00CE51Cu);
constexpr Status kParseDuplicateAttribute = static_cast<Status>(0xC00CE554u);
constexpr Status kParseBadDeclaration = static_cast<Status>(0xC00CE557u);
constexpr Status kParseUnexpectedEnd = static_cast<Status>(0xC00CE559u);
constexpr Status kParseBadDoctype = static_cast<Status>(0xC00CE563u);
constexpr Status kParseUnclosedCdata = static_cast<Status>(0xC00CE564u);

// A reason to refuse the document, at an offset in the parsed (UTF-8) text.
struct Fault {
  Status code;
  std::size_t offset;
};

constexpr std::size_t kEndOfText = std::numeric_limits<std::size_t>::max();

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// The name characters as pugixml reads them: any byte of a multi-byte character counts.
bool isNameStartByte(char c) { return isAsciiLetter(c) || c == '_' || c == ':' || (c & 0x80) != 0; }
bool isNameByte(char c) { return isNameStartByte(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

bool isAllBlank(const char* text) {
  for (; *text != '\0'; ++text) {
    if (!isBlank(*text)) return false;
  }
  return true;
}

std::size_t offsetOf(pugi::xml_node node) {
  const std::ptrdiff_t offset = node.offset_debug();
  return offset < 0 ? 0 : static_cast<std::size_t>(offset);
}

// Attribute names lie in the parsed buffer after their element's name.
std::size_t offsetOf(pugi::xml_node element, pugi::xml_attribute attribute) {
  return offsetOf(element) + static_cast<std::size_t>(attribute.name() - element.name());
}

// The text as pugixml parsed it, where its error offsets point: the bytes converted to UTF-8.
std::string parsedText(const std::string& bytes, pugi::xml_encoding encoding) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
  std::string text;
  switch (encoding) {
    case pugi::encoding_latin1:
      for (std::size_t i = 0; i < bytes.size(); ++i) appendUtf8(text, byte(i));
      return text;
    case pugi::encoding_utf16_le:
    case pugi::encoding_utf16_be: {
      const bool little = encoding == pugi::encoding_utf16_le;
      const auto unit = [&](std::size_t i) { return little ? byte(i) | byte(i + 1) << 8 : byte(i) << 8 | byte(i + 1); };
      for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t code = unit(i);
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
          const std::uint32_t low = unit(i + 2);
          if (low >= 0xDC00 && low < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
          }
        }
        appendUtf8(text, code);
      }
      return text;
    }
    case pugi::encoding_utf32_le:
    case pugi::encoding_utf32_be:
      for (std::size_t i = 0; i + 3 < bytes.size(); i += 4) {
        appendUtf8(text, encoding == pugi::encoding_utf32_le
                             ? byte(i) | byte(i + 1) << 8 | byte(i + 2) << 16 | byte(i + 3) << 24
                             : byte(i) << 24 | byte(i + 1) << 16 | byte(i + 2) << 8 | byte(i + 3));
      }
      return text;
    default:
      return bytes;
  }
}

// Reads the start tag whose element name begins at `at` to find what pugixml stumbled on.
Status startTagFault(const std::string& text, std::size_t at) {
  const std::size_t end = text.size();
  const auto skipName = [&] {
    while (at < end && isNameByte(text[at])) ++at;
  };
  const auto skipBlanks = [&] {
    const std::size_t from = at;
    while (at < end && isBlank(text[at])) ++at;
    return at > from;
  };
  skipName();
  if (at < end && !isBlank(text[at]) && text[at] != '>' && text[at] != '/') return kParseBadNameChar;
  for (;;) {
    const bool spaced = skipBlanks();
    if (at >= end) return kParseUnexpectedEnd;
    if (text[at] == '>') return kParseBadNameChar;
    if (text[at] == '/') {
      if (at + 1 >= end) return kParseUnexpectedEnd;
      return text[at + 1] == '>' ? kParseBadNameChar : kParseExpectingTagEnd;
    }
    if (!spaced) return kParseMissingWhitespace;
    if (!isNameStartByte(text[at])) return kParseBadNameStart;
    skipName();
    skipBlanks();
    if (at >= end) return kParseUnexpectedEnd;
    if (text[at] != '=') return kParseMissingEquals;
    ++at;
    skipBlanks();
    if (at >= end) return kParseUnexpectedEnd;
    if (text[at] != '"' && text[at] != '\'') return kParseMissingQuote;
    at = text.find(text[at], at + 1);
    if (at == std::string::npos) return kParseUnexpectedEnd;
    ++at;
  }
}

// The service's code for what pugixml refused. pugixml reports both an end tag that does not
// match and a tag still open at the end of the input as a mismatch; only the first points
// into an end tag.
Status syntaxFault(const pugi::xml_parse_result& result, const std::string& text, const Tree& partial) {
  const std::size_t at = static_cast<std::size_t>(result.offset);
  switch (result.status) {
    case pugi::status_end_element_mismatch:
      return at >= 2 && at <= text.size() && text.compare(at - 2, 2, "</") == 0 ? kParseEndTagMismatch
                                                                                : kParseUnclosedAtEnd;
    case pugi::status_bad_start_element:
    case pugi::status_bad_attribute: {
      // The element whose start tag failed is the last node pugixml made.
      pugi::xml_node last = partial.xml;
      while (last.last_child()) last = last.last_child();
      return last.type() == pugi::node_element ? startTagFault(text, offsetOf(last)) : kParseBadNameChar;
    }
    case pugi::status_unrecognized_tag: {
      const std::size_t next = at < text.size() && text[at] == '<' ? at + 1 : at;
      if (next >= text.size()) return kParseUnexpectedEnd;
      return text[next] == '!' ? kParseCommentSyntax : kParseBadNameStart;
    }
    case pugi::status_bad_end_element:
      return text.find('>', at) == std::string::npos ? kParseUnexpectedEnd : kParseExpectingTagEnd;
    case pugi::status_bad_pi:
      return kParsePiSyntax;
    case pugi::status_bad_comment:
      return kParseCommentSyntax;
    case pugi::status_bad_cdata:
      return kParseUnclosedCdata;
    case pugi::status_bad_doctype:
      return kParseBadDoctype;
    case pugi::status_bad_pcdata:
      return kParseBadCharData;
    case pugi::status_out_of_memory:
      return kOutOfMemory;
    default:
      return kParseInternalError;
  }
}

// A code when a qualified name is not of the form prefix:local.
Status qualifiedNameFault(const char* name) {
  const char* colon = std::strchr(name, ':');
  if (colon == nullptr) return kOk;
  if (std::strchr(colon + 1, ':') != nullptr) return kParseMultipleColons;
  if (colon == name) return kParseBadNameStart;
  if (colon[1] == '\0') return kParseBadNameChar;
  return isNameStartByte(colon[1]) ? kOk : kParseBadNameStart;
}

std::string_view prefixOf(const char* name) {
  const char* colon = std::strchr(name, ':');
  return colon == nullptr ? std::string_view() : std::string_view(name, static_cast<std::size_t>(colon - name));
}

// What pugixml lets through and the service refuses: misplaced top-level content, duplicate
// attributes, undeclared prefixes. The walk is in document order, so the first fault found is
// the first in the text.
class TreeChecks {
 public:
  TreeChecks(const Tree& tree, TextSource source) : tree_(tree), source_(source) {}

  std::optional<Fault> firstFault(bool complete) {
    for (SubtreeWalk walk(tree_, tree_.xml); walk; walk.next()) {
      const pugi::xml_node node = walk.node();
      std::optional<Fault> fault = walk.depth() == 1 ? topLevelFault(node) : std::nullopt;
      if (!fault && node.type() == pugi::node_declaration && walk.depth() > 1) {
        fault = Fault{kParseBadDeclaration, offsetOf(node)};
      }
      if (!fault && node.type() == pugi::node_element) fault = elementFault(node, walk.depth());
      if (fault) return fault;
    }
    // A tree that pugixml gave up on may simply not have reached its root yet.
    if (complete && !sawElement_) return Fault{kParseNoRoot, kEndOfText};
    return std::nullopt;
  }

 private:
  std::optional<Fault> topLevelFault(pugi::xml_node node) {
    const bool blank = node.type() == pugi::node_pcdata && isAllBlank(node.value());
    const bool first = !sawContent_;
    if (!blank) sawContent_ = true;
    switch (node.type()) {
      case pugi::node_pcdata:
        if (!blank) return Fault{kParseTopLevelText, offsetOf(node)};
        break;
      case pugi::node_cdata:
        return Fault{kParseTopLevelText, offsetOf(node)};
      case pugi::node_element:
        if (sawElement_) return Fault{kParseMultipleRoots, offsetOf(node)};
        sawElement_ = true;
        break;
      case pugi::node_declaration:
        // A file must open with it; a text may have blanks before it.
        if (!first || (source_ == TextSource::kFile && node.previous_sibling())) {
          return Fault{kParseBadDeclaration, offsetOf(node)};
        }
        break;
      case pugi::node_doctype:
        if (sawElement_ || sawDoctype_) return Fault{kParseTopLevelText, offsetOf(node)};
        sawDoctype_ = true;
        break;
      default:
        break;
    }
    return std::nullopt;
  }

  std::optional<Fault> elementFault(pugi::xml_node element, int depth) {
    while (!declared_.empty() && declared_.back().depth >= depth) declared_.pop_back();
    for (pugi::xml_attribute attribute : element.attributes()) {
      if (std::strncmp(attribute.name(), "xmlns:", 6) == 0) declared_.push_back({attribute.name() + 6, depth});
    }
    if (const Status code = qualifiedNameFault(element.name())) return Fault{code, offsetOf(element)};
    const std::string_view prefix = prefixOf(element.name());
    if (!prefix.empty() && !isDeclared(prefix)) return Fault{kParseUndeclaredPrefix, offsetOf(element)};

    names_.clear();
    for (pugi::xml_attribute attribute : element.attributes()) {
      const std::size_t offset = offsetOf(element, attribute);
      if (!names_.insert(attribute.name()).second) return Fault{kParseDuplicateAttribute, offset};
      if (const Status code = qualifiedNameFault(attribute.name())) return Fault{code, offset};
      const std::string_view attributePrefix = prefixOf(attribute.name());
      if (!attributePrefix.empty() && attributePrefix != "xmlns" && !isDeclared(attributePrefix)) {
        return Fault{kParseUndeclaredPrefix, offset};
      }
    }
    return std::nullopt;
  }

  bool isDeclared(std::string_view prefix) const {
    if (prefix == "xml") return true;
    for (auto it = declared_.rbegin(); it != declared_.rend(); ++it) {
      if (it->prefix == prefix) return true;
    }
    return false;
  }

  struct Declaration {
    std::string_view prefix;
    int depth;
  };

  const Tree& tree_;
  TextSource source_;
  bool sawElement_ = false;
  bool sawDoctype_ = false;
  bool sawContent_ = false;
  std::vector<Declaration> declared_;  // prefixes in scope, innermost last
  std::unordered_set<std::string_view> names_;
};

// Turns each whitespace-only text node into the empty mark that stands for it from now on.
void markWhitespace(const Tree& tree) {
  for (SubtreeWalk walk(tree, tree.xml); walk; walk.next()) {
    pugi::xml_node node = walk.node();
    if (node.type() == pugi::node_pcdata && isAllBlank(node.value())) node.set_value("");
  }
}

// Line (from 1) and character in the line (from 1) of an offset; CR LF, CR and LF end lines.
void locate(const std::string& text, std::size_t offset, long& line, long& linepos) {
  if (offset > text.size()) offset = text.size();
  std::size_t lineStart = text.compare(0, 3, "\xEF\xBB\xBF") == 0 && offset >= 3 ? 3 : 0;
  line = 1;
  for (std::size_t i = lineStart; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++line;
      lineStart = i + 1;
    }
  }
  linepos = 1;
  for (std::size_t i = lineStart; i < offset; ++i) {
    if (!isContinuationByte(text[i])) ++linepos;
  }
}

}  // namespace

ParseErrorInfo parseDocument(Tree& tree, std::string bytes, TextSource source) {
  // The parse frees every node, the holding area included; forget it before its memory is reused.
  tree.holding = pugi::xml_node();
  ++tree.version;
  const pugi::xml_parse_result result =
      tree.xml.load_buffer(bytes.data(), bytes.size(), kParseOptions,
                           source == TextSource::kString ? pugi::encoding_utf8 : pugi::encoding_auto);

  std::optional<Fault> fault = TreeChecks(tree, source).firstFault(bool(result));
  std::string text;
  if (!result) {
    text = parsedText(bytes, result.encoding);
    const std::size_t at = static_cast<std::size_t>(result.offset);
    if (!fault || fault->offset >= at) fault = Fault{syntaxFault(result, text, tree), at};
  } else if (fault) {
    text = parsedText(bytes, result.encoding);
  }

  ParseErrorInfo info;
  if (fault) {
    tree.xml.reset();
    info.code = fault->code;
    info.reason = reasonFor(fault->code);
    locate(text, fault->offset, info.line, info.linepos);
    tree.text.clear();
  } else {
    markWhitespace(tree);
    tree.text = result.encoding == pugi::encoding_utf8 ? std::move(bytes) : parsedText(bytes, result.encoding);
  }
  tree.lineStarts.clear();
  tree.addHolding();
  return info;
}

bool positionOf(Tree& tree, std::size_t offset, long& line, long& column) {
  const std::string& text = tree.text;
  if (offset >= text.size()) return false;
  if (tree.lineStarts.empty()) {
    tree.lineStarts.push_back(text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
        tree.lineStarts.push_back(i + 1);
      }
    }
  }
  const auto next = std::upper_bound(tree.lineStarts.begin(), tree.lineStarts.end(), offset);
  line = static_cast<long>(next - tree.lineStarts.begin());
  column = 1;
  for (std::size_t i = *(next - 1); i < offset; ++i) {
    if (!isContinuationByte(text[i])) ++column;
  }
  return true;
}

std::string reasonFor(Status code) {
  static const struct {
    Status code;
    const char* reason;
  } kReasons[] = {
      {kOk, ""},
      {kResourceNotFound, "The system cannot locate the object specified."},
      {kAccessDenied, "Access is denied."},
      {kOutOfMemory, "Not enough memory to complete the operation."},
      {kParseUndeclaredPrefix, "Reference to undeclared namespace prefix."},
      {kParseMissingEquals, "Missing equals sign between attribute and attribute value."},
      {kParseMissingQuote, "A string literal was expected, but no opening quote character was found."},
      {kParseCommentSyntax, "Incorrect syntax was used in a comment."},
      {kParseBadNameStart, "A name was started with an invalid character."},
      {kParseBadNameChar, "A name contained an invalid character."},
      {kParseBadCharData, "An invalid character was found in text content."},
      {kParseMissingWhitespace, "Required white space was missing."},
      {kParseExpectingTagEnd, "Expecting the end of the tag."},
      {kParsePiSyntax, "Invalid syntax for a processing instruction."},
      {kParseMultipleColons, "Multiple colons are not allowed in a name."},
      {kParseUnclosedAtEnd, "The following tags were not closed."},
      {kParseDuplicateAttribute, "Duplicate attribute."},
      {kParseMultipleRoots, "Only one top level element is allowed in an XML document."},
      {kParseTopLevelText, "Invalid at the top level of the document."},
      {kParseBadDeclaration, "Invalid xml declaration."},
      {kParseNoRoot, "XML document must have a top level element."},
      {kParseUnexpectedEnd, "Unexpected end of input."},
      {kParseBadDoctype, "Invalid document type declaration."},
      {kParseUnclosedCdata, "A CDATA section was not closed."},
      {kParseEndTagMismatch, "End tag does not match the start tag."},
  };
  for (const auto& entry : kReasons) {
    if (entry.code == code) return entry.reason;
  }
  return "Unspecified error.";
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
