// Setting the value of one selected node of a loaded template.
#include "parser/node_value_writer.h"

#include "parser/document_access.h"
#include "pixit/pixit_maps.h"

namespace l3xml {
namespace parser {

std::string valueFragment(const std::string& value) {
  return "<Vortaxis>" + std::string("<") + value + "/>" + "</Vortaxis>";
}

bool recordPlaceholder(state::ModuleState& state, dom::IXMLDOMNode& node, std::string& text, std::string& name) {
  text.clear();
  name.clear();
  (void)node.get_text(text);
  if (!pixit::hasPixitPrefix(text)) return false;
  (void)node.get_nodeName(name);
  pixit::recordNodeParameter(state, name, text);
  return true;
}

namespace {

// The node's first child, and whether the value goes in as text beside it.
bool takesValueAsText(dom::IXMLDOMNode& node, dom::ComPtr<dom::IXMLDOMNode>& firstChild) {
  dom::ComPtr<dom::IXMLDOMNodeList> children;
  std::string firstChildName;
  if (!dom::failed(node.get_childNodes(children)) && children) (void)children->get_item(0, firstChild);
  if (firstChild) (void)firstChild->get_nodeName(firstChildName);
  return !firstChild || (!firstChildName.empty() && firstChildName[0] == '#');
}

}  // namespace

bool takesValueAsElement(dom::IXMLDOMNode& node) {
  dom::ComPtr<dom::IXMLDOMNode> firstChild;
  return !takesValueAsText(node, firstChild);
}

NodeWrite writeNodeValue(dom::IXMLDOMNode& node, const std::string& value, bool writeText,
                         dom::ComPtr<dom::IXMLDOMDocument>& fragmentDocument) {
  dom::ComPtr<dom::IXMLDOMNode> firstChild;
  if (takesValueAsText(node, firstChild)) {
    if (!writeText) return NodeWrite::kUnchanged;
    (void)node.put_text(value);
    return NodeWrite::kText;
  }

  // A document that cannot be made counts as a fragment that does not parse.
  fragmentDocument.Reset();
  bool parsed = false;
  if (createParserDocument(fragmentDocument.GetAddressOf()) < 0 || !fragmentDocument ||
      dom::failed(fragmentDocument->loadXML(valueFragment(value), parsed)) ||
      checkDocumentLoad(fragmentDocument.Get()) < 0) {
    return NodeWrite::kFragmentFailed;
  }
  dom::ComPtr<dom::IXMLDOMNode> wrapper;
  dom::ComPtr<dom::IXMLDOMNodeList> wrapped;
  dom::ComPtr<dom::IXMLDOMNode> element;
  if (dom::failed(fragmentDocument->get_documentElement(wrapper)) || !wrapper ||
      dom::failed(wrapper->get_childNodes(wrapped)) || !wrapped || dom::failed(wrapped->get_item(0, element)) ||
      !element || dom::failed(node.replaceChild(element.Get(), firstChild.Get(), nullptr))) {
    return NodeWrite::kFragmentFailed;
  }
  return NodeWrite::kElement;
}

}  // namespace parser
}  // namespace l3xml
