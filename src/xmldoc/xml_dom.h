// The XML document interface: the operations of the platform XML service that the library uses.
//
// Shaped like the COM document object model so that one backend can be the service itself:
// every operation returns a COM status (0 success, 1 "false", negative failure) and hands
// objects out as counted references. Texts are narrow: the backend converts them.
#ifndef L3XML_XMLDOC_XML_DOM_H
#define L3XML_XMLDOC_XML_DOM_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <l3xml/com_ptr.h>

namespace l3xml {
namespace dom {

// A COM status code (HRESULT): 32-bit signed, negative means failure.
using Status = std::int32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kFalse = 1;
inline constexpr Status kNotImplemented = static_cast<Status>(0x80004001u);
inline constexpr Status kFail = static_cast<Status>(0x80004005u);
inline constexpr Status kPointer = static_cast<Status>(0x80004003u);
inline constexpr Status kInvalidArg = static_cast<Status>(0x80070057u);
inline constexpr Status kOutOfMemory = static_cast<Status>(0x8007000Eu);
inline constexpr Status kResourceNotFound = static_cast<Status>(0x800C0005u);  // file missing
inline constexpr Status kAccessDenied = static_cast<Status>(0x80070005u);

// Parse error codes of the service.
inline constexpr Status kParseUndeclaredPrefix = static_cast<Status>(0xC00CE01Du);
inline constexpr Status kParseMissingEquals = static_cast<Status>(0xC00CE501u);
inline constexpr Status kParseBadNameStart = static_cast<Status>(0xC00CE504u);
inline constexpr Status kParseUnclosedAtEnd = static_cast<Status>(0xC00CE553u);
inline constexpr Status kParseMultipleRoots = static_cast<Status>(0xC00CE555u);
inline constexpr Status kParseTopLevelText = static_cast<Status>(0xC00CE556u);
inline constexpr Status kParseNoRoot = static_cast<Status>(0xC00CE558u);
inline constexpr Status kParseEndTagMismatch = static_cast<Status>(0xC00CE56Du);

inline bool failed(Status status) { return status < 0; }

// Counted reference of every interface below.
class IRefCounted {
 public:
  virtual unsigned long AddRef() = 0;
  virtual unsigned long Release() = 0;

 protected:
  virtual ~IRefCounted() = default;
};

class IXMLDOMNode;

// What a walk over the children of a node is told.
class ChildVisitor {
 public:
  // The child at position among the items of get_childNodes. The object may stand for the next
  // child once the call returns; the visit must not change the tree.
  virtual void child(long position, IXMLDOMNode& node) = 0;
  // A call of the walk failed; the child it was for is skipped, and a failed list ends the walk.
  virtual void failure(Status status) = 0;

 protected:
  ~ChildVisitor() = default;
};

// A node of a document: element, text, CDATA, comment, processing instruction or attribute.
class IXMLDOMNode : public IRefCounted {
 public:
  // The qualified name as written; "#text", "#cdata-section", "#comment", "#document" otherwise.
  virtual Status get_nodeName(std::string& name) = 0;
  // The local name without prefix; empty (status 1) for nodes that have none.
  virtual Status get_baseName(std::string& name) = 0;
  // The value of an attribute, text, CDATA, comment or processing instruction; status 1 and
  // empty for elements.
  virtual Status get_nodeValue(std::string& value) = 0;
  // The text of the node and its descendants, with the service's whitespace rules.
  virtual Status get_text(std::string& text) = 0;
  // Replaces all content by one text node (none for an empty text); attributes stay.
  virtual Status put_text(const std::string& text) = 0;
  // The direct children in document order; whitespace-only text is not a child.
  virtual Status get_childNodes(ComPtr<IXMLDOMNodeList>& children) = 0;
  // The attributes in document order; status 1 and no map for nodes other than elements.
  virtual Status get_attributes(ComPtr<IXMLDOMNamedNodeMap>& attributes) = 0;
  // Puts newChild (possibly from another document, which it then leaves) in oldChild's place.
  // kInvalidArg when oldChild is not a child of this node. oldOut may be null.
  virtual Status replaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, ComPtr<IXMLDOMNode>* oldOut) = 0;

  // Optional, beyond the service: where the node starts in the text it was loaded from (an
  // element at its '<'), line and column from 1, columns counted in characters. kNotImplemented
  // from a backend that does not know positions; kFalse for a node that has none.
  virtual Status get_sourcePosition(long& line, long& column) {
    line = 0;
    column = 0;
    return kNotImplemented;
  }

  // Optional, beyond the service: the number of children, and their list when there are any (a
  // backend may leave children empty when there are none). The first failure of get_childNodes
  // and get_length, whose calls this default makes; kPointer when get_childNodes gives no list.
  virtual Status get_childCount(ComPtr<IXMLDOMNodeList>& children, long& count);

  // Optional, beyond the service: visits the items of get_childNodes in order. A backend may
  // hand out one object for each child in turn; this default makes the service's calls
  // (get_childNodes, get_length, get_item).
  virtual void forEachChild(ChildVisitor& visitor);

