// Nodes, attributes, child lists and attribute maps, and the changes put_text and replaceChild make.
#include "xmldoc/pugixml/dom_objects.h"

#include <cstring>
#include <string_view>

#include "xmldoc/pugixml/node_text.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

const char* localPart(const char* name) {
  const char* colon = std::strchr(name, ':');
  return colon != nullptr ? colon + 1 : name;
}

// A document type is named after the root element it declares: the first word of its text.
std::string doctypeName(pugi::xml_node doctype) {
  const std::string_view text = doctype.value();
  std::size_t end = 0;
  while (end < text.size() && !isBlank(text[end]) && text[end] != '[') ++end;
  return std::string(text.substr(0, end));
}

// The declaration is a processing instruction to the service; its data are the pseudo-attributes.
std::string declarationData(pugi::xml_node declaration) {
  std::string data;
  for (pugi::xml_attribute attribute : declaration.attributes()) {
    if (!data.empty()) data += ' ';
    data.append(attribute.name()).append("=\"").append(attribute.value()) += '"';
  }
  return data;
}

Status none(std::string& out) {
  out.clear();
  return kFalse;
}

// A document keeps one root element and no text at its top level.
bool mayHold(pugi::xml_node parent, pugi::xml_node_type type, pugi::xml_node replaced) {
  switch (type) {
    case pugi::node_element:
      return parent.type() == pugi::node_element || replaced.type() == pugi::node_element;
    case pugi::node_pcdata:
    case pugi::node_cdata:
      return parent.type() == pugi::node_element;
    case pugi::node_comment:
    case pugi::node_pi:
      return true;
    default:
      return false;
  }
}

bool isAncestorOrSelf(pugi::xml_node candidate, pugi::xml_node node) {
  for (; node; node = node.parent()) {
    if (node == candidate) return true;
  }
  return false;
}

}  // namespace

ComPtr<IXMLDOMNode> wrapNode(const NodeOwner& owner, pugi::xml_node node) {
  ComPtr<IXMLDOMNode> wrapped;
  wrapped.Attach(new TreeNode(owner, node));
  return wrapped;
}

template <class Interface>
Status NodeMethods<Interface>::get_nodeName(std::string& name) {
  const pugi::xml_node node = xmlNode();
  switch (node.type()) {
    case pugi::node_element:
    case pugi::node_pi:
      name = node.name();
      return kOk;
    case pugi::node_pcdata:
      name = "#text";
      return kOk;
    case pugi::node_cdata:
      name = "#cdata-section";
      return kOk;
    case pugi::node_comment:
      name = "#comment";
      return kOk;
    case pugi::node_document:
      name = "#document";
      return kOk;
    case pugi::node_declaration:
      name = "xml";
      return kOk;
    case pugi::node_doctype:
      name = doctypeName(node);
      return kOk;
    default:
      return none(name);
  }
}

template <class Interface>
Status NodeMethods<Interface>::get_baseName(std::string& name) {
  const pugi::xml_node node = xmlNode();
  switch (node.type()) {
    case pugi::node_element:
      name = localPart(node.name());
      return kOk;
    case pugi::node_pi:
    case pugi::node_declaration:
    case pugi::node_doctype:
      return get_nodeName(name);
    default:
      return none(name);
  }
}

template <class Interface>
Status NodeMethods<Interface>::get_nodeValue(std::string& value) {
  const pugi::xml_node node = xmlNode();
  switch (node.type()) {
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
      value = node.value();
      return kOk;
    case pugi::node_declaration:
      value = declarationData(node);
      return kOk;
    default:
      return none(value);
  }
}

template <class Interface>
Status NodeMethods<Interface>::get_text(std::string& text) {
  const pugi::xml_node node = xmlNode();
  if (node.type() == pugi::node_declaration) {
    text = declarationData(node);
  } else {
    textOf(tree(), node, text);
  }
  return kOk;
}

// Reads only as far as the answer needs; a declaration's text is its data, as get_text gives it.
template <class Interface>
Status NodeMethods<Interface>::matchText(std::string_view prefix, char absent, std::size_t limit, std::string& text,
                                         bool& matched) {
  const pugi::xml_node node = xmlNode();
  if (node.type() == pugi::node_declaration) return Interface::matchText(prefix, absent, limit, text, matched);
  matched = matchTextOf(tree(), node, TextQuestion{prefix, absent, limit}, text);
  return kOk;
}

