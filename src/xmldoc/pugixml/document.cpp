// The document object: loading, the outcome of the last load, saving, the root and node selection.
#include "xmldoc/pugixml/dom_objects.h"

#include "xmldoc/pugixml/document_files.h"
#include "xmldoc/pugixml/document_writer.h"
#include "xmldoc/pugixml/node_queries.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

NodeOwner Document::owner() const { return NodeOwner{ComPtr<IXMLDOMDocument>(const_cast<Document*>(this)), tree_}; }

// Loading is always synchronous, never validates and never fetches anything.
Status Document::put_async(bool) { return kOk; }
Status Document::put_validateOnParse(bool) { return kOk; }
Status Document::put_resolveExternals(bool) { return kOk; }

Status Document::load(const std::string& path, bool& successful) {
  successful = false;
  tree_ = std::make_shared<Tree>();
  std::string bytes;
  const Status read = readWholeFile(path, bytes);
  if (failed(read)) {
    lastError_ = ParseErrorInfo{read, 0, 0, path, reasonFor(read)};
    return read;
  }
  return parse(std::move(bytes), TextSource::kFile, path, successful);
}

Status Document::loadXML(const std::string& xml, bool& successful) {
  tree_ = std::make_shared<Tree>();
  return parse(xml, TextSource::kString, std::string(), successful);
}

Status Document::parse(std::string bytes, TextSource source, const std::string& url, bool& successful) {
  lastError_ = parseDocument(*tree_, std::move(bytes), source);
  lastError_.url = url;
  successful = lastError_.code == kOk;
  return successful ? kOk : kFalse;
}

Status Document::save(const std::string& path) { return writeFileReplacing(path, serializeDocument(*tree_)); }

Status Document::get_parseError(ComPtr<IXMLDOMParseError>& error) {
  error.Attach(new ParseError(lastError_));
  return kOk;
}

Status Document::get_documentElement(ComPtr<IXMLDOMNode>& root) {
  for (pugi::xml_node node = tree_->xml.first_child(); node; node = node.next_sibling()) {
    if (node.type() == pugi::node_element && node != tree_->holding) {
      root = wrapNode(owner(), node);
      return kOk;
    }
  }
  root.Reset();
  return kFalse;
}

Status Document::selectNodes(const std::string& query, ComPtr<IXMLDOMNodeList>& nodes) {
  std::vector<pugi::xml_node> found;
  const Status status = selectElements(*tree_, query, found);
  if (failed(status)) {
    nodes.Reset();
    return status;
  }
  nodes.Attach(new NodeList(owner(), std::move(found)));
  return kOk;
}

Status ParseError::get_errorCode(Status& code) {
  code = info_.code;
  return kOk;
}

Status ParseError::get_line(long& line) {
  line = info_.line;
  return kOk;
}

Status ParseError::get_linepos(long& position) {
  position = info_.linepos;
  return kOk;
}

Status ParseError::get_url(std::string& url) {
  url = info_.url;
  return kOk;
}

Status ParseError::get_reason(std::string& reason) {
  reason = info_.reason;
  return kOk;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
