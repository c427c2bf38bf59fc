// The module-wide PIXIT maps: the node-name map, the value lookups and the file index.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "library_test.h"
#include "pixit/pixit_maps.h"
#include "private_members.h"
#include "state/module_state.h"

namespace l3xml_test {
namespace {

class PixitMapsTest : public LibraryTest {
 protected:
  ParamStructure parameter(const std::string& value, const std::string& comment = "") {
    ParamStructure record;
    record.value = value;
    record.comment = comment;
    return record;
  }
  long lookUp(const std::string& name, std::string& value) { return call<GetPixitValueForParser>(parser, name, value); }

  CXMLParser parser;
  std::map<std::string, ParamStructure> list;
};

TEST_F(PixitMapsTest, LookupsBeforeRegistrationAnswerAsForAMissingParameter) {
  std::string value = "kept";
  EXPECT_EQ(lookUp("px_A", value), -1000);
  EXPECT_EQ(value, "kept");
  EXPECT_EQ(updateMapParser_WCDMA("px_A", "1"), 0);
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("M.xml"), -1000);
  EXPECT_EQ(messagesAt(kError),
            std::vector<std::string>{"The Required parameter is not present in the Pixit List : px_A"});
}

TEST_F(PixitMapsTest, ValueLookupAndUpdateWorkOnTheHostsList) {
  list["px_A"] = parameter("");
  parser.updateParparameterList(&list);
  std::string value = "x";
  EXPECT_EQ(lookUp("px_A", value), 0);
  EXPECT_EQ(value, "");

  EXPECT_EQ(updateMapParser_WCDMA("px_A", "7"), 0);
  EXPECT_EQ(list["px_A"].value, "7");
  EXPECT_EQ(lookUp("px_A", value), 0);
  EXPECT_EQ(value, "7");

  clearLogs();
  EXPECT_EQ(updateMapParser_WCDMA("", "9"), 0);
  EXPECT_EQ(updateMapParser_WCDMA("px_B", ""), 0);
  EXPECT_TRUE(logs().empty());
  EXPECT_EQ(updateMapParser_WCDMA("", ""), 0);
  EXPECT_EQ(logs(), (std::vector<LogRecord>{{kError, "updateMapParser::Entered parameter is not present in map : "}}));
}

TEST_F(PixitMapsTest, NodeNameMapKeepsTheFirstParameterOfANode) {
  l3xml::pixit::recordNodeParameter(l3xml::state::module(), "rate", "px_First");
  l3xml::pixit::recordNodeParameter(l3xml::state::module(), "rate", "px_Second");
  EXPECT_EQ(parser.isNodeNamepresentInMap("rate"), "px_First");
  EXPECT_EQ(parser.isNodeNamepresentInMap("Rate"), "");
}

TEST_F(PixitMapsTest, RegistrationReplacesTheListAndEmptiesBothMaps) {
  list["px_A"] = parameter("1", "RRCMessage\\PrimaryCell\\Setup.xml");
  list["Other"] = parameter("2", "Setup.xml");
  parser.updateParparameterList(&list);
  l3xml::pixit::recordNodeParameter(l3xml::state::module(), "n", "px_A");
  EXPECT_EQ(l3xml::state::module().pixitFileMultiMap.size(), 1u);

  std::map<std::string, ParamStructure> second{{"px_B", parameter("3", "Other.xml")}};
  parser.updateParparameterList(&second);
  EXPECT_EQ(l3xml::state::module().parserParamList, &second);
  EXPECT_TRUE(l3xml::state::module().nodeNamePixitParameterMap.empty());
  EXPECT_EQ(l3xml::state::module().pixitFileMultiMap, (std::multimap<std::string, std::string>{{"Other.xml", "px_B"}}));

  parser.updateParparameterList(nullptr);
  EXPECT_EQ(l3xml::state::module().parserParamList, nullptr);
  EXPECT_TRUE(l3xml::state::module().pixitFileMultiMap.empty());
  std::string value;
  EXPECT_EQ(lookUp("px_B", value), -1000);
  EXPECT_TRUE(messagesAt(kError).size() == 1);
}

TEST_F(PixitMapsTest, FilesSharedByParametersAreIndexedInNameOrder) {
  list["px_b"] = parameter("", "A\\Setup.xml,A\\Setup.xml");
  list["px_a"] = parameter("", "Setup.xml");
  list["px_c"] = parameter("", "xmlData\\Other.txt");
  parser.updateParparameterList(&list);
  EXPECT_EQ(l3xml::state::module().pixitFileMultiMap,
            (std::multimap<std::string, std::string>{
                {"Setup.xml", "px_a"}, {"Setup.xml", "px_b"}, {"Setup.xml", "px_b"}, {"xmlData", "px_c"}}));
}

struct Cutting {
  const char* comment;
  std::vector<std::string> keys;
};

class FileListCuttingTest : public PixitMapsTest, public ::testing::WithParamInterface<Cutting> {};

TEST_P(FileListCuttingTest, KeysInOrder) {
  call<CreateMultiMapofPixitFile>(parser, std::string("px_P"), std::string(GetParam().comment));
  std::vector<std::string> keys;
  for (const auto& entry : l3xml::state::module().pixitFileMultiMap) keys.push_back(entry.first);
  std::vector<std::string> expected = GetParam().keys;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(l3xml::pixit::messageFilesOf(GetParam().comment), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, FileListCuttingTest,
    ::testing::Values(Cutting{"RRCMessage\\PrimaryCell\\Setup.xml", {"Setup.xml"}},
                      Cutting{"A\\One.xml,B\\Two.xml", {"One.xml", "Two.xml"}}, Cutting{"Setup.xml", {"Setup.xml"}},
                      Cutting{"", {}}, Cutting{"Folder\\Readme.txt", {}}, Cutting{"Setup.XML", {}},
                      // Shapes that a file list may also take: every name of a message file counts.
                      Cutting{"One.xml,Two.xml", {"One.xml", "Two.xml"}},
                      Cutting{"A\\One.xml,Two.xml", {"One.xml", "Two.xml"}}, Cutting{"\\A\\One.xml", {"One.xml"}},
                      Cutting{",A\\One.xml", {"One.xml"}}));

}  // namespace
}  // namespace l3xml_test