// The removed children go to the holding area, not away: callers may still hold them.
template <class Interface>
Status NodeMethods<Interface>::put_text(const std::string& text) {
  pugi::xml_node node = xmlNode();
  Tree& owning = tree();
  // Text with a character beyond blanks can never read as a mark; blank text can, until the
  // marks are settled.
  if (text.find_first_not_of(kBlanks) == std::string::npos) settleMarks(owning);
  switch (node.type()) {
    case pugi::node_element:
      while (const pugi::xml_node child = node.first_child()) {
        if (!owning.holdingArea().append_move(child)) return kFail;
      }
      if (!text.empty()) node.append_child(pugi::node_pcdata).set_value(text.c_str());
      break;
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
      node.set_value(text.c_str());
      break;
    default:
      return kFail;
  }
  ++owning.version;
  return kOk;
}

template <class Interface>
Status NodeMethods<Interface>::get_childNodes(ComPtr<IXMLDOMNodeList>& children) {
  children.Attach(new NodeList(owner(), xmlNode()));
  return kOk;
}

// No list is made for a node without children, which most nodes of a template are.
template <class Interface>
Status NodeMethods<Interface>::get_childCount(ComPtr<IXMLDOMNodeList>& children, long& count) {
  const pugi::xml_node node = xmlNode();
  const Tree& owning = tree();
  count = 0;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (isListed(owning, child)) ++count;
  }
  if (count == 0) {
    children.Reset();
  } else {
    children.Attach(new NodeList(owner(), node, count));
  }
  return kOk;
}

// One node object stands for each child in turn while the visitor alone holds it.
template <class Interface>
void NodeMethods<Interface>::forEachChild(ChildVisitor& visitor) {
  const Tree& owning = tree();
  ComPtr<TreeNode> cursor;
  long position = 0;
  for (pugi::xml_node child = xmlNode().first_child(); child; child = child.next_sibling()) {
    if (!isListed(owning, child)) continue;
    if (cursor && cursor->reusableIn(owning)) {
      cursor->standFor(child);
    } else {
      cursor.Attach(new TreeNode(owner(), child));
    }
    visitor.child(position++, *cursor);
  }
}

// The map handed out last serves again once the caller has let it go: reading the entries of a
// parameter file then makes no object per element.
template <class Interface>
Status NodeMethods<Interface>::get_attributes(ComPtr<IXMLDOMNamedNodeMap>& attributes) {
  attributes.Reset();
  const pugi::xml_node node = xmlNode();
  if (node.type() != pugi::node_element) return kFalse;
  if (attributeMap_ && attributeMap_->reusableIn(tree())) {
    attributeMap_->standFor(node);
  } else {
    attributeMap_.Attach(new AttributeMap(owner(), node));
  }
  attributes = ComPtr<IXMLDOMNamedNodeMap>(attributeMap_.Get());
  return kOk;
}

// A node from another tree is copied in and its original set aside in its own tree, where the
// caller's object for it is pointed at the copy, so that it reads as moved. The replaced child
// is set aside here and stays valid.
template <class Interface>
Status NodeMethods<Interface>::replaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, ComPtr<IXMLDOMNode>* oldOut) {
  if (oldOut != nullptr) oldOut->Reset();
  TreeNodeAccess* incoming = dynamic_cast<TreeNodeAccess*>(newChild);
  TreeNodeAccess* outgoing = dynamic_cast<TreeNodeAccess*>(oldChild);
  if (incoming == nullptr || outgoing == nullptr) return kInvalidArg;
  Tree& here = tree();
  pugi::xml_node parent = xmlNode();
  const pugi::xml_node replaced = outgoing->xmlNode();
  if (&outgoing->tree() != &here || replaced.parent() != parent) return kInvalidArg;

  const pugi::xml_node moving = incoming->xmlNode();
  const bool sameTree = &incoming->tree() == &here;
  if (!(sameTree && moving == replaced)) {
    if (!mayHold(parent, moving.type(), replaced)) return kFail;
    if (sameTree) {
      if (isAncestorOrSelf(moving, parent) || !parent.insert_move_before(moving, replaced)) return kFail;
    } else {
      // A copy keeps its blank text as it was: both trees must read blank text the same way.
      Tree& source = incoming->tree();
      settleMarks(here);
      settleMarks(source);
      const pugi::xml_node copy = parent.insert_copy_before(moving, replaced);
      if (!copy) return kFail;
      source.holdingArea().append_move(moving);
      ++source.version;
      incoming->moveTo(owner(), copy);
    }
    here.holdingArea().append_move(replaced);
    ++here.version;
  }
  if (oldOut != nullptr) *oldOut = ComPtr<IXMLDOMNode>(oldChild);
  return kOk;
}

// pugixml knows where each node's name or value starts in the parsed text, until it is changed.
template <class Interface>
Status NodeMethods<Interface>::get_sourcePosition(long& line, long& column) {
  line = 0;
  column = 0;
  const pugi::xml_node node = xmlNode();
  const std::ptrdiff_t offset = node.offset_debug();
  if (offset < 0) return kFalse;
  // An element's offset is that of its name, just after the '<'.
  const std::size_t start =
      static_cast<std::size_t>(offset) - (node.type() == pugi::node_element && offset > 0 ? 1 : 0);
  return positionOf(tree(), start, line, column) ? kOk : kFalse;
}

