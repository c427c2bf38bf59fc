// Helpers of the XML document conformance suite.
#include "dom_conformance.h"

#include "platform_expectations.h"

namespace l3xml_test {

using l3xml::dom::kOk;

namespace {
// The value an interface getter hands out; the test fails when it does not succeed.
template <class Value, class Interface, class Object>
Value get(Object* object, Status (Interface::*getter)(Value&)) {
  Value value{};
  EXPECT_EQ((object->*getter)(value), kOk);
  return value;
}

template <class Read>
std::vector<std::string> eachOf(IXMLDOMNodeList* list, Read read) {
  std::vector<std::string> values;
  for (long i = 0; i < lengthOf(list); ++i) {
    ComPtr<IXMLDOMNode> node;
    EXPECT_EQ(list->get_item(i, node), kOk);
    if (node) values.push_back(read(node.Get()));
  }
  return values;
}
}  // namespace

std::string layoutOf(const std::string& saved) { return underEmulatedService() ? comparableSave(saved) : saved; }

std::string nameOf(IXMLDOMNode* node) { return get(node, &IXMLDOMNode::get_nodeName); }
std::string baseNameOf(IXMLDOMNode* node) {
  std::string name = "unchanged";
  const Status status = node->get_baseName(name);
  EXPECT_EQ(status, name.empty() ? l3xml::dom::kFalse : kOk) << name;
  return name;
}
std::string textOf(IXMLDOMNode* node) { return get(node, &IXMLDOMNode::get_text); }
std::string valueOf(IXMLDOMNode* node) { return get(node, &IXMLDOMNode::get_nodeValue); }
long lengthOf(IXMLDOMNodeList* list) { return get(list, &IXMLDOMNodeList::get_length); }
std::vector<std::string> namesOf(IXMLDOMNodeList* list) { return eachOf(list, nameOf); }
std::vector<std::string> textsOf(IXMLDOMNodeList* list) { return eachOf(list, textOf); }
ComPtr<IXMLDOMNodeList> childrenOf(IXMLDOMNode* node) { return get(node, &IXMLDOMNode::get_childNodes); }
ComPtr<IXMLDOMNode> rootOf(IXMLDOMDocument* document) { return get(document, &IXMLDOMDocument::get_documentElement); }

ComPtr<IXMLDOMNode> childOf(IXMLDOMNode* node, long index) {
  ComPtr<IXMLDOMNode> child;
  EXPECT_EQ(childrenOf(node)->get_item(index, child), kOk);
  return child;
}

ParseErrorReport lastErrorOf(IXMLDOMDocument* document) {
  ComPtr<IXMLDOMParseError> error = get(document, &IXMLDOMDocument::get_parseError);
  return {get(error.Get(), &IXMLDOMParseError::get_errorCode), get(error.Get(), &IXMLDOMParseError::get_line),
          get(error.Get(), &IXMLDOMParseError::get_linepos), get(error.Get(), &IXMLDOMParseError::get_url),
          get(error.Get(), &IXMLDOMParseError::get_reason)};
}

ComPtr<IXMLDOMDocument> DomTestBase::newDocument() {
  ComPtr<IXMLDOMDocument> document;
  EXPECT_EQ(factory_(document), kOk);
  EXPECT_EQ(document->put_async(false), kOk);
  EXPECT_EQ(document->put_validateOnParse(false), kOk);
  EXPECT_EQ(document->put_resolveExternals(false), kOk);
  return document;
}

ComPtr<IXMLDOMDocument> DomTestBase::parse(const std::string& xml) {
  ComPtr<IXMLDOMDocument> document = newDocument();
  bool successful = false;
  EXPECT_EQ(document->loadXML(xml, successful), kOk) << xml;
  EXPECT_TRUE(successful) << xml;
  return document;
}

ComPtr<IXMLDOMDocument> DomTestBase::loadFile(const std::string& path) {
  ComPtr<IXMLDOMDocument> document = newDocument();
  bool successful = false;
  EXPECT_EQ(document->load(path, successful), kOk) << path;
  EXPECT_TRUE(successful) << path;
  return document;
}

ComPtr<IXMLDOMNodeList> DomTestBase::select(IXMLDOMDocument* document, const std::string& query) {
  ComPtr<IXMLDOMNodeList> nodes;
  EXPECT_EQ(document->selectNodes(query, nodes), kOk) << query;
  return nodes;
}

ComPtr<IXMLDOMNode> DomTestBase::selectOne(IXMLDOMDocument* document, const std::string& query) {
  ComPtr<IXMLDOMNode> node;
  EXPECT_EQ(select(document, query)->get_item(0, node), kOk) << query;
  return node;
}

}  // namespace l3xml_test