  // Optional, beyond the service: whether the text of get_text, cut to its first `limit` bytes,
  // starts with prefix and holds no `absent` character. When it does, text is that cut text;
  // otherwise text is unspecified. A backend may read only as far as the first character that
  // decides; this default reads the whole text. The status is get_text's.
  virtual Status matchText(std::string_view prefix, char absent, std::size_t limit, std::string& text, bool& matched) {
    text.clear();
    const Status status = get_text(text);
    if (text.size() > limit) text.resize(limit);
    matched = text.compare(0, prefix.size(), prefix) == 0 && text.find(absent) == std::string::npos;
    return status;
  }
};

// An ordered list of nodes.
class IXMLDOMNodeList : public IRefCounted {
 public:
  virtual Status get_length(long& length) = 0;
  // The node at index (from 0); status 1 and no node outside the list.
  virtual Status get_item(long index, ComPtr<IXMLDOMNode>& node) = 0;
};

inline Status IXMLDOMNode::get_childCount(ComPtr<IXMLDOMNodeList>& children, long& count) {
  count = 0;
  const Status listed = get_childNodes(children);
  if (failed(listed)) return listed;
  if (!children) return kPointer;
  return children->get_length(count);
}

// What a walk over the attributes of an element is told.
class AttributeVisitor {
 public:
  // One attribute; the views are valid during the call only.
  virtual void attribute(std::string_view name, std::string_view value) = 0;
  // A call of the walk failed; the attribute it was for is skipped, and a failed length ends the walk.
  virtual void failure(Status status) = 0;

 protected:
  ~AttributeVisitor() = default;
};

inline void IXMLDOMNode::forEachChild(ChildVisitor& visitor) {
  ComPtr<IXMLDOMNodeList> children;
  long count = 0;
  Status status = get_childNodes(children);
  if (!failed(status) && !children) return;
  if (!failed(status)) status = children->get_length(count);
  if (failed(status)) return visitor.failure(status);
  ComPtr<IXMLDOMNode> child;
  for (long position = 0; position < count; ++position) {
    status = children->get_item(position, child);
    if (failed(status)) {
      visitor.failure(status);
    } else if (child) {
      visitor.child(position, *child);
    }
  }
}

// The attributes of an element, in document order.
class IXMLDOMNamedNodeMap : public IRefCounted {
 public:
  virtual Status get_length(long& length) = 0;
  virtual Status get_item(long index, ComPtr<IXMLDOMNode>& attribute) = 0;

  // Optional, beyond the service: visits every attribute in document order. A backend may hand
  // out its own texts; this default makes the service's calls (get_length, then get_item,
  // get_nodeName and get_nodeValue for each attribute), so that the walk may start another.
  virtual void forEachAttribute(AttributeVisitor& visitor);
};

inline void IXMLDOMNamedNodeMap::forEachAttribute(AttributeVisitor& visitor) {
  long count = 0;
  if (const Status status = get_length(count); failed(status)) return visitor.failure(status);
  ComPtr<IXMLDOMNode> attribute;
  std::string name;
  std::string value;
  for (long i = 0; i < count; ++i) {
    Status status = get_item(i, attribute);
    if (!failed(status) && !attribute) continue;
    if (!failed(status)) status = attribute->get_nodeName(name);
    if (!failed(status)) status = attribute->get_nodeValue(value);
    if (failed(status)) {
      visitor.failure(status);
      continue;
    }
    visitor.attribute(name, value);
  }
}

// The outcome of the last load of a document.
class IXMLDOMParseError : public IRefCounted {
 public:
  // 0 when the last load parsed; a negative parse error code otherwise.
  virtual Status get_errorCode(Status& code) = 0;
  virtual Status get_line(long& line) = 0;
  virtual Status get_linepos(long& position) = 0;
  virtual Status get_url(std::string& url) = 0;
  virtual Status get_reason(std::string& reason) = 0;
};

// A document: the node that owns a tree.
class IXMLDOMDocument : public IXMLDOMNode {
 public:
  virtual Status put_async(bool async) = 0;
  virtual Status put_validateOnParse(bool validate) = 0;
  virtual Status put_resolveExternals(bool resolve) = 0;
  // Loads a file. Negative when it cannot be read; otherwise non-negative, with successful
  // telling whether it parsed (the parse error object says why not). A failed load leaves the
  // document empty.
  virtual Status load(const std::string& path, bool& successful) = 0;
  // Loads a document from text, with the same outcome rules as load.
  virtual Status loadXML(const std::string& xml, bool& successful) = 0;
  // Writes the document to path; negative when it cannot be written.
  virtual Status save(const std::string& path) = 0;
  virtual Status get_parseError(ComPtr<IXMLDOMParseError>& error) = 0;
  // The root element; status 1 and no node when the document has none.
  virtual Status get_documentElement(ComPtr<IXMLDOMNode>& root) = 0;
  // "//name" selects every element of that qualified name; "//*[ text() = 'lit']" every element
  // with a text child equal to lit. Failure and no list when the query cannot be evaluated.
  virtual Status selectNodes(const std::string& query, ComPtr<IXMLDOMNodeList>& nodes) = 0;
};

}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_XML_DOM_H
