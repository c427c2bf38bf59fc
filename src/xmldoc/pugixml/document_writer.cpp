// The saved form of a document: layout from the remembered whitespace, escaping, output encoding.
#include "xmldoc/pugixml/document_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "xmldoc/pugixml/code_pages.h"
#include "xmldoc/pugixml/utf8.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

#if defined(_WIN32)
constexpr std::string_view kLineEnd = "\r\n";
#else
constexpr std::string_view kLineEnd = "\n";
#endif

// The charset the declaration names; UTF-8 without one and for names this writer does not know.
Charset declaredCharset(const Tree& tree) {
  const pugi::xml_node declaration = tree.xml.first_child();
  if (declaration.type() != pugi::node_declaration) return Charset::kUtf8;
  return charsetNamed(declaration.attribute("encoding").value()).value_or(Charset::kUtf8);
}

// Converts the UTF-8 the writer made; characters the charset lacks were written as character
// references where markup allows them, and become '?' in names, comments and the like.
std::string encoded(std::string utf8, Charset charset) {
  if (charset == Charset::kUtf8) return utf8;
  std::string bytes;
  if (charset == Charset::kUtf16) bytes = "\xFF\xFE";
  const auto putUnit = [&bytes](std::uint32_t unit) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  };
  for (std::size_t at = 0; at < utf8.size();) {
    const std::uint32_t code = nextCodePoint(utf8, at);
    if (charset != Charset::kUtf16) {
      bytes += byteFor(code, charset).value_or('?');
    } else if (code < 0x10000) {
      putUnit(code);
    } else {
      putUnit(0xD800 + ((code - 0x10000) >> 10));
      putUnit(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return bytes;
}

struct StopTable {
  bool stops[256];
};
// The bytes that writeEscaped looks at: markup, in attributes the quote and the blanks that
// would be read back as spaces, and bytes beyond ASCII where the charset is a single-byte one.
constexpr StopTable stopTable(bool attribute, bool narrow) {
  StopTable table{};
  for (int c = 0x80; c < 256 && narrow; ++c) table.stops[c] = true;
  table.stops[static_cast<unsigned char>('&')] = table.stops[static_cast<unsigned char>('<')] = true;
  table.stops[static_cast<unsigned char>('>')] = table.stops[static_cast<unsigned char>('\r')] = true;
  if (attribute) {
    table.stops[static_cast<unsigned char>('"')] = table.stops[static_cast<unsigned char>('\t')] = true;
    table.stops[static_cast<unsigned char>('\n')] = true;
  }
  return table;
}
constexpr StopTable kTextStops = stopTable(false, false);
constexpr StopTable kTextStopsNarrow = stopTable(false, true);
constexpr StopTable kAttributeStops = stopTable(true, false);
constexpr StopTable kAttributeStopsNarrow = stopTable(true, true);

// The saved text, written through a cursor into memory sized ahead: most pieces are a few bytes,
// for which a string's own append costs more than the copy.
class Output {
 public:
  void reserve(std::size_t size) { text_.resize(size); }
  void clear() { used_ = 0; }
  std::size_t size() const { return used_; }

  Output& operator+=(char c) {
    if (used_ == text_.size()) grow(1);
    text_[used_++] = c;
    return *this;
  }
  Output& operator+=(std::string_view piece) {
    append(piece.data(), piece.size());
    return *this;
  }
  Output& operator+=(const char* piece) { return *this += std::string_view(piece); }
  void append(const char* piece, std::size_t length) {
    if (text_.size() - used_ < length) grow(length);
    std::memcpy(text_.data() + used_, piece, length);
    used_ += length;
  }
  void append(std::size_t count, char c) {
    if (text_.size() - used_ < count) grow(count);
    std::memset(text_.data() + used_, c, count);
    used_ += count;
  }

  std::string take() {
    text_.resize(used_);
    used_ = 0;
    return std::move(text_);
  }

 private:
  void grow(std::size_t more) { text_.resize(std::max(text_.size() * 2, used_ + more)); }

  std::string text_;
  std::size_t used_ = 0;
};

class Writer {
 public:
  Writer(const Tree& tree, Charset charset) : tree_(tree), charset_(charset) {}

  // A document whose indentation would outgrow the rest of its text many times over (thousands of
  // levels) is written again with its line breaks but without indentation, so that the output
  // stays linear in the document's size.
  std::string write() {
    // The saved text is about as long as the text the document was read from.
    out_.reserve(tree_.text.size() + tree_.text.size() / 8);
    writeDocument();
    if (overBudget_) {
      indent_ = false;
      overBudget_ = false;
      out_.clear();
      writeDocument();
    }
    return out_.take();
  }

 private:
  // Whitespace that stood before a node or an end tag becomes a line break indented to that
  // node's level, however long it was. An end tag is written when the walk comes back up past its
  // element, or at the end.
  void writeSubtree(pugi::xml_node top) {
    breakDue_ = false;
    visit(top, 0);
    if (!open_.empty()) {
      walkSubtree(tree_, top, [this](pugi::xml_node node, auto level) {
        visit(node, level());
        return !overBudget_;
      });
    }
    closeDownTo(0);
  }

  void visit(pugi::xml_node node, int depth) {
    closeDownTo(static_cast<std::size_t>(depth));
    const pugi::xml_node_type type = node.type();
    if (isWhitespaceMark(tree_, node, type)) {
      breakDue_ = true;
      return;
    }
    if (breakDue_) breakLine(depth);
    breakDue_ = false;
    if (type == pugi::node_element && node.first_child()) {
      writeStartTag(node);
      out_ += '>';
      open_.push_back(node.name());
      return;
    }
    writeLeaf(node, type);
  }

  // Ends the open elements at depth and below; the element open at depth d is open_[d].
  void closeDownTo(std::size_t depth) {
    while (open_.size() > depth) {
      if (breakDue_) breakLine(static_cast<int>(open_.size() - 1));
      breakDue_ = false;
      out_ += "</";
      out_ += open_.back();
      out_ += '>';
      open_.pop_back();
    }
  }

  // Indentation may take up to kIndentRatio times the other bytes, beyond a floor that any real
  // template stays under.
  static constexpr std::size_t kIndentFloor = std::size_t{1} << 20;
  static constexpr std::size_t kIndentRatio = 8;

  void writeDocument() {
    for (pugi::xml_node node = tree_.xml.first_child(); node && !overBudget_; node = node.next_sibling()) {
      if (!isListed(tree_, node)) continue;
      writeSubtree(node);
      out_ += kLineEnd;
    }
  }

  void breakLine(int depth) {
    out_ += kLineEnd;
    if (!indent_) return;
    out_.append(static_cast<std::size_t>(depth), '\t');
    tabs_ += static_cast<std::size_t>(depth);
    if (tabs_ > kIndentFloor && tabs_ > kIndentRatio * (out_.size() - tabs_)) overBudget_ = true;
  }

  void writeStartTag(pugi::xml_node element) {
    out_ += '<';
    out_ += element.name();
    writeAttributes(element);
  }

  void writeAttributes(pugi::xml_node node) {
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
      out_ += ' ';
      out_ += attribute.name();
      out_ += "=\"";
      writeEscaped(attribute.value(), true);
      out_ += '"';
    }
  }

  void writeLeaf(pugi::xml_node node, pugi::xml_node_type type) {
    switch (type) {
      case pugi::node_element:
        writeStartTag(node);
        out_ += "/>";
        break;
      case pugi::node_pcdata:
        writeEscaped(node.value(), false);
        break;
      case pugi::node_cdata:
        out_ += "<![CDATA[";
        out_ += node.value();
        out_ += "]]>";
        break;
      case pugi::node_comment:
        out_ += "<!--";
        out_ += node.value();
        out_ += "-->";
        break;
      case pugi::node_pi:
        out_ += "<?";
        out_ += node.name();
        if (*node.value() != '\0') {
          out_ += ' ';
          out_ += node.value();
        }
        out_ += "?>";
        break;
      case pugi::node_declaration:
        out_ += "<?xml";
        writeAttributes(node);
        out_ += "?>";
        break;
      case pugi::node_doctype: {
        std::string_view value = node.value();
        while (!value.empty() && isBlank(value.back())) value.remove_suffix(1);
        out_ += "<!DOCTYPE ";
        out_ += value;
        out_ += '>';
        break;
      }
      default:
        break;
    }
  }

  // Runs of characters that need no escape are copied whole; a table tells the bytes that end a run.
  void writeEscaped(std::string_view text, bool attribute) {
    const bool* stops = attribute ? (isSingleByte(charset_) ? kAttributeStopsNarrow : kAttributeStops).stops
                                  : (isSingleByte(charset_) ? kTextStopsNarrow : kTextStops).stops;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t from = at;
      while (at < text.size() && !stops[static_cast<unsigned char>(text[at])]) ++at;
      out_.append(text.data() + from, at - from);
      if (at == text.size()) break;
      const char c = text[at];
      const char* entity = nullptr;
      switch (c) {
        case '&':
          entity = "&amp;";
          break;
        case '<':
          entity = "&lt;";
          break;
        case '>':
          entity = "&gt;";
          break;
        case '"':
          entity = "&quot;";
          break;
        case '\t':
          entity = "&#9;";
          break;
        case '\n':
          entity = "&#10;";
          break;
        case '\r':
          entity = "&#13;";  // a raw one would come back as a line feed
          break;
        default:
          break;
      }
      if (entity != nullptr) {
        out_ += entity;
        ++at;
      } else {
        // A character beyond ASCII that a single-byte charset may lack.
        const std::size_t start = at;
        const std::uint32_t code = nextCodePoint(text, at);
        if (!byteFor(code, charset_)) {
          out_ += "&#" + std::to_string(code) + ';';
        } else {
          out_ += text.substr(start, at - start);
        }
      }
    }
  }

  const Tree& tree_;
  Charset charset_;
  Output out_;
  bool indent_ = true;
  bool overBudget_ = false;
  std::size_t tabs_ = 0;
  bool breakDue_ = false;          // whitespace stood since the last node written
  std::vector<const char*> open_;  // names of the elements entered and not yet ended
};

}  // namespace

std::string serializeDocument(const Tree& tree) {
  const Charset charset = declaredCharset(tree);
  return encoded(Writer(tree, charset).write(), charset);
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
