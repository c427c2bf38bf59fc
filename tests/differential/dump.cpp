// The canonical dump of loading a template through the XML document interface: the outcome,
// each node's name, base name and text, the two query forms, a put_text and the saved bytes.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "differential.h"
#include "xmldoc/document_factory.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace l3xml_differential {
namespace {

namespace dom = l3xml::dom;
using dom::ComPtr;

// Texts cross the interface in the system code page on Windows; the dump holds UTF-8.
std::string recoded(const std::string& text, bool toUtf8) {
#if defined(_WIN32)
  const UINT from = toUtf8 ? CP_ACP : CP_UTF8;
  const UINT to = toUtf8 ? CP_UTF8 : CP_ACP;
  const int length = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(::MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0)), L'\0');
  ::MultiByteToWideChar(from, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
  const int wideLength = static_cast<int>(wide.size());
  std::string out(
      static_cast<std::size_t>(::WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr)),
      '\0');
  ::WideCharToMultiByte(to, 0, wide.data(), wideLength, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
#else
  (void)toUtf8;
  return text;
#endif
}

// text as a dump holds it: printable ASCII as it is, '\\' and '|' escaped, other characters of
// UTF-8 text as \u{hex}, and other bytes (all bytes beyond ASCII when utf8 is false) as \n, \r,
// \t or \xhh.
std::string escaped(const std::string& text, bool utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    const std::size_t length = !utf8 || c < 0xC2 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 1;
    bool sequence = length > 1 && at + length <= text.size();
    std::uint32_t code = c & (0x7F >> length);
    for (std::size_t i = 1; sequence && i < length; ++i) {
      sequence = (static_cast<unsigned char>(text[at + i]) & 0xC0) == 0x80;
      code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    }
    if (c == '\\' || c == '|') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (sequence) {
      std::ostringstream hex;
      hex << "\\u{" << std::hex << std::uppercase << code << '}';
      out += hex.str();
      at += length - 1;
    } else {
      out += c == '\n'   ? "\\n"
             : c == '\r' ? "\\r"
             : c == '\t' ? "\\t"
                         : std::string{'\\', 'x', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return out;
}

std::string hex(dom::Status status) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(status));
  return text;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FileDump {
 public:
  explicit FileDump(std::ostream& out) : out_(out) {}

  void run(const std::string& path, const std::string& scratch) {
    ComPtr<dom::IXMLDOMDocument> document;
    if (dom::createBackendDocument(document) != dom::kOk) {
      out_ << "no document\n";
      return;
    }
    document->put_async(false);
    document->put_validateOnParse(false);
    document->put_resolveExternals(false);
    bool successful = false;
    const dom::Status status = document->load(path, successful);
    ComPtr<dom::IXMLDOMParseError> error;
    dom::Status code = 0;
    long line = 0;
    long position = 0;
    document->get_parseError(error);
    error->get_errorCode(code);
    error->get_line(line);
    error->get_linepos(position);
    ComPtr<dom::IXMLDOMNode> root;
    document->get_documentElement(root);
    if (!successful) {
      out_ << "load " << hex(status) << " error " << hex(code) << '\n';
      out_ << "position " << line << ':' << position << '\n';
      out_ << "root " << (root ? "kept" : "none") << '\n';
      return;
    }
    out_ << "load ok\n";
    node(document.Get(), "0");
    for (const std::string& query :
         {"//" + firstLeafName_, "//" + firstPrefixedName_, "//*[ text() = '" + firstText_ + "']"}) {
      if (query != "//") select(document.Get(), query);
    }
    if (lastLeaf_) {
      const dom::Status put = lastLeaf_->put_text(recoded("a\rb & <c> \xC3\xA9", false));
      std::string text;
      root->get_text(text);
      out_ << "put " << lastLeafPath_ << ' ' << hex(put) << ' ' << escaped(recoded(text, true), true) << '\n';
    }
    const dom::Status saved = document->save(scratch);
    out_ << "save " << hex(saved) << ' ' << escaped(fileBytes(scratch), false) << '\n';
    std::remove(scratch.c_str());
  }

 private:
  void node(dom::IXMLDOMNode* node, const std::string& path) {
    out_ << "node " << path << ' ' << described(node, &dom::IXMLDOMNode::get_text) << '\n';
    const bool element = isElement(node);
    ComPtr<dom::IXMLDOMNamedNodeMap> attributes;
    long count = 0;
    if (element && node->get_attributes(attributes) == dom::kOk) attributes->get_length(count);
    for (long i = 0; i < count; ++i) {
      ComPtr<dom::IXMLDOMNode> attribute;
      attributes->get_item(i, attribute);
      // The value is what the library reads of an attribute.
      out_ << "attr " << path << ' ' << described(attribute.Get(), &dom::IXMLDOMNode::get_nodeValue) << '\n';
    }
    std::string name;
    ComPtr<dom::IXMLDOMNodeList> children;
    const dom::Status listed = node->get_childNodes(children);
    count = 0;
    if (children) {
      children->get_length(count);
    } else {
      out_ << "children " << hex(listed) << '\n';
    }
    bool leaf = element;
    for (long i = 0; i < count; ++i) {
      ComPtr<dom::IXMLDOMNode> child;
      const dom::Status got = children->get_item(i, child);
      if (!child) {
        out_ << "item " << path << '.' << i << ' ' << hex(got) << '\n';
        continue;
      }
      if (isElement(child.Get())) leaf = false;
      this->node(child.Get(), path + '.' + std::to_string(i));
      std::string value;
      if (child->get_nodeName(name) == dom::kOk && name == "#text" && child->get_nodeValue(value) == dom::kOk &&
          firstText_.empty() && value.find_first_of("'\"\r\n") == std::string::npos) {
        firstText_ = value;
      }
    }
    if (!element) return;
    node->get_nodeName(name);
    if (firstPrefixedName_.empty() && name.find(':') != std::string::npos) firstPrefixedName_ = name;
    if (!leaf) return;
    if (firstLeafName_.empty()) firstLeafName_ = name;
    lastLeaf_ = ComPtr<dom::IXMLDOMNode>(node);
    lastLeafPath_ = path;
  }

  void select(dom::IXMLDOMDocument* document, const std::string& query) {
    ComPtr<dom::IXMLDOMNodeList> nodes;
    const dom::Status status = document->selectNodes(query, nodes);
    out_ << "select " << field(query) << ' ' << hex(status);
    long count = 0;
    if (nodes) nodes->get_length(count);
    for (long i = 0; i < count; ++i) {
      ComPtr<dom::IXMLDOMNode> node;
      std::string name;
      nodes->get_item(i, node);
      node->get_nodeName(name);
      out_ << ' ' << field(name);
    }
    out_ << '\n';
  }

  // Elements have attributes and no value (the declaration has both, to the service).
  static bool isElement(dom::IXMLDOMNode* node) {
    ComPtr<dom::IXMLDOMNamedNodeMap> attributes;
    std::string value;
    return node->get_attributes(attributes) == dom::kOk && node->get_nodeValue(value) == dom::kFalse;
  }

  static std::string field(const std::string& text) { return escaped(recoded(text, true), true); }

  // "name|base name|text", the text read by the getter given.
  static std::string described(dom::IXMLDOMNode* node, dom::Status (dom::IXMLDOMNode::*text)(std::string&)) {
    std::string name;
    std::string base;
    std::string value;
    node->get_nodeName(name);
    node->get_baseName(base);
    (node->*text)(value);
    return field(name) + '|' + field(base) + '|' + field(value);
  }

  std::ostream& out_;
  std::string firstLeafName_;
  std::string firstPrefixedName_;
  std::string firstText_;
  ComPtr<dom::IXMLDOMNode> lastLeaf_;
  std::string lastLeafPath_;
};

}  // namespace

std::string dumpFolder(const std::string& folder, const std::string& scratch) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".xml") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::ostringstream out;
  for (const std::filesystem::path& file : files) {
    out << "file " << file.filename().string() << '\n';
    FileDump(out).run(file.string(), scratch);
  }
  return out.str();
}

}  // namespace l3xml_differential
