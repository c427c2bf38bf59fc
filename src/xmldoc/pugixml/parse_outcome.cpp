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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "xmldoc/parse_codes.h"
#include "xmldoc/pugixml/code_pages.h"
#include "xmldoc/pugixml/content_checks.h"
#include "xmldoc/pugixml/utf8.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

// Top-level text is kept (pugixml would drop it) so that the checks below can refuse it.
// References are left as written: the checks resolve them, and refuse broken ones.
constexpr unsigned int kParseOptions = (pugi::parse_default & ~pugi::parse_escapes) | pugi::parse_ws_pcdata |
                                       pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration |
                                       pugi::parse_doctype | pugi::parse_fragment;

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

// Whether no byte is beyond ASCII.
bool asciiOnly(std::string_view text) {
  std::uint64_t bits = 0;
  std::size_t i = 0;
  for (; i + sizeof bits <= text.size(); i += sizeof bits) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    bits |= word;
  }
  for (; i < text.size(); ++i) bits |= static_cast<unsigned char>(text[i]);
  return (bits & 0x8080808080808080u) == 0;
}

// Whether every byte is ASCII and none is a control character other than tab, line feed and
// carriage return: sixteen bytes at a step where the processor has SSE2.
bool asciiWithoutControls(std::string_view text) {
  const char* at = text.data();
  const char* const end = at + text.size();
#if defined(__SSE2__)
  __m128i refused = _mm_setzero_si128();
  for (; end - at >= 16; at += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    // Bytes beyond ASCII are negative as signed bytes, so below 0x20 too.
    const __m128i low = _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20));
    const __m128i allowed = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
        _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
    refused = _mm_or_si128(refused, _mm_andnot_si128(allowed, low));
  }
  if (_mm_movemask_epi8(refused) != 0) return false;
#endif
  for (; at != end; ++at) {
    const unsigned char c = static_cast<unsigned char>(*at);
    if (c >= 0x80 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r')) return false;
  }
  return true;
}

// Whether, after the declaration, no reference, attribute, "]]>", comment, CDATA section,
// document type or processing instruction can start: there is no '&', '=', ']', '!' or '?'. The
// declaration ends at the first "?>" at the latest. Parameter files stop at their first attribute.
bool bodyHoldsOnlyElementsAndText(const std::string& utf8) {
  std::size_t body = 0;
  if (utf8.compare(0, 5, "<?xml") == 0) {
    const std::size_t end = utf8.find("?>");
    if (end == std::string::npos) return false;
    body = end + 2;
  }
  // A null byte ends the scan early, and the text then counts as holding markup.
  return std::strcspn(utf8.c_str() + body, "&=]!?") == utf8.size() - body;
}

std::size_t offsetOf(pugi::xml_node node) {
  const std::ptrdiff_t offset = node.offset_debug();
  return offset < 0 ? 0 : static_cast<std::size_t>(offset);
}

// Attribute names lie in the parsed buffer after their element's name.
std::size_t offsetOf(pugi::xml_node element, pugi::xml_attribute attribute) {
  return offsetOf(element) + static_cast<std::size_t>(attribute.name() - element.name());
}

