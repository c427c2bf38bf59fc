// Reading values by element name or dotted path, and the document type query.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "library_test.h"

namespace l3xml_test {
namespace {

using Values = std::vector<std::string>;

class ValueRetrievalTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    place("RRCMessage/PrimaryCell/M.xml",
          "<Root>\n"
          "  <a>\n    <b>7</b>\n    <c>px_Rate</c>\n    <d><e>1</e></d>\n  </a>\n"
          "  <f>x</f><f>px_with space</f><f><choice/></f>\n"
          "  <g><h>1</h></g><g>2</g>\n"
          "  <empty/>\n"
          "</Root>\n");
    parameters["px_Rate"].value = "64";
    parameters["px_with space"].value = "resolved";
    CXMLParser().updateParparameterList(&parameters);
    clearLogs();
  }
  Values get(const std::string& path) { return CXMLParser().GetVals("M.xml", const_cast<char*>(path.c_str())); }

  std::map<std::string, ParamStructure> parameters;
};

struct Lookup {
  const char* path;
  Values values;
};

class ValueLookupTest : public ValueRetrievalTest, public ::testing::WithParamInterface<Lookup> {};

TEST_P(ValueLookupTest, Reads) { EXPECT_EQ(get(GetParam().path), GetParam().values); }

INSTANTIATE_TEST_SUITE_P(
    Paths, ValueLookupTest,
    ::testing::Values(Lookup{"Root.a.b", {"7"}}, Lookup{"Root.a.c", {"64"}}, Lookup{"Root.a.[1]", {"7"}},
                      Lookup{"Root.a.[3]", {"1"}}, Lookup{"Root.x.a.b", {"7"}}, Lookup{"Root.a.[9]", {"9"}},
                      Lookup{"Root.a.[0]", {"0"}}, Lookup{"Root.a.zz", {"zz"}}, Lookup{"Other.a.b", {"Other"}},
                      Lookup{"root.a.b", {"root"}}, Lookup{"Root.a.d", {"1"}}, Lookup{"Root.g.h", {"1"}},
                      Lookup{"Root.a.", {""}}, Lookup{"Root.", {""}},
                      // single names: every element of the name, simple values only
                      Lookup{"b", {"7"}}, Lookup{"f", {"x", "resolved", "choice"}}, Lookup{"nothing", {}},
                      Lookup{"g",
                             {
                                 "",
                             }},
                      Lookup{"a", {""}}, Lookup{"empty", {""}}, Lookup{"c", {"64"}}, Lookup{"a b", {""}},
                      Lookup{"", {""}}),
    [](const ::testing::TestParamInfo<Lookup>& info) { return "Case" + std::to_string(info.index); });

TEST_F(ValueRetrievalTest, FailuresAndTheirResults) {
  EXPECT_EQ(CXMLParser().GetVals("Absent.xml", const_cast<char*>("b")), Values{});
  EXPECT_EQ(
      logs().back(),
      (LogRecord{kError,
                 "CXMLParser::GetVals ERROR returning from getFrameworkCompleteFilePath_WCDMA - returning garbage"}));
  place("RRCMessage/PrimaryCell/Bad.xml", "<Root><a></Root>");
  EXPECT_EQ(CXMLParser().GetVals("Bad.xml", const_cast<char*>("Root.a")), Values{});
  EXPECT_EQ(logs().back(), (LogRecord{kError, "CXMLParser::GetVals: CheckLoad Failed"}));
  EXPECT_EQ(get("a b"), Values{""});
  EXPECT_EQ(logs().back(), (LogRecord{kError, "CXMLParser::GetVals:Failed to get Node value "}));
  EXPECT_EQ(CXMLParser().GetVals("M.xml", nullptr), Values{""});
}

class TypeQueryTest : public FrameworkTest {};

TEST_F(TypeQueryTest, RootLocalNameWithoutCheckingTheParse) {
  place("RRCMessage/PrimaryCell/A.xml", "<p:RRCConnectionSetup xmlns:p='urn:x'><a/></p:RRCConnectionSetup>");
  place("NASMessage/B.xml", "<Attach/>");
  place("RRCMessage/PrimaryCell/Bad.xml", "<Root><a></Root>");
  CXMLParser parser;
  EXPECT_EQ(parser.getXmlType("A.xml"), "RRCConnectionSetup");
  EXPECT_EQ(parser.getXmlType("B.xml"), "Attach");
  EXPECT_TRUE(logs().empty());
  EXPECT_EQ(parser.getXmlType("Bad.xml"), "");
  EXPECT_EQ(logs(), (std::vector<LogRecord>{{kError, "CXMLParser::getXmlType: get_documentElement Failed"}}));
  EXPECT_EQ(parser.getXmlType("None.xml"), "");
  EXPECT_EQ(
      logs().back(),
      (LogRecord{kError, "Parse :: getXmlType: ERROR GETTING path name from getFrameworkCompleteFilePath_WCDMA"}));
  place("RRCMessage/PrimaryCell/Empty.xml", "");
  EXPECT_EQ(parser.getXmlType("Empty.xml"), "");
}

}  // namespace
}  // namespace l3xml_test
