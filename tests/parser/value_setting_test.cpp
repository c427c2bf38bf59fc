// Writing values into working copies of templates: by placeholder, by name and by dotted path.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "faulty_dom.h"
#include "library_test.h"
#include "pixit/pixit_maps.h"
#include "platform/file_system.h"
#include "state/module_state.h"

namespace l3xml_test {
namespace {

const char* const kTemplate =
    "<M>\n"
    "  <rate>px_Rate</rate>\n"
    "  <list><v>px_Item</v><v>2</v><v>px_Item</v></list>\n"
    "  <choice><first/></choice>\n"
    "  <empty/>\n"
    "</M>\n";

class ValueSettingTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    found = place("RRCMessage/PrimaryCell/M.xml", kTemplate);
    working = nativePath(system + "/temp/PrimaryCell/M.xml");
  }
  void TearDown() override {
    EXPECT_EQ(readFile(found), kTemplate) << "the template that the lookup finds must never change";
    FrameworkTest::TearDown();
  }
  bool set(const std::string& selector, const std::string& value) {
    std::string file = "M.xml";
    return CXMLParser().SetVal(file, const_cast<char*>(selector.c_str()), const_cast<char*>(value.c_str()));
  }
  bool setAt(const std::string& selector, const std::string& value, long matchIndex) {
    std::string file = "M.xml";
    return CXMLParser().SetVal(file, const_cast<char*>(selector.c_str()), const_cast<char*>(value.c_str()), matchIndex);
  }
  std::vector<std::string> values(const std::string& name) {
    return CXMLParser().GetVals("M.xml", const_cast<char*>(name.c_str()));
  }

  std::string found;
  std::string working;
};

TEST_F(ValueSettingTest, FirstCallMakesTheWorkingCopyAndLaterCallsAccumulate) {
  ASSERT_TRUE(set("rate", "64"));
  EXPECT_EQ(comparableSave(readFile(working)),
            comparableSave("<M>\n\t<rate>64</rate>\n\t<list><v>px_Item</v><v>2</v><v>px_Item</v></list>\n"
                           "\t<choice><first/></choice>\n\t<empty/>\n</M>\n"));
  ASSERT_TRUE(set("empty", "on"));
  EXPECT_EQ(values("rate"), std::vector<std::string>{"64"});  // the working copy is found first now
  EXPECT_EQ(values("empty"), std::vector<std::string>{"on"});
}

TEST_F(ValueSettingTest, WorkingCopyFolderFollowsTheCellOfTheFoundFile) {
  place("RRCMessage/SecondaryCell/S.xml", "<S><a/></S>");
  place("NASMessage/N.xml", "<N><a/></N>");
  std::string secondary = "S.xml";
  std::string nas = "N.xml";
  setLowCellName_WCDMA("SecondaryCell");
  EXPECT_TRUE(CXMLParser().SetVal(secondary, const_cast<char*>("a"), const_cast<char*>("1")));
  EXPECT_TRUE(CXMLParser().SetVal(nas, const_cast<char*>("a"), const_cast<char*>("2")));
  EXPECT_EQ(comparableSave(readFile(system + "/temp/SecondaryCell/S.xml")), comparableSave("<S><a>1</a></S>\n"));
  EXPECT_EQ(comparableSave(readFile(system + "/temp/N.xml")), comparableSave("<N><a>2</a></N>\n"));
}

TEST_F(ValueSettingTest, PlaceholderSelectsEveryNodeStillHoldingIt) {
  ASSERT_TRUE(set("px_Item", "5"));
  EXPECT_EQ(values("v"), (std::vector<std::string>{"5", "2", "5"}));
  EXPECT_EQ(l3xml::state::module().nodeNamePixitParameterMap, (std::map<std::string, std::string>{{"v", "px_Item"}}));
  ASSERT_TRUE(set("rate", "px_Other"));  // rate held px_Rate when it was selected
  ASSERT_TRUE(set("px_Other", "1"));
  EXPECT_EQ(l3xml::state::module().nodeNamePixitParameterMap.at("rate"), "px_Rate");  // the first entry stays
  const std::string before = readFile(working);
  ASSERT_TRUE(set("px_Unknown", "5"));  // held by no node: nothing changes, no error
  EXPECT_EQ(readFile(working), before);
  EXPECT_EQ(messagesAt(kError), std::vector<std::string>{});
}

