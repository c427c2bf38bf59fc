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

  dom::Status get_nodeName(std::string& name) override {
    return forward("get_nodeName", [&] { return node_->get_nodeName(name); });
  }
  dom::Status get_baseName(std::string& name) override {
    return forward("get_baseName", [&] { return node_->get_baseName(name); });
  }
  dom::Status get_nodeValue(std::string& value) override {
    return forward("get_nodeValue", [&] { return node_->get_nodeValue(value); });
  }
  dom::Status get_text(std::string& text) override {
    return forward("get_text", [&] { return node_->get_text(text); });
  }
  dom::Status put_text(const std::string& text) override {
    return forward("put_text", [&] { return node_->put_text(text); });
  }
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
  dom::Status get_length(long& length) override {
    return forward("list.get_length", [&] { return list_->get_length(length); });
  }
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
  dom::Status get_length(long& length) override {
    return forward("map.get_length", [&] { return map_->get_length(length); });
  }
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
  dom::Status get_errorCode(dom::Status& code) override {
    return forward("get_errorCode", [&] { return error_->get_errorCode(code); });
  }
  dom::Status get_line(long& line) override {
    return forward("get_line", [&] { return error_->get_line(line); });
  }
  dom::Status get_linepos(long& position) override {
    return forward("get_linepos", [&] { return error_->get_linepos(position); });
  }
  dom::Status get_url(std::string& url) override {
    return forward("get_url", [&] { return error_->get_url(url); });
  }
  dom::Status get_reason(std::string& reason) override {
    return forward("get_reason", [&] { return error_->get_reason(reason); });
  }

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

  dom::Status put_async(bool async) override {
    return forward("put_async", [&] { return document_->put_async(async); });
  }
  dom::Status put_validateOnParse(bool validate) override {
    return forward("put_validateOnParse", [&] { return document_->put_validateOnParse(validate); });
  }
  dom::Status put_resolveExternals(bool resolve) override {
    return forward("put_resolveExternals", [&] { return document_->put_resolveExternals(resolve); });
  }
  dom::Status load(const std::string& path, bool& successful) override {
    return forward("load", [&] { return document_->load(path, successful); });
  }
  dom::Status loadXML(const std::string& xml, bool& successful) override {
    return forward("loadXML", [&] { return document_->loadXML(xml, successful); });
  }
  dom::Status save(const std::string& path) override {
    return forward("save", [&] { return document_->save(path); });
  }
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
