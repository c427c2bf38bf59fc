// The text of nodes: whitespace between pieces, stripping, CDATA, comments and instructions.
#include "dom_conformance.h"

namespace l3xml_test {
namespace {

using l3xml::dom::kOk;

TEST_P(XmlDomTextTest, RootTextFollowsTheServiceRules) {
  EXPECT_EQ(textOf(rootOf(parse(row().xml).Get()).Get()), row().text);
}

// Asked of every node in document order, as the flattening asks, the text question gets the
// answer that the whole text gives.
TEST_P(XmlDomTextTest, TextQuestionsAgreeWithTheText) {
  ComPtr<IXMLDOMDocument> document = parse(row().xml);
  for (const std::size_t limit : {std::string::npos, std::size_t{1}, std::size_t{3}}) {
    for (const char* prefix : {"px_", "x", ""}) {
      std::vector<ComPtr<IXMLDOMNode>> pending{rootOf(document.Get())};
      while (!pending.empty()) {
        const ComPtr<IXMLDOMNode> node = pending.back();
        pending.pop_back();
        for (long i = lengthOf(childrenOf(node.Get()).Get()); i > 0; --i) pending.push_back(childOf(node.Get(), i - 1));
        const std::string cut = textOf(node.Get()).substr(0, limit);
        const bool expected = cut.rfind(prefix, 0) == 0 && cut.find(' ') == std::string::npos;
        std::string text;
        bool matched = !expected;
        EXPECT_EQ(node->matchText(prefix, ' ', limit, text, matched), kOk);
        EXPECT_EQ(matched, expected) << nameOf(node.Get()) << " limit " << limit << " prefix " << prefix;
        if (expected) {
          EXPECT_EQ(text, cut);
        }
      }
    }
  }
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
