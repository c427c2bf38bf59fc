// XML documents whose operations fail on demand.
#include "faulty_dom.h"

#include "xmldoc/document_factory.h"
#include "xmldoc/ref_counted.h"

namespace l3xml_test {

namespace dom = l3xml::dom;

void FaultPlan::fail(const std::string& operation, int occurrence, dom::Status status) {
  faults_.insert({operation, {occurrence, status}});
}

bool FaultPlan::failsNow(const std::string& operation, dom::Status& status) {
  const int call = ++calls_[operation];
  const auto [first, last] = faults_.equal_range(operation);
  for (auto fault = first; fault != last; ++fault) {
    if (fault->second.occurrence == 0 || fault->second.occurrence == call) {
      status = fault->second.status;
      return true;
    }
  }
  return false;
}

int FaultPlan::calls(const std::string& operation) const {
  const auto found = calls_.find(operation);
  return found == calls_.end() ? 0 : found->second;
}

void FaultPlan::clear() {
  faults_.clear();
  calls_.clear();
}

FaultPlan& faultPlan() {
  static FaultPlan plan;
  return plan;
}

namespace {

// Calls through to the wrapped object unless the plan makes this call of the operation fail.
template <class Call>
dom::Status forward(const char* operation, Call call) {
  dom::Status planned = 0;
  return faultPlan().failsNow(operation, planned) ? planned : call();
}

template <class Interface>
using Counted = dom::RefCounted<Interface>;

// One forwarding operation: OPERATION(PARAMETERS) calls TARGET->OPERATION(ARGUMENTS) under the name
// the plan knows it by.
#define L3XML_FORWARD(NAME, TARGET, OPERATION, PARAMETERS, ARGUMENTS)  \
  dom::Status OPERATION PARAMETERS override {                          \
    return forward(NAME, [&] { return TARGET->OPERATION ARGUMENTS; }); \
  }

template <class Wrapper, class Inner>
dom::Status wrapped(dom::Status status, const dom::ComPtr<Inner>& inner, dom::ComPtr<Inner>& out) {
  out.Reset();
  if (inner) out.Attach(new Wrapper(inner));
  return status;
}

// The forwarding of the node operations, shared by nodes and documents.
template <class Interface>
class NodeForwarder : public Counted<Interface> {
 public:
  explicit NodeForwarder(dom::ComPtr<dom::IXMLDOMNode> inner) : node_(std::move(inner)) {}
  dom::IXMLDOMNode* innerNode() const { return node_.Get(); }

  L3XML_FORWARD("get_nodeName", node_, get_nodeName, (std::string & name), (name))
  L3XML_FORWARD("get_baseName", node_, get_baseName, (std::string & name), (name))
  L3XML_FORWARD("get_nodeValue", node_, get_nodeValue, (std::string & value), (value))
  L3XML_FORWARD("get_text", node_, get_text, (std::string & text), (text))
  L3XML_FORWARD("put_text", node_, put_text, (const std::string& text), (text))
  dom::Status get_childNodes(dom::ComPtr<dom::IXMLDOMNodeList>& children) override;
  dom::Status get_attributes(dom::ComPtr<dom::IXMLDOMNamedNodeMap>& attributes) override;
  dom::Status replaceChild(dom::IXMLDOMNode* newChild, dom::IXMLDOMNode* oldChild,
                           dom::ComPtr<dom::IXMLDOMNode>* oldOut) override;

 protected:
  dom::ComPtr<dom::IXMLDOMNode> node_;
};

class FaultyNode : public NodeForwarder<dom::IXMLDOMNode> {
 public:
  using NodeForwarder::NodeForwarder;
};

dom::IXMLDOMNode* unwrap(dom::IXMLDOMNode* node);

class FaultyNodeList : public Counted<dom::IXMLDOMNodeList> {
 public:
  explicit FaultyNodeList(dom::ComPtr<dom::IXMLDOMNodeList> inner) : list_(std::move(inner)) {}
  L3XML_FORWARD("list.get_length", list_, get_length, (long& length), (length))
  dom::Status get_item(long index, dom::ComPtr<dom::IXMLDOMNode>& node) override {
    return forward("list.get_item", [&] {
      dom::ComPtr<dom::IXMLDOMNode> inner;
      return wrapped<FaultyNode>(list_->get_item(index, inner), inner, node);
    });
  }

 private:
  dom::ComPtr<dom::IXMLDOMNodeList> list_;
};

class FaultyAttributeMap : public Counted<dom::IXMLDOMNamedNodeMap> {
 public:
  explicit FaultyAttributeMap(dom::ComPtr<dom::IXMLDOMNamedNodeMap> inner) : map_(std::move(inner)) {}
  L3XML_FORWARD("map.get_length", map_, get_length, (long& length), (length))
  dom::Status get_item(long index, dom::ComPtr<dom::IXMLDOMNode>& node) override {
    return forward("map.get_item", [&] {
      dom::ComPtr<dom::IXMLDOMNode> inner;
      return wrapped<FaultyNode>(map_->get_item(index, inner), inner, node);
    });
  }