template class NodeMethods<IXMLDOMNode>;
template class NodeMethods<IXMLDOMDocument>;

Status AttributeNode::get_nodeName(std::string& name) {
  name = attribute_.name();
  return kOk;
}

Status AttributeNode::get_baseName(std::string& name) {
  name = localPart(attribute_.name());
  return kOk;
}

Status AttributeNode::get_nodeValue(std::string& value) {
  value = attribute_.value();
  return kOk;
}

Status AttributeNode::get_text(std::string& text) { return get_nodeValue(text); }

Status AttributeNode::put_text(const std::string& text) {
  attribute_.set_value(text.c_str());
  return kOk;
}

Status AttributeNode::get_childNodes(ComPtr<IXMLDOMNodeList>& children) {
  children.Attach(new NodeList(owner_, std::vector<pugi::xml_node>()));
  return kOk;
}

Status AttributeNode::get_attributes(ComPtr<IXMLDOMNamedNodeMap>& attributes) {
  attributes.Reset();
  return kFalse;
}

Status AttributeNode::replaceChild(IXMLDOMNode*, IXMLDOMNode*, ComPtr<IXMLDOMNode>* oldOut) {
  if (oldOut != nullptr) oldOut->Reset();
  return kInvalidArg;
}

void NodeList::follow() {
  const Tree& tree = *owner_.tree;
  if (counted_ && countedVersion_ == tree.version) return;
  count_ = 0;
  for (pugi::xml_node child = parent_.first_child(); child; child = child.next_sibling()) {
    if (isListed(tree, child)) ++count_;
  }
  counted_ = true;
  countedVersion_ = tree.version;
  cursorIndex_ = -1;
}

pugi::xml_node NodeList::at(long index) {
  if (!parent_) {
    return index >= 0 && static_cast<std::size_t>(index) < nodes_.size() ? nodes_[static_cast<std::size_t>(index)]
                                                                         : pugi::xml_node();
  }
  follow();
  if (index < 0 || index >= count_) return pugi::xml_node();
  const Tree& tree = *owner_.tree;
  if (cursorIndex_ < 0 || index < cursorIndex_) {
    cursor_ = parent_.first_child();
    while (!isListed(tree, cursor_)) cursor_ = cursor_.next_sibling();
    cursorIndex_ = 0;
  }
  while (cursorIndex_ < index) {
    do {
      cursor_ = cursor_.next_sibling();
    } while (!isListed(tree, cursor_));
    ++cursorIndex_;
  }
  return cursor_;
}

Status NodeList::get_length(long& length) {
  if (parent_) {
    follow();
    length = count_;
  } else {
    length = static_cast<long>(nodes_.size());
  }
  return kOk;
}

// The caller's previous item is let go first, so that its object may serve again.
Status NodeList::get_item(long index, ComPtr<IXMLDOMNode>& node) {
  node.Reset();
  const pugi::xml_node found = at(index);
  if (!found) return kFalse;
  if (handedOut_ && handedOut_->reusableIn(*owner_.tree)) {
    handedOut_->standFor(found);
  } else {
    handedOut_.Attach(new TreeNode(owner_, found));
  }
  node = ComPtr<IXMLDOMNode>(handedOut_.Get());
  return kOk;
}

void AttributeMap::standFor(pugi::xml_node element) {
  element_ = element;
  count_ = -1;
  cursorIndex_ = -1;
}

// Counted when first asked: a walk with forEachAttribute never asks.
long AttributeMap::count() {
  if (count_ < 0) {
    count_ = 0;
    for (pugi::xml_attribute attribute = element_.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
      ++count_;
    }
  }
  return count_;
}

Status AttributeMap::get_length(long& length) {
  length = count();
  return kOk;
}

Status AttributeMap::get_item(long index, ComPtr<IXMLDOMNode>& attribute) {
  attribute.Reset();
  if (index < 0 || index >= count()) return kFalse;
  if (cursorIndex_ < 0 || index < cursorIndex_) {
    cursor_ = element_.first_attribute();
    cursorIndex_ = 0;
  }
  for (; cursorIndex_ < index; ++cursorIndex_) cursor_ = cursor_.next_attribute();
  if (handedOut_ && handedOut_->reusable()) {
    handedOut_->standFor(cursor_);
  } else {
    handedOut_.Attach(new AttributeNode(owner_, cursor_));
  }
  attribute = ComPtr<IXMLDOMNode>(handedOut_.Get());
  return kOk;
}

void AttributeMap::forEachAttribute(AttributeVisitor& visitor) {
  for (pugi::xml_attribute attribute = element_.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    visitor.attribute(attribute.name(), attribute.value());
  }
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
