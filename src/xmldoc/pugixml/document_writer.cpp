// The saved form of a document: layout from the remembered whitespace, escaping, output encoding.
#include "xmldoc/pugixml/document_writer.h"

#include <cstdint>
#include <cstring>
#include <string_view>

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

constexpr std::uint32_t kHighestCode = 0x10FFFF;

enum class OutputEncoding { kUtf8, kUtf16, kLatin1, kAscii };

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The encoding the declaration names; UTF-8 without one and for names this writer does not know.
OutputEncoding declaredEncoding(const Tree& tree) {
  const pugi::xml_node declaration = tree.xml.first_child();
  const std::string_view name =
      declaration.type() == pugi::node_declaration ? declaration.attribute("encoding").value() : std::string_view();
  for (std::string_view utf16 : {"UTF-16", "UTF16", "UCS-2"}) {
    if (sameIgnoringCase(name, utf16)) return OutputEncoding::kUtf16;
  }
  for (std::string_view latin1 : {"ISO-8859-1", "ISO_8859-1", "ISO8859-1", "latin1", "L1"}) {
    if (sameIgnoringCase(name, latin1)) return OutputEncoding::kLatin1;
  }
  for (std::string_view ascii : {"US-ASCII", "ASCII"}) {
    if (sameIgnoringCase(name, ascii)) return OutputEncoding::kAscii;
  }
  return OutputEncoding::kUtf8;
}

std::uint32_t highestDirectCode(OutputEncoding encoding) {
  switch (encoding) {
    case OutputEncoding::kLatin1:
      return 0xFF;
    case OutputEncoding::kAscii:
      return 0x7F;
    default:
      return kHighestCode;
  }
}

// Converts the UTF-8 the writer made; characters the encoding lacks were written as character
// references where markup allows them, and become '?' in names, comments and the like.
std::string encoded(const std::string& utf8, OutputEncoding encoding) {
  if (encoding == OutputEncoding::kUtf8) return utf8;
  std::string bytes;
  if (encoding == OutputEncoding::kUtf16) bytes = "\xFF\xFE";
  const std::uint32_t highest = highestDirectCode(encoding);
  const auto putUnit = [&bytes](std::uint32_t unit) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  };
  for (std::size_t at = 0; at < utf8.size();) {
    const std::uint32_t code = nextCodePoint(utf8, at);
    if (encoding != OutputEncoding::kUtf16) {
      bytes += code <= highest ? static_cast<char>(code) : '?';
    } else if (code < 0x10000) {
      putUnit(code);
    } else {
      putUnit(0xD800 + ((code - 0x10000) >> 10));
      putUnit(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return bytes;
}

class Writer {
 public:
  Writer(const Tree& tree, std::uint32_t highestDirect) : tree_(tree), highestDirect_(highestDirect) {}

  std::string write() {
    for (pugi::xml_node node = tree_.xml.first_child(); node; node = node.next_sibling()) {
      if (!isListed(tree_, node)) continue;
      writeSubtree(node);
      out_ += kLineEnd;
    }
    return std::move(out_);
  }

 private:
  // Walks without recursion. Whitespace that stood before a node or an end tag becomes a line
  // break indented to that node's level, however long it was.
  void writeSubtree(pugi::xml_node top) {
    pugi::xml_node node = top;
    int depth = 0;
    bool breakDue = false;
    for (;;) {
      if (isWhitespaceMark(node)) {
        breakDue = true;
      } else {
        if (breakDue) breakLine(depth);
        breakDue = false;
        if (node.type() == pugi::node_element && node.first_child()) {
          writeStartTag(node);
          out_ += '>';
          node = node.first_child();
          ++depth;
          continue;
        }
        writeLeaf(node);
      }
      while (node != top && !node.next_sibling()) {
        node = node.parent();
        --depth;
        if (breakDue) breakLine(depth);
        breakDue = false;
        out_ += "</";
        out_ += node.name();
        out_ += '>';
      }
      if (node == top) return;
      node = node.next_sibling();
    }
  }

  void breakLine(int depth) {
    out_ += kLineEnd;
    out_.append(static_cast<std::size_t>(depth), '\t');
  }

  void writeStartTag(pugi::xml_node element) {
    out_ += '<';
    out_ += element.name();
    for (pugi::xml_attribute attribute : element.attributes()) {
      out_ += ' ';
      out_ += attribute.name();
      out_ += "=\"";
      writeEscaped(attribute.value(), true);
      out_ += '"';
    }
  }

  void writeLeaf(pugi::xml_node node) {
    switch (node.type()) {
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
        for (pugi::xml_attribute attribute : node.attributes()) {
          out_ += ' ';
          out_ += attribute.name();
          out_ += "=\"";
          out_ += attribute.value();
          out_ += '"';
        }
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

  void writeEscaped(std::string_view text, bool attribute) {
    for (std::size_t at = 0; at < text.size();) {
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
          entity = attribute ? "&quot;" : nullptr;
          break;
        case '\t':
          entity = attribute ? "&#9;" : nullptr;
          break;
        case '\n':
          entity = attribute ? "&#10;" : nullptr;
          break;
        case '\r':
          entity = attribute ? "&#13;" : nullptr;
          break;
        default:
          break;
      }
      if (entity != nullptr) {
        out_ += entity;
        ++at;
      } else if ((c & 0x80) != 0 && highestDirect_ < kHighestCode) {
        const std::size_t from = at;
        const std::uint32_t code = nextCodePoint(text, at);
        if (code > highestDirect_) {
          out_ += "&#" + std::to_string(code) + ';';
        } else {
          out_.append(text.substr(from, at - from));
        }
      } else {
        out_ += c;
        ++at;
      }
    }
  }

  const Tree& tree_;
  std::uint32_t highestDirect_;
  std::string out_;
};

}  // namespace

std::string serializeDocument(const Tree& tree) {
  const OutputEncoding encoding = declaredEncoding(tree);
  return encoded(Writer(tree, highestDirectCode(encoding)).write(), encoding);
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
