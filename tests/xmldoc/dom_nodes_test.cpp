// Names, child lists and attribute maps, and how long nodes stay valid.
#include "dom_conformance.h"

namespace l3xml_test {
namespace {

using l3xml::dom::kFalse;
using l3xml::dom::kOk;
using Names = std::vector<std::string>;

TEST_P(XmlDomTest, WhitespaceBetweenElementsIsNoChild) {
  ComPtr<IXMLDOMNode> section = rootOf(parse("<S>\n\t<v>px_A</v>\n    <w>B</w>\r\n</S>").Get());
  EXPECT_EQ(namesOf(childrenOf(section.Get()).Get()), (Names{"v", "w"}));
  EXPECT_EQ(lengthOf(childrenOf(rootOf(parse("<a> \t\n </a>").Get()).Get()).Get()), 0);
}

TEST_P(XmlDomTest, ChildKindsNamesAndValues) {
  ComPtr<IXMLDOMNode> root = rootOf(parse("<r> t1 <![CDATA[c]]><!--m--><?p d?>\n<e/>t2</r>").Get());
  ComPtr<IXMLDOMNodeList> children = childrenOf(root.Get());
  EXPECT_EQ(namesOf(children.Get()), (Names{"#text", "#cdata-section", "#comment", "p", "e", "#text"}));
  const Names values = {" t1 ", "c", "m", "d"};
  for (long i = 0; i < 4; ++i) EXPECT_EQ(valueOf(childOf(root.Get(), i).Get()), values[i]);
  for (long i = 0; i < 3; ++i) EXPECT_EQ(baseNameOf(childOf(root.Get(), i).Get()), "");
  EXPECT_EQ(baseNameOf(childOf(root.Get(), 3).Get()), "p");
  std::string value = "unchanged";
  EXPECT_EQ(root->get_nodeValue(value), kFalse);
  EXPECT_EQ(value, "");
}

TEST_P(XmlDomTest, QualifiedAndBaseNames) {
  ComPtr<IXMLDOMDocument> document = parse("<p:Root xmlns:p=\"urn:p\"><p:v/><w/></p:Root>");
  ComPtr<IXMLDOMNode> root = rootOf(document.Get());
  EXPECT_EQ(nameOf(root.Get()), "p:Root");
  EXPECT_EQ(baseNameOf(root.Get()), "Root");
  EXPECT_EQ(baseNameOf(childOf(root.Get(), 1).Get()), "w");
  EXPECT_EQ(nameOf(document.Get()), "#document");
  EXPECT_EQ(baseNameOf(document.Get()), "");
}

TEST_P(XmlDomTest, ItemsOutsideAListGiveNoNode) {
  ComPtr<IXMLDOMNode> root = rootOf(parse("<r a=\"1\"><x/>\n<y/></r>").Get());
  ComPtr<IXMLDOMNamedNodeMap> attributes;
  ASSERT_EQ(root->get_attributes(attributes), kOk);
  ComPtr<IXMLDOMNodeList> children = childrenOf(root.Get());
  for (long index : {-1L, 2L, 1000L}) {
    ComPtr<IXMLDOMNode> node = root;
    EXPECT_EQ(children->get_item(index, node), kFalse) << index;
    EXPECT_FALSE(node);
  }
  for (long index : {-1L, 1L, 1000L}) {
    ComPtr<IXMLDOMNode> node = root;
    EXPECT_EQ(attributes->get_item(index, node), kFalse) << index;
    EXPECT_FALSE(node);
  }
}

TEST_P(XmlDomTest, AttributesInDocumentOrderWithNormalisedValues) {
  ComPtr<IXMLDOMNode> element = rootOf(
      parse("<e b=\"2\" a='1' c=\"x&amp;y&#65;\" d=\"t\tu\nv\r\nw\" ref=\"a&#10;b\" p:q=\"z\" xmlns:p=\"u\"/>").Get());
  ComPtr<IXMLDOMNamedNodeMap> attributes;
  ASSERT_EQ(element->get_attributes(attributes), kOk);
  long length = 0;
  EXPECT_EQ(attributes->get_length(length), kOk);
  EXPECT_EQ(length, 7);
  Names found;
  ComPtr<IXMLDOMNode> attribute;
  for (long i = 0; attributes->get_item(i, attribute) == kOk; ++i) {
    found.push_back(nameOf(attribute.Get()) + "=" + valueOf(attribute.Get()));
    EXPECT_EQ(textOf(attribute.Get()), valueOf(attribute.Get()));
  }
  EXPECT_EQ(found, (Names{"b=2", "a=1", "c=x&yA", "d=t u v w", "ref=a\nb", "p:q=z", "xmlns:p=u"}));
  ASSERT_EQ(attributes->get_item(5, attribute), kOk);
  EXPECT_EQ(baseNameOf(attribute.Get()), "q");
}

TEST_P(XmlDomTest, OnlyElementsHaveAttributeMaps) {
  ComPtr<IXMLDOMDocument> document = parse("<r>t<!--c--></r>");
  ComPtr<IXMLDOMNode> root = rootOf(document.Get());
  for (const ComPtr<IXMLDOMNode>& node :
       {ComPtr<IXMLDOMNode>(document), childOf(root.Get(), 0), childOf(root.Get(), 1)}) {
    ComPtr<IXMLDOMNamedNodeMap> attributes;
    EXPECT_EQ(node->get_attributes(attributes), kFalse);
    EXPECT_FALSE(attributes);
  }
}

TEST_P(XmlDomTest, NodesOutliveTheirDocumentAndItsReload) {
  ComPtr<IXMLDOMDocument> document = parse("<r><v>old</v></r>");
  ComPtr<IXMLDOMNode> value = selectOne(document.Get(), "//v");
  ComPtr<IXMLDOMNodeList> children = childrenOf(rootOf(document.Get()).Get());
  bool successful = false;
  ASSERT_EQ(document->loadXML("<n/>", successful), kOk);
  EXPECT_EQ(textOf(value.Get()), "old");
  document.Reset();
  EXPECT_EQ(nameOf(value.Get()), "v");
  EXPECT_EQ(namesOf(children.Get()), (Names{"v"}));
}

}  // namespace
}  // namespace l3xml_test