// The text of a wide encoding as pugixml parsed it, where its error offsets point: the bytes
// converted to UTF-8.
std::string parsedText(const std::string& bytes, pugi::xml_encoding encoding) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
  std::string text;
  switch (encoding) {
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
      // pugixml stops just after "<?xml" for a declaration inside an element.
      return at >= 5 && text.compare(at - 5, 5, "<?xml") == 0 ? kParseBadDeclaration : kParsePiSyntax;
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

std::string_view prefixOf(const char* name) {
  const char* colon = std::strchr(name, ':');
  return colon == nullptr ? std::string_view() : std::string_view(name, static_cast<std::size_t>(colon - name));
}

// The encoding that the declaration opening an 8-bit text names; empty without one.
std::string_view declaredEncodingName(std::string_view bytes) {
  if (bytes.size() < 6 || bytes.compare(0, 5, "<?xml") != 0 || !isBlank(bytes[5])) return {};
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  std::size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  const auto skipBlanks = [&] {
    while (at < declaration.size() && isBlank(declaration[at])) ++at;
  };
  at += 8;
  skipBlanks();
  if (at >= declaration.size() || declaration[at] != '=') return {};
  ++at;
  skipBlanks();
  if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const std::size_t end = declaration.find(declaration[at], at + 1);
  return end == std::string_view::npos ? std::string_view() : declaration.substr(at + 1, end - at - 1);
}

// How the bytes of a file are read: as a byte-order mark says, or in the encoding that 8-bit
// text declares. UTF-16 (with or without a mark) is left to pugixml to recognise.
Charset readingOf(std::string_view bytes) {
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Charset::kUtf8;
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) return Charset::kUtf16;
  if (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0')) return Charset::kUtf16;
  const std::optional<Charset> declared = charsetNamed(declaredEncodingName(bytes));
  return declared && isSingleByte(*declared) ? *declared : Charset::kUtf8;
}

// What pugixml lets through and the service refuses: misplaced top-level content, broken
// declarations, bad names, duplicate attributes, undeclared prefixes, characters no document may
// hold, and broken references, which are resolved on the way. Whitespace-only text that the checks
// pass becomes the empty mark that stands for it. The walk is in document order, so the first
// fault found is the first in the text; it is the only walk over the parsed tree, and is left out
// below the top level where the text shows that nothing there can be refused.
class TreeChecks {
 public:
  TreeChecks(const Tree& tree, TextSource source, Charset reading, bool plainNames)
      : tree_(tree), source_(source), reading_(reading), plainNames_(plainNames) {}

  // Checks the top-level nodes one by one, and the nodes below each in one walk (when nested),
  // which asks for a node's depth only where prefixes are in play.
  std::optional<Fault> firstFault(bool complete, bool nested) {
    std::optional<Fault> fault;
    for (pugi::xml_node top = tree_.xml.first_child(); top && !fault; top = top.next_sibling()) {
      fault = topLevelFault(top);
      if (!fault && nested) {
        walkSubtree(tree_, top, [&](pugi::xml_node node, auto level) {
          fault = nestedFault(node, [&] { return level() + 1; });
          return !fault;
        });
      }
    }
    if (fault) return fault;
    // A tree that pugixml gave up on may simply not have reached its root yet.
    if (complete && !sawElement_) return Fault{kParseNoRoot, kEndOfText};
    return std::nullopt;
  }

 private:
  std::optional<Fault> topLevelFault(pugi::xml_node node) {
    const pugi::xml_node_type type = node.type();
    if (type == pugi::node_pcdata && markIfBlank(const_cast<char*>(node.value()))) return std::nullopt;
    const bool first = !sawContent_;
    sawContent_ = true;
    switch (type) {
      case pugi::node_pcdata:
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
        return declarationFault(node);
      case pugi::node_doctype:
        if (sawElement_ || sawDoctype_) return Fault{kParseTopLevelText, offsetOf(node)};
        sawDoctype_ = true;
        subset_ = node.value();
        break;
      default:
        break;
    }
    return nodeFault(node, type, [] { return 1; });
  }

  // Below the top level, the most frequent nodes are settled first: indentation is marked, text
  // goes straight to its check, and a plain element without attributes needs no look.
  template <class Depth>
  std::optional<Fault> nestedFault(pugi::xml_node node, const Depth& depth) {
    const pugi::xml_node_type type = node.type();
    if (type == pugi::node_pcdata) {
      char* value = const_cast<char*>(node.value());
      return markIfBlank(value) ? std::nullopt : contentFault(node, value, Content::kText);
    }
    if (type == pugi::node_element && isPlainName(node.name()) && !node.first_attribute()) return std::nullopt;
    return nodeFault(node, type, depth);
  }

  // depth() is the node's depth in the document, the top level's nodes at 1; asked only of
  // elements, where prefixes are in play.
  template <class Depth>
  std::optional<Fault> nodeFault(pugi::xml_node node, pugi::xml_node_type type, const Depth& depth) {
    switch (type) {
      case pugi::node_element:
        return elementFault(node, depth);
      case pugi::node_cdata:
        return contentFault(node, node.value(), Content::kCdata);
      case pugi::node_comment:
        return contentFault(node, node.value(), Content::kComment);
      case pugi::node_doctype:
        return contentFault(node, node.value(), Content::kInstruction);
      case pugi::node_pi:
        if (const Status code = nameFault(node.name())) return Fault{code, offsetOf(node)};
        return contentFault(node, node.value(), Content::kInstruction);
      case pugi::node_declaration:
        // The top level checks its own declaration; one anywhere else is out of place.
        return Fault{kParseBadDeclaration, offsetOf(node)};
      default:
        return std::nullopt;
    }
  }

  // Checks a value of node (its own or an attribute's), which lies in the parsed buffer.
  std::optional<Fault> contentFault(pugi::xml_node node, const char* value, Content content) const {
    if (*value == '\0') return std::nullopt;
    const std::optional<ContentFault> fault = checkContent(const_cast<char*>(value), content, subset_);
    if (!fault) return std::nullopt;
    // Where offsetOf(node) points: at the name of named nodes, at the value of the others.
    const pugi::xml_node_type type = node.type();
    const char* base = type == pugi::node_element || type == pugi::node_pi ? node.name() : node.value();
    return Fault{fault->code, offsetOf(node) + static_cast<std::size_t>(value - base) + fault->at};
  }

  std::optional<Fault> declarationFault(pugi::xml_node declaration) const {
    // pugixml takes "<?XML" for a declaration too.
    if (std::strcmp(declaration.name(), "xml") != 0) return Fault{kParseReservedName, offsetOf(declaration)};
    pugi::xml_attribute attribute = declaration.first_attribute();
    const auto at = [&] { return attribute ? offsetOf(declaration, attribute) : offsetOf(declaration); };
    if (!attribute || std::strcmp(attribute.name(), "version") != 0) return Fault{kParseExpectingVersion, at()};
    if (std::strcmp(attribute.value(), "1.0") != 0) return Fault{kParseBadVersion, at()};
    attribute = attribute.next_attribute();
    if (attribute && std::strcmp(attribute.name(), "encoding") == 0) {
      if (const Status code = encodingFault(attribute.value())) return Fault{code, at()};
      attribute = attribute.next_attribute();
    }
    if (attribute && std::strcmp(attribute.name(), "standalone") == 0) {
      if (std::strcmp(attribute.value(), "yes") != 0 && std::strcmp(attribute.value(), "no") != 0) {
        return Fault{kParseBadStandalone, at()};
      }
      attribute = attribute.next_attribute();
    }
    if (attribute) return Fault{kParseBadDeclaration, at()};
    return std::nullopt;
  }

  // A file must be read in the encoding it declares; a text is characters already.
  Status encodingFault(const char* name) const {
    if (source_ == TextSource::kString) return kOk;
    const std::optional<Charset> declared = charsetNamed(name);
    if (!declared) return kParseUnknownEncoding;
    const bool wide = reading_ == Charset::kUtf16;
    const bool readAsDeclared = wide || isSingleByte(*declared) ? *declared == reading_ : *declared == Charset::kUtf8;
    return readAsDeclared ? kOk : kParseEncodingSwitch;
  }

  template <class Depth>
  std::optional<Fault> elementFault(pugi::xml_node element, const Depth& elementDepth) {
    const pugi::xml_attribute first = element.first_attribute();
    // A text without colons declares no prefix.
    if (!plainNames_) {
      const int depth = elementDepth();
      while (!declared_.empty() && declared_.back().depth >= depth) declared_.pop_back();
      for (pugi::xml_attribute attribute = first; attribute; attribute = attribute.next_attribute()) {
        if (std::strncmp(attribute.name(), "xmlns:", 6) == 0) declared_.push_back({attribute.name() + 6, depth});
      }
    }
    const char* name = element.name();
    if (!isPlainName(name)) {
      if (const Status code = nameFault(name)) return Fault{code, offsetOf(element)};
      const std::string_view prefix = prefixOf(name);
      if (!prefix.empty() && !isDeclared(prefix)) return Fault{kParseUndeclaredPrefix, offsetOf(element)};
    }
    if (!first) return std::nullopt;

    // Elements have a few attributes: each name is compared with those before it, and a set
    // takes over only for long lists.
    if (!names_.empty()) names_.clear();
    seen_.clear();
    for (pugi::xml_attribute attribute = first; attribute; attribute = attribute.next_attribute()) {
      const char* attributeName = attribute.name();
      const auto at = [&](Status code) { return Fault{code, offsetOf(element, attribute)}; };
      if (repeats(attributeName)) return at(kParseDuplicateAttribute);
      if (!isPlainName(attributeName)) {
        if (const Status code = nameFault(attributeName)) return at(code);
        const std::string_view attributePrefix = prefixOf(attributeName);
        if (!attributePrefix.empty() && attributePrefix != "xmlns" && !isDeclared(attributePrefix)) {
          return at(kParseUndeclaredPrefix);
        }
      }
      if (std::optional<Fault> fault = contentFault(element, attribute.value(), Content::kAttribute)) return fault;
    }
    return std::nullopt;
  }

  bool isPlainName(const char* name) const { return plainNames_ && *name != '\0'; }

  // Whether an earlier attribute of the element has this name; remembers it.
  bool repeats(std::string_view name) {
    constexpr std::size_t kListed = 16;
    if (seen_.size() < kListed) {
      // Names of one element mostly differ in length or first letter, which decide cheaply (both
      // are pugixml's terminated strings, so the first byte is there even for an empty name).
      for (std::string_view earlier : seen_) {
        if (earlier.size() == name.size() && *earlier.data() == *name.data() && earlier == name) return true;
      }
      seen_.push_back(name);
      return false;
    }
    if (names_.empty()) names_.insert(seen_.begin(), seen_.end());
    return !names_.insert(name).second;
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
  Charset reading_;  // how the bytes were read
  bool plainNames_;  // the text has no colon and nothing beyond ASCII
  bool sawElement_ = false;
  bool sawDoctype_ = false;
  bool sawContent_ = false;
  std::string_view subset_;             // the document type's text, where entities are declared
  std::vector<Declaration> declared_;   // prefixes in scope, innermost last
  std::vector<std::string_view> seen_;  // the element's first attribute names
  std::unordered_set<std::string_view> names_;
};

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
  const Charset reading = source == TextSource::kFile ? readingOf(bytes) : Charset::kUtf8;
  std::string decoded;
  if (isSingleByte(reading)) decodeSingleByte(bytes, reading, decoded);
  const std::string& utf8 = isSingleByte(reading) ? decoded : bytes;
  const pugi::xml_parse_result result = tree.xml.load_buffer(
      utf8.data(), utf8.size(), kParseOptions, reading == Charset::kUtf16 ? pugi::encoding_auto : pugi::encoding_utf8);

  // Without a colon or a byte beyond ASCII, a name that pugixml read is an XML name without a
  // prefix as soon as it is not empty, and names need no look of their own. Below the top level of
  // such a text that also holds no control character and only elements and text, nothing can be
  // refused: most templates are such texts, and their blank text nodes are marked as they are
  // first asked about.
  const bool colonFree =
      result.encoding == pugi::encoding_utf8 && std::memchr(utf8.data(), ':', utf8.size()) == nullptr;
  const bool onlyElementsAndText = result && colonFree && bodyHoldsOnlyElementsAndText(utf8);
  const bool plainNames = colonFree && (onlyElementsAndText ? asciiWithoutControls(utf8) : asciiOnly(utf8));
  const bool nested = !(onlyElementsAndText && plainNames);
  std::optional<Fault> fault = TreeChecks(tree, source, reading, plainNames).firstFault(bool(result), nested);
  tree.marksPending = !nested && !fault;
  // Error offsets point into the text as pugixml parsed it: UTF-8, converted from a wide encoding.
  const auto parsed = [&] {
    return result.encoding == pugi::encoding_utf8 ? utf8 : parsedText(bytes, result.encoding);
  };
  if (!result) {
    const std::size_t at = static_cast<std::size_t>(result.offset);
    if (!fault || fault->offset >= at) fault = Fault{syntaxFault(result, parsed(), tree), at};
  }

  ParseErrorInfo info;
  if (fault) {
    tree.xml.reset();
    info.code = fault->code;
    info.reason = reasonFor(fault->code);
    locate(parsed(), fault->offset, info.line, info.linepos);
    tree.text.clear();
  } else if (result.encoding == pugi::encoding_utf8) {
    // Kept for source positions: the offsets of the nodes point into it.
    tree.text = isSingleByte(reading) ? std::move(decoded) : std::move(bytes);
  } else {
    tree.text = parsedText(bytes, result.encoding);
  }
  tree.lineStarts.clear();
  tree.lastPosition = Tree::Counted{};
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
  // Positions are mostly asked in document order: on the line of the last answer, the columns
  // are counted on from there, so that a long line is not counted again for each node on it.
  Tree::Counted& last = tree.lastPosition;
  std::size_t from = *(next - 1);
  column = 1;
  if (last.line == line && last.offset <= offset) {
    from = last.offset;
    column = last.column;
  }
  for (std::size_t i = from; i < offset; ++i) {
    if (!isContinuationByte(text[i])) ++column;
  }
  last = Tree::Counted{line, offset, column};
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
      {kParseBadCharInString, "An invalid character was found inside a string literal."},
      {kParseMissingSemicolon, "A semicolon character was expected."},
      {kParseUnexpectedWhitespace, "White space is not allowed at this location."},
      {kParseBadDecimal, "Invalid character in a decimal number."},
      {kParseBadHexadecimal, "Invalid character in a hexadecimal number."},
      {kParseBadUnicode, "Invalid unicode character."},
      {kParseCdataEndInText, "The literal string ']]>' is not allowed in element content."},
      {kParseExpectingVersion, "The version attribute is required at this location."},
      {kParseUnknownEncoding, "System does not support the specified encoding."},
      {kParseEncodingSwitch, "Switch from current encoding to specified encoding not supported."},
      {kParseReservedName, "The name 'xml' is reserved and must be lower case."},
      {kParseBadStandalone, "The standalone attribute must have the value 'yes' or 'no'."},
      {kParseUndefinedEntity, "Reference to undefined entity."},
      {kParseBadVersion, "Invalid version number."},
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