 private:
  dom::ComPtr<dom::IXMLDOMNamedNodeMap> map_;
};

class FaultyParseError : public Counted<dom::IXMLDOMParseError> {
 public:
  explicit FaultyParseError(dom::ComPtr<dom::IXMLDOMParseError> inner) : error_(std::move(inner)) {}
  L3XML_FORWARD("get_errorCode", error_, get_errorCode, (dom::Status & code), (code))
  L3XML_FORWARD("get_line", error_, get_line, (long& line), (line))
  L3XML_FORWARD("get_linepos", error_, get_linepos, (long& position), (position))
  L3XML_FORWARD("get_url", error_, get_url, (std::string & url), (url))
  L3XML_FORWARD("get_reason", error_, get_reason, (std::string & reason), (reason))

 private:
  dom::ComPtr<dom::IXMLDOMParseError> error_;
};

template <class Interface>
dom::Status NodeForwarder<Interface>::get_childNodes(dom::ComPtr<dom::IXMLDOMNodeList>& children) {
  return forward("get_childNodes", [&] {
    dom::ComPtr<dom::IXMLDOMNodeList> inner;
    return wrapped<FaultyNodeList>(node_->get_childNodes(inner), inner, children);
  });
}

template <class Interface>
dom::Status NodeForwarder<Interface>::get_attributes(dom::ComPtr<dom::IXMLDOMNamedNodeMap>& attributes) {
  return forward("get_attributes", [&] {
    dom::ComPtr<dom::IXMLDOMNamedNodeMap> inner;
    return wrapped<FaultyAttributeMap>(node_->get_attributes(inner), inner, attributes);
  });
}

template <class Interface>
dom::Status NodeForwarder<Interface>::replaceChild(dom::IXMLDOMNode* newChild, dom::IXMLDOMNode* oldChild,
                                                   dom::ComPtr<dom::IXMLDOMNode>* oldOut) {
  return forward("replaceChild", [&] {
    dom::ComPtr<dom::IXMLDOMNode> inner;
    const dom::Status status = node_->replaceChild(unwrap(newChild), unwrap(oldChild), &inner);
    if (oldOut != nullptr) wrapped<FaultyNode>(status, inner, *oldOut);
    return status;
  });
}

class FaultyDocument : public NodeForwarder<dom::IXMLDOMDocument> {
 public:
  explicit FaultyDocument(dom::ComPtr<dom::IXMLDOMDocument> inner)
      : NodeForwarder(dom::ComPtr<dom::IXMLDOMNode>(inner)), document_(std::move(inner)) {}

  L3XML_FORWARD("put_async", document_, put_async, (bool async), (async))
  L3XML_FORWARD("put_validateOnParse", document_, put_validateOnParse, (bool validate), (validate))
  L3XML_FORWARD("put_resolveExternals", document_, put_resolveExternals, (bool resolve), (resolve))
  L3XML_FORWARD("load", document_, load, (const std::string& path, bool& successful), (path, successful))
  L3XML_FORWARD("loadXML", document_, loadXML, (const std::string& xml, bool& successful), (xml, successful))
  L3XML_FORWARD("save", document_, save, (const std::string& path), (path))
  dom::Status get_parseError(dom::ComPtr<dom::IXMLDOMParseError>& error) override {
    return forward("get_parseError", [&] {
      dom::ComPtr<dom::IXMLDOMParseError> inner;
      return wrapped<FaultyParseError>(document_->get_parseError(inner), inner, error);
    });
  }
  dom::Status get_documentElement(dom::ComPtr<dom::IXMLDOMNode>& root) override {
    return forward("get_documentElement", [&] {
      dom::ComPtr<dom::IXMLDOMNode> inner;
      return wrapped<FaultyNode>(document_->get_documentElement(inner), inner, root);
    });
  }
  dom::Status selectNodes(const std::string& query, dom::ComPtr<dom::IXMLDOMNodeList>& nodes) override {
    return forward("selectNodes", [&] {
      dom::ComPtr<dom::IXMLDOMNodeList> inner;
      return wrapped<FaultyNodeList>(document_->selectNodes(query, inner), inner, nodes);
    });
  }

 private:
  dom::ComPtr<dom::IXMLDOMDocument> document_;
};

dom::IXMLDOMNode* unwrap(dom::IXMLDOMNode* node) {
  if (auto* faulty = dynamic_cast<FaultyNode*>(node)) return faulty->innerNode();
  if (auto* faulty = dynamic_cast<FaultyDocument*>(node)) return faulty->innerNode();
  return node;
}

}  // namespace

dom::Status createFaultyDocument(dom::ComPtr<dom::IXMLDOMDocument>& document) {
  dom::Status planned = 0;
  if (faultPlan().failsNow("create", planned)) return planned;
  dom::ComPtr<dom::IXMLDOMDocument> inner;
  const dom::Status status = dom::createBackendDocument(inner);
  return wrapped<FaultyDocument>(status, inner, document);
}

}  // namespace l3xml_test
