// The text of nodes: whitespace between pieces, stripping, CDATA, comments and instructions.
#include "dom_conformance.h"

namespace l3xml_test {
namespace {

using l3xml::dom::kOk;

TEST_P(XmlDomTextTest, RootTextFollowsTheServiceRules) {
  EXPECT_EQ(textOf(rootOf(parse(row().xml).Get()).Get()), row().text);
}

TEST_P(XmlDomTest, TextOfLeafNodes) {
  ComPtr<IXMLDOMDocument> document = parse("<r>  padded\t<![CDATA[ c ]]><!-- note --><?pi  data ?></r>");
  ComPtr<IXMLDOMNode> root = rootOf(document.Get());
  EXPECT_EQ(textOf(childOf(root.Get(), 0).Get()), "padded");
  EXPECT_EQ(textOf(childOf(root.Get(), 1).Get()), " c ");
  EXPECT_EQ(textOf(childOf(root.Get(), 2).Get()), " note ");
  EXPECT_EQ(textOf(childOf(root.Get(), 3).Get()), "data ");
  EXPECT_EQ(textOf(document.Get()), "padded\t c ");
}

}  // namespace

const std::vector<TextRow>& textRows() {
  static const std::vector<TextRow> rows = {
      {"Single", "<v>px_A</v>", "px_A"},
      {"NestedOnOneLine", "<r><a>x</a><b>y</b><c><d>z</d></c></r>", "xyz"},
      {"NestedIndented", "<r>\n  <a>x</a>\n  <b>y</b>\n  <c>\n    <d>z</d>\n  </c>\n</r>", "x y z"},
      {"IndentedSection", "<S>\n\t<v>px_A</v>\n\t<w>B</w>\n</S>", "px_A B"},
      {"BlanksInsidePiecesStay", "<r><a>x </a><b> y</b></r>", "x  y"},
      {"MixedContent", "<r>t1<a>x</a>t2</r>", "t1xt2"},
      {"MixedContentWithBlanks", "<r> t1 <a> x </a> t2 </r>", "t1  x  t2"},
      {"StrippedAtBothEnds", "<a>  5 </a>", "5"},
      {"StrippedLineBreaksAndTabs", "<b>\n\t5\n</b>", "5"},
      {"InnerSpacesStay", "<b>1 0 1</b>", "1 0 1"},
      {"InnerTabStays", "<b>a\tb</b>", "a\tb"},
      {"CommentGivesNothing", "<r>a<!-- c -->b</r>", "ab"},
      {"CdataNotStripped", "<r><![CDATA[ c d ]]></r>", " c d "},
      {"EmptyElement", "<a/>", ""},
      {"AttributesNeverCount", "<c x=\"1\"/>", ""},
      {"WhitespaceOnlyLeaf", "<a>   </a>", ""},
      {"OneSpaceAcrossEmptyElements", "<r><a>x</a>\n\n   <e/>   \n<f></f> <b>y</b></r>", "x y"},
      {"CdataBetweenLineBreaks", "<r>\n  <![CDATA[ c ]]>\n</r>", " c "},
      {"CdataEndNotStripped", "<r> x <![CDATA[ y ]]></r>", "x  y "},
      {"InstructionGivesNothing", "<r><?pi data?>a<!--c-->\n  <b>b</b></r>", "a b"},
      {"ReferencesExpanded", "<r>a &amp; &lt;b&gt; &#65;&#x42;</r>", "a & <b> AB"},
      {"LineEndsNormalised", "<r>a\r\nb\rc</r>", "a\nb\nc"},
      {"DeclaredPrefixes",
       "<p:a xmlns:p=\"u\"><p:b p:c=\"1\" xml:lang=\"en\"><d xmlns:q=\"v\" q:e=\"2\">t</d></p:b></p:a>", "t"},
  };
  return rows;
}

}  // namespace l3xml_test
