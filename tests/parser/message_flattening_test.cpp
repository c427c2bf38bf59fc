// Flattening message templates into their one-line value strings.
#include <gtest/gtest.h>

#include <algorithm>

#include <l3xml/l3xml.h>

#include "faulty_dom.h"
#include "library_test.h"
#include "parser/message_flattening.h"
#include "private_members.h"
#include "state/module_state.h"

namespace l3xml_test {
namespace {

class FlatteningTest : public FrameworkTest {
 protected:
  std::string flatten(const std::string& xml) {
    place("RRCMessage/PrimaryCell/T.xml", xml);
    CXMLParser parser;
    return parser.ParseXML("T.xml");
  }
  void registerParameters() { CXMLParser().updateParparameterList(&parameters); }

  std::map<std::string, ParamStructure> parameters;
};

TEST_F(FlatteningTest, WorkedExample) {
  EXPECT_EQ(flatten("<RootMsg><a>5</a><c1><b>1 0 1</b></c1><opt1/>"
                    "<SEQUENCE><v>1</v></SEQUENCE><SEQUENCE><v>2</v></SEQUENCE></RootMsg>"),
            "RootMsg 5 ( 101 ) [ ] { 1 ,2 } ");
  EXPECT_EQ(l3xml::state::module().openSequenceBraces, 0);
  EXPECT_TRUE(messagesAt(kError).empty());
}

struct Shape {
  const char* name;
  const char* xml;
  const char* flat;
};

class FlatteningShapeTest : public FlatteningTest, public ::testing::WithParamInterface<Shape> {};

TEST_P(FlatteningShapeTest, Flattens) {
  EXPECT_EQ(flatten(GetParam().xml), GetParam().flat);
  EXPECT_EQ(l3xml::state::module().openSequenceBraces, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FlatteningShapeTest,
    ::testing::Values(
        Shape{"RootWithoutChildren", "<Msg/>", "Msg "},
        Shape{"IndentedTemplate", "<Msg>\n  <a>\n    <b>7</b>\n  </a>\n  <c>8</c>\n</Msg>\n", "Msg 7 8 "},
        Shape{"ChoiceWithChildren", "<M><c2><x>1</x><y>2</y></c2></M>", "M ( 1 2 ) "},
        Shape{"OptionalWithChildren", "<M><optX><x>1</x></optX></M>", "M [ 1 ] "},
        Shape{"OptionalWithoutChildren", "<M><optX/><z>1</z></M>", "M [ ] 1 "},
        Shape{"SingleSequence", "<M><SEQUENCE><v>1</v></SEQUENCE><z>9</z></M>", "M { 1 } 9 "},
        Shape{"TwoSequences", "<M><SEQUENCE><v>1</v></SEQUENCE><SEQUENCE_2><v>2</v></SEQUENCE_2></M>", "M { 1 ,2 } "},
        Shape{"ThreeSequences",
              "<M><SEQUENCE><v>1</v></SEQUENCE><SEQUENCE><v>2</v></SEQUENCE><SEQUENCE><v>3</v></SEQUENCE></M>",
              "M { 1 ,2 ,3 } "},
        Shape{"SequenceRunsSeparatedByAnElement",
              "<M><SEQUENCE><v>1</v></SEQUENCE><x>0</x><SEQUENCE><v>2</v></SEQUENCE></M>", "M { 1 } 0 { 2 } "},
        Shape{"NestedSequenceRuns",
              "<M><SEQUENCE><SEQUENCE><v>1</v></SEQUENCE><SEQUENCE><v>2</v></SEQUENCE></SEQUENCE>"
              "<SEQUENCE><SEQUENCE><v>3</v></SEQUENCE></SEQUENCE></M>",
              "M { { 1 ,2 } ,{ 3 } } "},
        Shape{"SpacesRemovedTabsKept", "<M><b>1 0 1 1</b><t>a\tb</t><s>   </s><e></e></M>", "M 1011 a\tb "},
        Shape{"MixedContent", "<M><t>x <i/> y</t></M>", "M x y "},
        Shape{"CdataOfBlanksAppendsOneBlank", "<M><d><![CDATA[   ]]></d></M>", "M  "},
        Shape{"ChoiceNeedsADigit", "<M><c><x>1</x></c><cA><x>2</x></cA><c9>3</c9></M>", "M 1 2 ( 3 ) "},
        Shape{"KindsJudgedByPrefixAsWritten",
              "<M xmlns:opt='u' xmlns:c1='v'><opt:x><v>1</v></opt:x><c1:y><v>2</v></c1:y></M>", "M [ 1 ] ( 2 ) "},
        Shape{"PrefixedRootGivesLocalName", "<p:Msg xmlns:p='u'><a>1</a></p:Msg>", "Msg 1 "},
        Shape{"ChildlessChoiceClosesAtNextSiblingWithChildren", "<R><c1/><x><y>7</y></x></R>", "R ( 7 ) "},
        Shape{"LeftOverEntryMovesOuterCloseOut", "<R><opt1><c1/></opt1><z>3</z></R>", "R [ ( ) 3 ] "},
        Shape{"OptionalHoldingBareText", "<R><opt1>abc</opt1><z>1</z></R>", "R [ ] abc 1 "},
        Shape{"LeftOverSequenceAtTopLevel", "<R><SEQUENCE/></R>", "R { } "}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.name); });

TEST_F(FlatteningTest, PixitReferencesAreResolvedAndTheirChildrenSkipped) {
  parameters["px_Rate"].value = "12";
  parameters["px_Mode"].value = "on";
  registerParameters();
  // The choice whose text is a reference keeps its entry open until the next level closes.
  EXPECT_EQ(flatten("<M><a>px_Rate</a><c1>px_Mode</c1><b>x</b></M>"), "M 12 ( on x ) ");
}

TEST_F(FlatteningTest, ReferenceWithASpaceIsOrdinaryText) { EXPECT_EQ(flatten("<M><b>px_a b</b></M>"), "M px_ab "); }

TEST_F(FlatteningTest, UnresolvedReferenceAppendsTheLastValueOfItsLevel) {
  parameters["px_Known"].value = "5";
  registerParameters();
  EXPECT_EQ(flatten("<M><a>px_Missing</a><b>px_Known</b><c>px_Missing</c></M>"), "M  5 5 ");
  EXPECT_TRUE(logged(kError, "The Required parameter is not present in the Pixit List : px_Missing"));
}

TEST_F(FlatteningTest, FailuresEmptyTheResult) {
  EXPECT_EQ(CXMLParser().ParseXML("Absent.xml"), "");
  EXPECT_TRUE(logged(kError, "CXMLParser::ParseXML: ERROR GETTING path name from getFrameworkCompleteFilePath_WCDMA"));
  EXPECT_EQ(flatten("<M><a>1</b></M>"), "");
  EXPECT_EQ(messagesAt(kError).back(), "CXMLParser::ParseXML: CheckLoad Failed");
  EXPECT_TRUE(logged(kError, "ReportError:Failed to load DOM from given xml"));
}

struct StepFailure {
  const char* operation;
  int occurrence;
  const char* message;
};

class FlatteningStepFailureTest : public FlatteningTest, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(FlatteningStepFailureTest, LogsItsMessageAndEmptiesTheResult) {
  useFaultyDocuments();
  faultPlan().fail(GetParam().operation, GetParam().occurrence);
  const std::string path = place("RRCMessage/PrimaryCell/T.xml", "<M><SEQUENCE><v>1</v></SEQUENCE><x/></M>");
  CXMLParser parser;
  EXPECT_EQ(parser.ParseXML("T.xml"), "");
  EXPECT_EQ(messagesAt(kError).back(),
            std::string(GetParam().message) + (std::string(GetParam().operation) == "load" ? path : ""));
  char(&finalString)[4096] = member<FinalString>(parser);
  EXPECT_EQ(std::count(finalString, finalString + 4096, '\0'), 4096);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FlatteningStepFailureTest,
    ::testing::Values(StepFailure{"create", 1, "CXMLParser::ParseXML: Failed to Get/Create Dom"},
                      StepFailure{"load", 1, "CXMLParser::ParseXML: Failed to Load XML File"},
                      StepFailure{"get_documentElement", 1, "CXMLParser::ParseXML: get_documentElement Failed"},
                      StepFailure{"get_baseName", 1, "CXMLParser::ParseXML: get_baseName Failed"},
                      StepFailure{"get_childNodes", 1, "CXMLParser::ParseXML: get_childNodes Failed"},
                      StepFailure{"list.get_length", 1, "CXMLParser::ParseXML: get_length Failed"},
                      StepFailure{"list.get_item", 1, "findValueAndAppendfinalString: Failed"},
                      StepFailure{"list.get_item", 5, "findValueAndAppendfinalString: Failed"}));

TEST_F(FlatteningTest, BraceCounterCarriesOverAFailedFlattening) {
  useFaultyDocuments();
  // The walk fails at the sibling test that would close the run, with the brace still open.
  faultPlan().fail("list.get_item", 4);
  EXPECT_EQ(flatten("<M><SEQUENCE><v>1</v></SEQUENCE><x>2</x></M>"), "");
  EXPECT_TRUE(logged(kError, "findValueAndAppendfinalString :Try to access illegal memory location "));
  EXPECT_EQ(l3xml::state::module().openSequenceBraces, 1);
  faultPlan().clear();
  EXPECT_EQ(flatten("<M><SEQUENCE><v>1</v></SEQUENCE><x>2</x></M>"), "M 1 } 2 ");
  EXPECT_EQ(l3xml::state::module().openSequenceBraces, 0);
}

TEST_F(FlatteningTest, OutputIsCutAtTheBufferLimit) {
  std::string xml = "<M>";
  for (int i = 0; i < 500; ++i) xml += "<v>123456789</v>";
  xml += "</M>";
  const std::string flat = flatten(xml);
  ASSERT_EQ(flat.size(), 4095u);
  EXPECT_EQ(flat.substr(0, 22), "M 123456789 123456789 ");
  EXPECT_TRUE(
      logged(kError, "findValueAndAppendfinalString: the flattened text is longer than 4095 characters and was cut"));
}

// As deep as the walk accepts, with a value whose first characters decide at the bottom of every
// level; one level more is refused.
TEST_F(FlatteningTest, DeepTemplatesAreWalkedWithoutNativeRecursion) {
  const std::size_t levels = underEmulatedService() ? 250 : l3xml::parser::kMaxNestingDepth;
  std::string deep;
  for (std::size_t i = 0; i < levels; ++i) deep += "<e>\n";
  deep += "1 0 1";
  for (std::size_t i = 0; i < levels; ++i) deep += "</e>\n";
  EXPECT_EQ(flatten("<M>" + deep + "</M>"), "M 101 ");
}

TEST_F(FlatteningTest, AbsurdNestingIsRefusedWithoutCrashing) {
  if (underEmulatedService()) {
    GTEST_SKIP() << "the emulated service loads no document nested deeper than 257 levels";
  }
  std::string deep;
  for (std::size_t i = 0; i <= l3xml::parser::kMaxNestingDepth; ++i) deep += "<e>";
  deep += "7";
  for (std::size_t i = 0; i <= l3xml::parser::kMaxNestingDepth; ++i) deep += "</e>";
  EXPECT_EQ(flatten("<M>" + deep + "</M>"), "");
  EXPECT_TRUE(logged(kError, "findValueAndAppendfinalString: the template is nested deeper than " +
                                 std::to_string(l3xml::parser::kMaxNestingDepth) + " levels"));
  EXPECT_EQ(messagesAt(kError).back(), "findValueAndAppendfinalString: Failed");
}

}  // namespace
}  // namespace l3xml_test
