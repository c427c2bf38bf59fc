// Names, values, texts, child lists and attribute maps of nodes, and the changes put_text and
// replaceChild make, forwarded to the service with the library's status rules.
#include <new>

#include "xmldoc/msxml/com_text.h"
#include "xmldoc/msxml/dom_objects.h"

namespace l3xml {
namespace dom {
namespace msxml_backend {

namespace {

Status none(std::string& out) {
  out.clear();
  return kFalse;
}

// A text out of the service through a BSTR getter, freed whatever the outcome.
template <class Object>
Status readText(Object* object, HRESULT (STDMETHODCALLTYPE Object::*getter)(BSTR*), std::string& text) {
  OwnedBstr value;
  const HRESULT result = (object->*getter)(value.out());
  text = narrow(value.get());
  return statusOf(result);
}

ServiceNode* serviceNodeOf(IXMLDOMNode* node) {
  const ServiceNodeAccess* access = dynamic_cast<const ServiceNodeAccess*>(node);
  return access != nullptr ? access->serviceNode() : nullptr;
}

// An item of a service list or map; status 1 and no node outside it.
template <class List>
Status itemOf(List* list, long index, ComPtr<IXMLDOMNode>& node) {
  node.Reset();
  if (index < 0) return kFalse;
  ComPtr<ServiceNode> item;
  const HRESULT result = list->get_item(index, item.GetAddressOf());
  if (FAILED(result)) return statusOf(result);
  if (!item) return kFalse;
  node = wrapNode(item.Get());
  return node ? kOk : kOutOfMemory;
}

template <class List>
Status lengthOf(List* list, long& length) {
  LONG counted = 0;
  const HRESULT result = list->get_length(&counted);
  length = SUCCEEDED(result) ? counted : 0;
  return statusOf(result);
}

}  // namespace

ComPtr<IXMLDOMNode> wrapNode(ServiceNode* node) {
  ComPtr<IXMLDOMNode> wrapped;
  if (node != nullptr) wrapped.Attach(new (std::nothrow) Node(ComPtr<ServiceNode>(node)));
  return wrapped;
}

template <class Interface>
Status NodeMethods<Interface>::get_nodeName(std::string& name) {
  return readText(serviceNode(), &ServiceNode::get_nodeName, name);
}

// Nodes without a local name (texts, comments, the document) answer "" with status 1.
template <class Interface>
Status NodeMethods<Interface>::get_baseName(std::string& name) {
  const Status status = readText(serviceNode(), &ServiceNode::get_baseName, name);
  if (failed(status)) return status;
  return name.empty() ? kFalse : kOk;
}

template <class Interface>
Status NodeMethods<Interface>::get_nodeValue(std::string& value) {
  OwnedVariant held;
  const HRESULT result = serviceNode()->get_nodeValue(held.out());
  if (FAILED(result)) {
    value.clear();
    return statusOf(result);
  }
  if (held.get().vt != VT_BSTR) return none(value);
  value = narrow(held.get().bstrVal);
  return kOk;
}

template <class Interface>
Status NodeMethods<Interface>::get_text(std::string& text) {
  return readText(serviceNode(), &ServiceNode::get_text, text);
}

// The children of an element are detached one by one before the text is set: a caller may still
// hold one, and removeChild keeps a detached node alive, where the emulated service's put_text
// frees the children it replaces. An empty text then leaves no child at all.
template <class Interface>
Status NodeMethods<Interface>::put_text(const std::string& text) {
  OwnedBstr value;
  const Status made = makeBstr(text, value);
  if (failed(made)) return made;
  ServiceNode* node = serviceNode();
  DOMNodeType type = NODE_INVALID;
  const HRESULT typed = node->get_nodeType(&type);
  if (FAILED(typed)) return statusOf(typed);
  if (type == NODE_ELEMENT) {
    for (;;) {
      ComPtr<ServiceNode> child;
      const HRESULT found = node->get_firstChild(child.GetAddressOf());
      if (FAILED(found)) return statusOf(found);
      if (!child) break;
      ComPtr<ServiceNode> removed;
      const HRESULT result = node->removeChild(child.Get(), removed.GetAddressOf());
      if (FAILED(result)) return statusOf(result);
    }
    if (text.empty()) return kOk;
  }
  return statusOf(node->put_text(value.get()));
}

template <class Interface>
Status NodeMethods<Interface>::get_childNodes(ComPtr<IXMLDOMNodeList>& children) {
  children.Reset();
  ComPtr<ServiceNodeList> list;
  const HRESULT result = serviceNode()->get_childNodes(list.GetAddressOf());
  if (FAILED(result)) return statusOf(result);
  if (!list) return kFail;
  children.Attach(new (std::nothrow) NodeList(std::move(list)));
  return children ? kOk : kOutOfMemory;
}

template <class Interface>
Status NodeMethods<Interface>::get_attributes(ComPtr<IXMLDOMNamedNodeMap>& attributes) {
  attributes.Reset();
  ComPtr<ServiceAttributeMap> map;
  const HRESULT result = serviceNode()->get_attributes(map.GetAddressOf());
  if (FAILED(result)) return statusOf(result);
  if (!map) return kFalse;
  attributes.Attach(new (std::nothrow) AttributeMap(std::move(map)));
  return attributes ? kOk : kOutOfMemory;
}

// Only nodes of this backend can be handed to the service; anything else is no child here.
template <class Interface>
Status NodeMethods<Interface>::replaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, ComPtr<IXMLDOMNode>* oldOut) {
  if (oldOut != nullptr) oldOut->Reset();
  ServiceNode* incoming = serviceNodeOf(newChild);
  ServiceNode* outgoing = serviceNodeOf(oldChild);
  if (incoming == nullptr || outgoing == nullptr) return kInvalidArg;
  ComPtr<ServiceNode> replaced;
  const HRESULT result = serviceNode()->replaceChild(incoming, outgoing, replaced.GetAddressOf());
  if (FAILED(result)) return statusOf(result);
  // The caller's object for the old child stays the one handed back.
  if (oldOut != nullptr) *oldOut = ComPtr<IXMLDOMNode>(oldChild);
  return statusOf(result);
}

template class NodeMethods<IXMLDOMNode>;
template class NodeMethods<IXMLDOMDocument>;

Status NodeList::get_length(long& length) { return lengthOf(list_.Get(), length); }

Status NodeList::get_item(long index, ComPtr<IXMLDOMNode>& node) { return itemOf(list_.Get(), index, node); }

Status AttributeMap::get_length(long& length) { return lengthOf(map_.Get(), length); }

Status AttributeMap::get_item(long index, ComPtr<IXMLDOMNode>& attribute) {
  return itemOf(map_.Get(), index, attribute);
}

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml
