// Writing every PIXIT parameter that a message file is indexed under into the file.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "library_test.h"

namespace l3xml_test {
namespace {

class MultimapApplicationTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    place("RRCMessage/PrimaryCell/M.xml", "<M><a>px_A</a><b>px_B</b><c>px_C</c></M>");
    list["px_A"] = parameter("1", "RRCMessage\\PrimaryCell\\M.xml");
    list["px_B"] = parameter("2", "X\\M.xml,Y\\M.xml");
    list["px_C"] = parameter("3", "Other.xml");
    parser.updateParparameterList(&list);
  }
  static ParamStructure parameter(const std::string& value, const std::string& comment) {
    ParamStructure record;
    record.value = value;
    record.comment = comment;
    return record;
  }
  std::string value(const char* node) { return CXMLParser().GetVals("M.xml", const_cast<char*>(node)).at(0); }

  std::map<std::string, ParamStructure> list;
  CXMLParser parser;
};

TEST_F(MultimapApplicationTest, WritesEveryIndexedParameterInOrder) {
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("M.xml"), 0);
  EXPECT_EQ(value("a"), "1");
  EXPECT_EQ(value("b"), "2");
  EXPECT_NE(readFile(system + "/temp/PrimaryCell/M.xml").find("<c>px_C</c>"), std::string::npos);
}

TEST_F(MultimapApplicationTest, FileNamesMatchExactly) {
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("m.xml"), -1000);
}

TEST_F(MultimapApplicationTest, ValuesAreReadAtTheTimeOfTheCall) {
  updateMapParser_WCDMA("px_A", "99");
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("M.xml"), 0);
  EXPECT_EQ(value("a"), "99");
}

TEST_F(MultimapApplicationTest, ParameterThatLeftTheListIsSkipped) {
  list.erase("px_A");
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("M.xml"), 0);
  EXPECT_TRUE(logged(kError, "The Required parameter is not present in the Pixit List : px_A"));
  EXPECT_EQ(value("a"), "px_A");
  EXPECT_EQ(value("b"), "2");
}

TEST_F(MultimapApplicationTest, FailingWritesDoNotStopTheOthers) {
  list["px_Bad"] = parameter("1", "Missing.xml");
  list["px_Bad2"] = parameter("2", "Missing.xml");
  parser.updateParparameterList(&list);
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("Missing.xml"), 0);
  EXPECT_EQ(messagesAt(kError),
            std::vector<std::string>(
                2, "ERROR IN CXMLParser::SetVal, returning false from getFrameworkCompleteFilePath_WCDMA"));
}

}  // namespace
}  // namespace l3xml_test
