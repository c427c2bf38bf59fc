// The backend's counted objects: each holds one reference to the service object it stands for.
#ifndef L3XML_XMLDOC_MSXML_DOM_OBJECTS_H
#define L3XML_XMLDOC_MSXML_DOM_OBJECTS_H

#include <optional>
#include <string>

#include "xmldoc/msxml/service.h"
#include "xmldoc/ref_counted.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {
namespace msxml_backend {

// The service node behind an interface pointer of this backend, found with dynamic_cast.
class ServiceNodeAccess {
 public:
  virtual ServiceNode* serviceNode() const = 0;

 protected:
  virtual ~ServiceNodeAccess() = default;
};

// The node operations of documents, elements and the other nodes, forwarded to the service.
template <class Interface>
class NodeMethods : public RefCounted<Interface>, public ServiceNodeAccess {
 public:
  Status get_nodeName(std::string& name) override;
  Status get_baseName(std::string& name) override;
  Status get_nodeValue(std::string& value) override;
  Status get_text(std::string& text) override;
  Status put_text(const std::string& text) override;
  Status get_childNodes(ComPtr<IXMLDOMNodeList>& children) override;
  Status get_attributes(ComPtr<IXMLDOMNamedNodeMap>& attributes) override;
  Status replaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, ComPtr<IXMLDOMNode>* oldOut) override;
};

extern template class NodeMethods<IXMLDOMNode>;
extern template class NodeMethods<IXMLDOMDocument>;

class Node final : public NodeMethods<IXMLDOMNode> {
 public:
  explicit Node(ComPtr<ServiceNode> node) : node_(std::move(node)) {}
  ServiceNode* serviceNode() const override { return node_.Get(); }

 private:
  ComPtr<ServiceNode> node_;
};

// The service's lists are live: a child list follows the changes of its parent.
class NodeList final : public RefCounted<IXMLDOMNodeList> {
 public:
  explicit NodeList(ComPtr<ServiceNodeList> list) : list_(std::move(list)) {}

  Status get_length(long& length) override;
  Status get_item(long index, ComPtr<IXMLDOMNode>& node) override;

 private:
  ComPtr<ServiceNodeList> list_;
};

class AttributeMap final : public RefCounted<IXMLDOMNamedNodeMap> {
 public:
  explicit AttributeMap(ComPtr<ServiceAttributeMap> map) : map_(std::move(map)) {}

  Status get_length(long& length) override;
  Status get_item(long index, ComPtr<IXMLDOMNode>& attribute) override;

 private:
  ComPtr<ServiceAttributeMap> map_;
};

// The outcome of a load that the backend decided itself, without the service.
struct LoadOutcome {
  Status code;
  std::string url;
  std::string reason;
};

// The service's parse error object, or the backend's own outcome when it refused a load. Where
// the service cannot tell a position or the URL (the emulation cannot), the position reads 0 and
// the URL is the path that was loaded.
class ParseError final : public RefCounted<IXMLDOMParseError> {
 public:
  ParseError(ComPtr<ServiceParseError> error, std::string url) : error_(std::move(error)), url_(std::move(url)) {}
  explicit ParseError(LoadOutcome outcome) : outcome_(std::move(outcome)) {}

  Status get_errorCode(Status& code) override;
  Status get_line(long& line) override;
  Status get_linepos(long& position) override;
  Status get_url(std::string& url) override;
  Status get_reason(std::string& reason) override;

 private:
  ComPtr<ServiceParseError> error_;
  std::string url_;
  std::optional<LoadOutcome> outcome_;
};

class Document final : public NodeMethods<IXMLDOMDocument> {
 public:
  explicit Document(ComPtr<ServiceDocument> document) : document_(std::move(document)) {}
  ServiceNode* serviceNode() const override { return document_.Get(); }

  Status put_async(bool async) override;
  Status put_validateOnParse(bool validate) override;
  Status put_resolveExternals(bool resolve) override;
  Status load(const std::string& path, bool& successful) override;
  Status loadXML(const std::string& xml, bool& successful) override;
  Status save(const std::string& path) override;
  Status get_parseError(ComPtr<IXMLDOMParseError>& error) override;
  Status get_documentElement(ComPtr<IXMLDOMNode>& root) override;
  Status selectNodes(const std::string& query, ComPtr<IXMLDOMNodeList>& nodes) override;

 private:
  // Refuses a load: the document is emptied, outcome is reported as the last load's, and its code
  // returned.
  Status refuseLoad(LoadOutcome outcome);

  ComPtr<ServiceDocument> document_;
  std::string loadedUrl_;                   // the path of the last load; empty for a load from text
  std::optional<LoadOutcome> refusedLoad_;  // set while the last load was refused by the backend
};

// A new object of this backend for a service node; empty for none.
ComPtr<IXMLDOMNode> wrapNode(ServiceNode* node);

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_MSXML_DOM_OBJECTS_H
