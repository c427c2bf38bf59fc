// Applying the association file: bindings, carried attributes, conversions and the current cell.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "faulty_dom.h"
#include "library_test.h"
#include "params/association_file.h"
#include "paths/framework_paths.h"
#include "state/module_state.h"

namespace l3xml_test {
namespace {

using Parameters = std::map<std::string, ParamStructure>;

ParamStructure record(const std::string& value, const std::string& basetype = "", const std::string& maxValue = "",
                      std::vector<std::string> names = {}, std::vector<std::string> numbers = {}) {
  ParamStructure r;
  r.value = value;
  r.basetype = basetype;
  r.maxValue = maxValue;
  r.enumValues = std::move(names);
  r.enumNumericValues = std::move(numbers);
  return r;
}

class AssociationFileTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    place("RRCMessage/PrimaryCell/P.xml", "<P><a/><b/><c/><d/></P>");
    place("RRCMessage/SecondaryCell/S.xml", "<S><a/><b/></S>");
    types = {{"Bool", record("", "Boolean")},
             {"Bits", record("", "Binary", "11111111")},
             {"Mode", record("", "Enum", "", {"slow", "fast"}, {"0", "1"})},
             {"Gap", record("", "Enum", "", {"x", "y"}, {"7"})},
             {"Int", record("", "Integer")},
             {"Text", record("", "String")}};
  }
  long run(const std::string& body) {
    place("AssociationFile.xml", "<Association>" + body + "</Association>");
    return AssociationFileParse("AssociationFile.xml", types, pixit);
  }
  std::string value(const char* file, const char* node) {
    return CXMLParser().GetVals(file, const_cast<char*>(node)).at(0);
  }

  Parameters types;
  Parameters pixit;
};

TEST_F(AssociationFileTest, BindingAttributesCarryOverAndEachBindingChoosesItsCell) {
  pixit = {{"px_A", record("5")}, {"px_B", record("6")}};
  EXPECT_EQ(
      run("<E Name='px_A'><B Name='a' Type='Int' AssociationField='P.xml' CellName='PrimaryCell'/><B Name='b'/></E>"
          "<E Name='px_B'><B Name='c'/><B Name='a' AssociationField='S.xml' CellName='SecondaryCell'/></E>"),
      0);
  EXPECT_EQ(l3xml::state::module().settings.cell, "SecondaryCell");
  EXPECT_EQ(value("S.xml", "a"), "6");
  setLowCellName_WCDMA("PrimaryCell");
  EXPECT_EQ(value("P.xml", "a"), "5");
  EXPECT_EQ(value("P.xml", "b"), "5");
  EXPECT_EQ(value("P.xml", "c"), "6");
  EXPECT_EQ(messagesAt(kError), std::vector<std::string>{});
}

struct Conversion {
  const char* type;
  const char* raw;
  const char* written;
};

class AssociationConversionTest : public AssociationFileTest, public ::testing::WithParamInterface<Conversion> {};

