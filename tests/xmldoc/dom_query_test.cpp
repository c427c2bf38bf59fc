// Node selection: elements by qualified name, elements by the raw value of a text child.
#include "dom_conformance.h"

namespace l3xml_test {
namespace {

using l3xml::dom::failed;
using l3xml::dom::kOk;
using Names = std::vector<std::string>;

const char* const kQueried =
    "<p:Root xmlns:p=\"urn:p\">\n"
    "  <v>px_A</v>\n"
    "  <w> px_A </w>\n"
    "  <p:v>px_A<x/></p:v>\n"
    "  <V>other</V>\n"
    "  <c><![CDATA[px_A]]></c>\n"
    "  <g><v>px_B</v></g>\n"
    "  <blank>   </blank>\n"
    "</p:Root>";

TEST_P(XmlDomTest, SelectsByQualifiedNameInDocumentOrder) {
  ComPtr<IXMLDOMDocument> document = parse(kQueried);
  EXPECT_EQ(textsOf(select(document.Get(), "//v").Get()), (Names{"px_A", "px_B"}));
  EXPECT_EQ(textsOf(select(document.Get(), "//p:v").Get()), (Names{"px_A"}));
  EXPECT_EQ(textsOf(select(document.Get(), "//V").Get()), (Names{"other"}));
  EXPECT_EQ(namesOf(select(document.Get(), "//p:Root").Get()), (Names{"p:Root"}));
}

TEST_P(XmlDomTest, SelectsByRawTextChild) {
  ComPtr<IXMLDOMDocument> document = parse(kQueried);
  EXPECT_EQ(namesOf(select(document.Get(), "//*[ text() = 'px_A']").Get()), (Names{"v", "p:v", "c"}));
  EXPECT_EQ(namesOf(select(document.Get(), "//*[ text() = ' px_A ']").Get()), (Names{"w"}));
  EXPECT_EQ(namesOf(select(document.Get(), "//*[ text() = 'px_B']").Get()), (Names{"v"}));
}

TEST_P(XmlDomTest, SelectsNothingAsAnEmptyList) {
  ComPtr<IXMLDOMDocument> document = parse(kQueried);
  for (const char* query :
       {"//missing", "//Root", "//*[ text() = 'px_C']", "//*[ text() = '']", "//*[ text() = '   ']"}) {
    EXPECT_EQ(lengthOf(select(document.Get(), query).Get()), 0) << query;
  }
}

TEST_P(XmlDomTest, SelectsNoNodeRemovedFromTheDocument) {
  ComPtr<IXMLDOMDocument> document = parse(kQueried);
  ASSERT_EQ(selectOne(document.Get(), "//g")->put_text("px_A"), kOk);
  EXPECT_EQ(textsOf(select(document.Get(), "//v").Get()), (Names{"px_A"}));
  EXPECT_EQ(namesOf(select(document.Get(), "//*[ text() = 'px_A']").Get()), (Names{"v", "p:v", "c", "g"}));
}

TEST_P(XmlDomTest, RefusesQueriesItCannotEvaluate) {
  ComPtr<IXMLDOMDocument> document = parse("<r><v>px_a'b</v></r>");
  for (const char* query : {"//*[ text() = 'px_a'b']", "//", "//1v", "//v w", "//*[ text() = 'px_A'",
                            "//*[ text() = 'px_A']]", "//*[ text( = 'px_A']", "", "(garbage"}) {
    ComPtr<IXMLDOMNodeList> nodes;
    EXPECT_TRUE(failed(document->selectNodes(query, nodes))) << query;
    EXPECT_FALSE(nodes) << query;
  }
}

}  // namespace
}  // namespace l3xml_test
