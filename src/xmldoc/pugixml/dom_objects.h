// The backend's counted objects: document, nodes, attributes, node lists, attribute maps, parse errors.
#ifndef L3XML_XMLDOC_PUGIXML_DOM_OBJECTS_H
#define L3XML_XMLDOC_PUGIXML_DOM_OBJECTS_H

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "xmldoc/pugixml/parse_outcome.h"
#include "xmldoc/pugixml/tree.h"
#include "xmldoc/ref_counted.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// What keeps a node valid: the document it came from (alive as long as any of its nodes, as
// in COM) and the tree it lies in, which outlives a reload of the document.
struct NodeOwner {
  ComPtr<IXMLDOMDocument> document;
  std::shared_ptr<Tree> tree;
};

// The tree node behind an interface pointer of this backend, found with dynamic_cast.
class TreeNodeAccess {
 public:
  virtual NodeOwner owner() const = 0;
  virtual Tree& tree() const = 0;
  virtual pugi::xml_node xmlNode() const = 0;
  // After a move into another document the object stands for the node's copy there.
  virtual void moveTo(const NodeOwner& owner, pugi::xml_node node) = 0;

 protected:
  virtual ~TreeNodeAccess() = default;
};

class AttributeMap;

// A node object that only the list which made it still holds can stand for that list's next
// item instead of a new object being made for it (RefCounted::heldOnce).
template <class Interface>
using Counted = RefCounted<Interface>;

// The node operations of the document node and of the nodes in its tree.
template <class Interface>
class NodeMethods : public Counted<Interface>, public TreeNodeAccess {
 public:
  Status get_nodeName(std::string& name) override;
  Status get_baseName(std::string& name) override;
  Status get_nodeValue(std::string& value) override;
  Status get_text(std::string& text) override;
  Status put_text(const std::string& text) override;
  Status get_childNodes(ComPtr<IXMLDOMNodeList>& children) override;
  Status get_attributes(ComPtr<IXMLDOMNamedNodeMap>& attributes) override;
  Status replaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, ComPtr<IXMLDOMNode>* oldOut) override;
  Status get_sourcePosition(long& line, long& column) override;
  Status get_childCount(ComPtr<IXMLDOMNodeList>& children, long& count) override;
  void forEachChild(ChildVisitor& visitor) override;
  Status matchText(std::string_view prefix, char absent, std::size_t limit, std::string& text, bool& matched) override;

 private:
  ComPtr<AttributeMap> attributeMap_;  // the map handed out last, reused once released
};

extern template class NodeMethods<IXMLDOMNode>;
extern template class NodeMethods<IXMLDOMDocument>;

// An element, text, CDATA, comment, processing instruction, declaration or document type.
class TreeNode final : public NodeMethods<IXMLDOMNode> {
 public:
  TreeNode(NodeOwner owner, pugi::xml_node node) : owner_(std::move(owner)), node_(node) {}

  NodeOwner owner() const override { return owner_; }
  Tree& tree() const override { return *owner_.tree; }
  pugi::xml_node xmlNode() const override { return node_; }
  void moveTo(const NodeOwner& owner, pugi::xml_node node) override {
    owner_ = owner;
    node_ = node;
  }

  // Whether an object that its list holds may stand for another node of tree: nobody else holds
  // it, and it has not moved to another document.
  bool reusableIn(const Tree& tree) const { return this->heldOnce() && owner_.tree.get() == &tree; }
  void standFor(pugi::xml_node node) { node_ = node; }

 private:
  NodeOwner owner_;
  pugi::xml_node node_;
};

// An attribute of an element: a node with a name and a value, and no children.
class AttributeNode final : public Counted<IXMLDOMNode> {
 public:
  AttributeNode(NodeOwner owner, pugi::xml_attribute attribute) : owner_(std::move(owner)), attribute_(attribute) {}

  Status get_nodeName(std::string& name) override;
  Status get_baseName(std::string& name) override;
  Status get_nodeValue(std::string& value) override;
  Status get_text(std::string& text) override;
  Status put_text(const std::string& text) override;
  Status get_childNodes(ComPtr<IXMLDOMNodeList>& children) override;
  Status get_attributes(ComPtr<IXMLDOMNamedNodeMap>& attributes) override;
  Status replaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, ComPtr<IXMLDOMNode>* oldOut) override;

  // As for TreeNode: an object its map alone holds may stand for another attribute.
  bool reusable() const { return heldOnce(); }
  void standFor(pugi::xml_attribute attribute) { attribute_ = attribute; }

 private:
  NodeOwner owner_;
  pugi::xml_attribute attribute_;
};

// Either a fixed list of nodes (a query's result) or the children of a node, followed as the
// tree changes. A child list walks the siblings from where its last item was, so that reading it
// in order costs one step an item, and counts them once for each version of the tree.
class NodeList final : public RefCounted<IXMLDOMNodeList> {
 public:
  NodeList(NodeOwner owner, std::vector<pugi::xml_node> nodes) : owner_(std::move(owner)), nodes_(std::move(nodes)) {}
  NodeList(NodeOwner owner, pugi::xml_node parent) : owner_(std::move(owner)), parent_(parent) {}
  // The children of parent, counted already for the tree as it is.
  NodeList(NodeOwner owner, pugi::xml_node parent, long count)
      : owner_(std::move(owner)),
        parent_(parent),
        counted_(true),
        countedVersion_(owner_.tree->version),
        count_(count) {}

  Status get_length(long& length) override;
  Status get_item(long index, ComPtr<IXMLDOMNode>& node) override;

 private:
  // The node at index; empty outside the list.
  pugi::xml_node at(long index);
  // A child list's count, and its cursor forgotten, once the tree has changed.
  void follow();

  NodeOwner owner_;
  pugi::xml_node parent_;  // empty for a fixed list
  std::vector<pugi::xml_node> nodes_;
  ComPtr<TreeNode> handedOut_;  // the node object of the last item, reused once released
  bool counted_ = false;
  unsigned long countedVersion_ = 0;
  long count_ = 0;
  long cursorIndex_ = -1;  // the child at cursor_, or -1 for none
  pugi::xml_node cursor_;
};

// The attributes of an element, read in order from the last one handed out.
class AttributeMap final : public Counted<IXMLDOMNamedNodeMap> {
 public:
  AttributeMap(NodeOwner owner, pugi::xml_node element) : owner_(std::move(owner)) { standFor(element); }

  Status get_length(long& length) override;
  Status get_item(long index, ComPtr<IXMLDOMNode>& attribute) override;
  void forEachAttribute(AttributeVisitor& visitor) override;

  // As for TreeNode: a map its element object alone holds may serve another element of tree.
  bool reusableIn(const Tree& tree) const { return heldOnce() && owner_.tree.get() == &tree; }
  void standFor(pugi::xml_node element);

 private:
  long count();

  NodeOwner owner_;
  pugi::xml_node element_;
  long count_ = -1;        // -1 until counted
  long cursorIndex_ = -1;  // the attribute at cursor_, or -1 for none
  pugi::xml_attribute cursor_;
  ComPtr<AttributeNode> handedOut_;  // the attribute object handed out last, reused once released
};

class ParseError final : public RefCounted<IXMLDOMParseError> {
 public:
  explicit ParseError(ParseErrorInfo info) : info_(std::move(info)) {}

  Status get_errorCode(Status& code) override;
  Status get_line(long& line) override;
  Status get_linepos(long& position) override;
  Status get_url(std::string& url) override;
  Status get_reason(std::string& reason) override;

 private:
  ParseErrorInfo info_;
};

class Document final : public NodeMethods<IXMLDOMDocument> {
 public:
  Document() : tree_(std::make_shared<Tree>()) {}

  NodeOwner owner() const override;
  Tree& tree() const override { return *tree_; }
  pugi::xml_node xmlNode() const override { return tree_->xml; }
  void moveTo(const NodeOwner&, pugi::xml_node) override {}

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
  Status parse(std::string bytes, TextSource source, const std::string& url, bool& successful);

  // Replaced, never cleared, by each load: nodes handed out keep the tree they came from.
  std::shared_ptr<Tree> tree_;
  ParseErrorInfo lastError_;
};

// A new object for a node of owner's tree.
ComPtr<IXMLDOMNode> wrapNode(const NodeOwner& owner, pugi::xml_node node);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_DOM_OBJECTS_H