TEST_F(ValueSettingTest, ElementContentIsReplacedByAnElementNamedByTheValue) {
  ASSERT_TRUE(set("choice", "second"));
  EXPECT_EQ(values("choice"), std::vector<std::string>{"second"});
  const std::string before = readFile(working);
  EXPECT_FALSE(set("choice", "not a name"));
  EXPECT_EQ(messagesAt(kError).back(), "SetVal :: Failed to Load XML File <Vortaxis><not a name/></Vortaxis>");
  EXPECT_EQ(readFile(working), before);
}

TEST_F(ValueSettingTest, FourArgumentFormChangesOneTextAndTrimsTheFile) {
  ASSERT_TRUE(setAt("v", "9", 1));
  EXPECT_EQ(values("v"), (std::vector<std::string>{"px_Item", "9", "px_Item"}));
  EXPECT_EQ(l3xml::state::module().nodeNamePixitParameterMap.count("v"), 1u);
  EXPECT_EQ(readFile(working).back(), '>');
  ASSERT_TRUE(setAt("v", "8", 5));
  EXPECT_EQ(values("v"), (std::vector<std::string>{"px_Item", "9", "px_Item"}));
  ASSERT_TRUE(setAt("choice", "other", 7));  // element content is replaced at every position
  EXPECT_EQ(values("choice"), std::vector<std::string>{"other"});
  ASSERT_TRUE(setAt("none", "1", 0));
  EXPECT_FALSE(setAt("px_a'b", "1", 0));
  EXPECT_EQ(readFile(working).back(), '>');
}

TEST_F(ValueSettingTest, FailuresAndTheirMessages) {
  std::string absent = "Absent.xml";
  EXPECT_FALSE(CXMLParser().SetVal(absent, const_cast<char*>("a"), const_cast<char*>("1")));
  EXPECT_EQ(messagesAt(kError).back(),
            "ERROR IN CXMLParser::SetVal, returning false from getFrameworkCompleteFilePath_WCDMA");

  EXPECT_FALSE(set("px_it's", "1"));
  EXPECT_EQ(messagesAt(kError).back(),
            "SetVal:Failed to get Node. May be an issue with the node name. FILE::" + working + " ATTRIBUTE:: px_it's");

  place("RRCMessage/PrimaryCell/Bad.xml", "<M><a></M>");
  std::string bad = "Bad.xml";
  EXPECT_FALSE(CXMLParser().SetVal(bad, const_cast<char*>("a"), const_cast<char*>("1")));
  EXPECT_EQ(messagesAt(kError).back(),
            "SetVal:Failed to Load XML File " + nativePath(system + "/temp/PrimaryCell/Bad.xml"));
}

TEST_F(ValueSettingTest, WorkingCopyThatCannotBeMadeIsReported) {
  l3xml::platform::fileOperations().copy = [](const char*, const char*) { return false; };
  EXPECT_FALSE(set("rate", "1"));
  EXPECT_EQ(messagesAt(kError).back(),
            "SetVal:Failed to write to the xml file. May be file is in ReadOnly mode. FILE::" + working);
}

struct DocumentFault {
  const char* operation;
  int occurrence;
  const char* message;
};

class ValueSettingFaultTest : public ValueSettingTest, public ::testing::WithParamInterface<DocumentFault> {};