TEST_P(AssociationConversionTest, ConvertsTheRawValueByTheBindingType) {
  pixit = {{"px_V", record(GetParam().raw)}};
  ASSERT_EQ(run(std::string("<E Name='px_V'><B Name='a' AssociationField='P.xml' CellName='PrimaryCell' Type='") +
                GetParam().type + "'/></E>"),
            0);
  EXPECT_EQ(value("P.xml", "a"), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Types, AssociationConversionTest,
                         ::testing::Values(Conversion{"Bool", "FALSE", "0"}, Conversion{"Bool", "false", "0"},
                                           Conversion{"Bool", "0", "1"}, Conversion{"Bool", "False", "1"},
                                           Conversion{"Mode", "fast", "1"}, Conversion{"Mode", "medium", "medium"},
                                           Conversion{"Gap", "y", "y"}, Conversion{"Bits", "5", "00000101"},
                                           Conversion{"Bits", " +5x", "00000101"},
                                           Conversion{"Bits", "300", "00101100"}, Conversion{"Bits", "-3", "00000000"},
                                           Conversion{"Bits", "abc", "00000000"},
                                           Conversion{"Bits", "99999999999999999999999", "11111111"},
                                           Conversion{"Int", "42", "42"}, Conversion{"Text", "as is", "as is"},
                                           Conversion{"Unknown", "raw", "raw"}));

TEST_F(AssociationFileTest, EntryAndBindingProblemsAreLoggedAndSkipped) {
  pixit = {{"px_A", record("5")}, {"px_Empty", record("")}};
  EXPECT_EQ(run("<!-- a comment --><E Other='px_A'/><E/><E Name='px_None'><B Name='a'/></E>"
                "<E Name='px_A'><B Name='a' AssociationField='P.xml'/><B Name='zz' CellName='PrimaryCell'/>"
                "<B Name='a' AssociationField='Absent.xml'/></E><E Name='px_Empty'><B Name='b' "
                "AssociationField='P.xml'/></E>"),
            0);
  EXPECT_EQ(messagesAt(kError),
            (std::vector<std::string>{
                "AssociationFileParse :: the pixit parameter: px_None is not present in the pixit parameter File",
                "The Cell name is not present in Association file . Corresponding to the pixit name : px_A and the "
                "naode name : a",
                "ERROR IN CXMLParser::SetVal, returning false from getFrameworkCompleteFilePath_WCDMA",
                " AssociationFileParse :: The SetVal Failed : the file name is: Absent.xml node  name is: a the value "
                "is :5",
                " AssociationFileParse :: Some Attribute is missing. The SetVal Failed : the file name is: P.xml node  "
                "name is: b the value is :"}));
  EXPECT_EQ(value("P.xml", "a"), "5");
}

TEST_F(AssociationFileTest, EntryWithSeveralAttributesStopsTheRun) {
  pixit = {{"px_A", record("5")}};
  EXPECT_EQ(run("<E Name='px_A'><B Name='a' AssociationField='P.xml' CellName='PrimaryCell'/></E>"
                "<E Name='px_A' Extra='1'/><E Name='px_A'><B Name='b'/></E>"),
            1);
  EXPECT_EQ(messagesAt(kError).back(),
            "AssociationFileParse ::  Failed .The no of Attribute are more then one. The Pixit name is: px_A");
  EXPECT_EQ(value("P.xml", "a"), "5");
  EXPECT_EQ(value("P.xml", "b"), "");
}

TEST_F(AssociationFileTest, FileProblemsEndTheRun) {
  EXPECT_EQ(AssociationFileParse("AssociationFile.xml", types, pixit), 1);
  EXPECT_EQ(logs().front(),
            (LogRecord{kError,
                       "Association file is not found . The Path returned by getFrameworkCompleteFilePath_WCDMA is "
                       "empty: ."}));
  EXPECT_EQ(run(""), 0);
  EXPECT_TRUE(l3xml::state::module().associationDocument);
  clearLogs();
  EXPECT_EQ(run("<unclosed>"), 1);
  EXPECT_FALSE(l3xml::state::module().associationDocument);  // dropped: the next run makes a new one
  EXPECT_EQ(messagesAt(kError), std::vector<std::string>{});
  EXPECT_EQ(run(""), 0);
}

struct RunFault {
  const char* operation;
  const char* message;
};

class AssociationFaultTest : public AssociationFileTest, public ::testing::WithParamInterface<RunFault> {};

TEST_P(AssociationFaultTest, EndsTheRun) {
  useFaultyDocuments();
  faultPlan().fail(GetParam().operation, 1);
  EXPECT_EQ(run("<E Name='px_A'/>"), 1);
  if (GetParam().message[0] != '\0') {
    EXPECT_EQ(messagesAt(kError).back(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(Calls, AssociationFaultTest,
                         ::testing::Values(RunFault{"create", "Failed to parse parameter file"},
                                           RunFault{"get_documentElement", ""}, RunFault{"get_nodeName", ""},
                                           RunFault{"get_childNodes", "AssociationFileParse: get_childNodes Failed"},
                                           RunFault{"list.get_length", "AssociationFileParse: get_length Failed"}));

}  // namespace
}  // namespace l3xml_test