TEST_P(ValueSettingFaultTest, NothingIsSaved) {
  ASSERT_TRUE(set("rate", "1"));
  const std::string before = readFile(working);
  useFaultyDocuments();
  faultPlan().fail(GetParam().operation, GetParam().occurrence);
  EXPECT_FALSE(set("px_Item", "7"));
  EXPECT_EQ(messagesAt(kError).back().rfind(GetParam().message, 0), 0u) << messagesAt(kError).back();
  EXPECT_EQ(readFile(working), before);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ValueSettingFaultTest,
    ::testing::Values(DocumentFault{"create", 1, "SetVal:Failed to Get/Create Dom of  XML File"},
                      DocumentFault{"list.get_item", 3, "Node (M.xml px_Item) Does not Exist in  the XML "},
                      DocumentFault{"selectNodes", 1,
                                    "SetVal:Failed to get Node. May be an issue with the node name. FILE::"}));

class PathSettingTest : public ValueSettingTest {};

TEST_F(PathSettingTest, WalksFromTheRootLeniently) {
  ASSERT_TRUE(set("M.list.[2]", "20"));
  ASSERT_TRUE(set("M.missing.choice.first", "x"));
  EXPECT_TRUE(logged(kError, "completeSourcePathSetval ::String is not Present in the XML : missing"));
  ASSERT_TRUE(set("M.empty", "text"));  // a node without children gets the value as its text
  ASSERT_TRUE(set("M.rate", "3"));
  EXPECT_EQ(values("v"), (std::vector<std::string>{"px_Item", "20", "px_Item"}));
  EXPECT_EQ(values("first"), std::vector<std::string>{"x"});
  EXPECT_EQ(values("empty"), std::vector<std::string>{"text"});
  EXPECT_EQ(l3xml::state::module().nodeNamePixitParameterMap.at("rate"), "px_Rate");
  ASSERT_TRUE(set("M.choice", "picked"));
  EXPECT_EQ(values("choice"), std::vector<std::string>{"picked"});
}

struct PathFailure {
  const char* selector;
  std::vector<std::string> errors;
};

class PathFailureTest : public PathSettingTest, public ::testing::WithParamInterface<PathFailure> {};

TEST_P(PathFailureTest, NothingIsSet) {
  ASSERT_TRUE(set("rate", "1"));
  const std::string before = readFile(working);
  clearLogs();
  EXPECT_FALSE(set(GetParam().selector, "5"));
  std::vector<std::string> expected = GetParam().errors;
  expected.push_back("completeSourcePathSetval : Failed to set the value");
  EXPECT_EQ(messagesAt(kError), expected);
  EXPECT_EQ(readFile(working), before);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathFailureTest,
    ::testing::Values(PathFailure{"M.list.[5]", {"The node no 5 is not present in the xml"}},
                      PathFailure{"M.list.[0]", {"The node no 0 is not present in the xml"}},
                      PathFailure{"M.empty.x", {"The node no x is not present in the xml"}},
                      PathFailure{"m.rate", {"completeSourcePathSetval :elementOfVector.compare Failed"}},
                      PathFailure{"M..rate.x",
                                  {"completeSourcePathSetval ::String is not Present in the XML : ",
                                   "completeSourcePathSetval ::String is not Present in the XML : x"}},
                      PathFailure{"M.choice.bad name",
                                  {"completeSourcePathSetval ::String is not Present in the XML : bad name"}},
                      PathFailure{"M.choice",
                                  {"ReportError:Failed to load DOM from given xml",
                                   "completeSourcePathSetval:Failed to Load XML File "}}));

TEST_F(PathSettingTest, PrefixedRootIsMatchedByItsLocalName) {
  place("RRCMessage/PrimaryCell/P.xml", "<p:R xmlns:p='urn:x'><p:a>1</p:a></p:R>");
  std::string file = "P.xml";
  EXPECT_TRUE(CXMLParser().SetVal(file, const_cast<char*>("R.a"), const_cast<char*>("2")));
  EXPECT_EQ(comparableSave(readFile(system + "/temp/PrimaryCell/P.xml")),
            comparableSave("<p:R xmlns:p=\"urn:x\"><p:a>2</p:a></p:R>\n"));
}

}  // namespace
}  // namespace l3xml_test
