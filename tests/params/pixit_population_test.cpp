// Writing one PIXIT value, converted by kind, into a message file.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "library_test.h"

namespace l3xml_test {
namespace {

class PixitPopulationTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    std::string pixit = place("pixit.xml",
                              "<PIXIT><P Name='px_Flag' Type='Flag' Value='FALSE'/><P Name='px_Lower' Type='Flag' "
                              "Value='false'/><P Name='px_Mode' Type='Mode' Value='fast'/><P Name='px_Twice' "
                              "Type='Mode' Value='dup'/><P Name='px_Odd' Type='Mode' Value='none'/><P Name='px_Gap' "
                              "Type='Gappy' Value='b'/><P Name='px_Lost' Type='Unknown' Value='x'/></PIXIT>");
    std::string types =
        place("types.xml",
              "<Types><T Name='Flag' Basetype='Boolean'/><T Name='Mode' Basetype='Enum'>"
              "<E Value='slow' NumericValue='0'/><E Value='fast' NumericValue='1'/>"
              "<E Value='dup' NumericValue='2'/><E Value='dup' NumericValue='3'/></T>"
              "<T Name='Gappy' Basetype='Enum'><E Value='a' NumericValue='0'/><E Value='b'/></T></Types>");
    ASSERT_TRUE(pixitReader.readParameterFile(pixit, PIXIT_FILE));
    ASSERT_TRUE(typeReader.readParameterFile(types, TYPE_FILE));
    typeList = typeReader.getparamList();
    place("RRCMessage/PrimaryCell/M.xml", "<M><node>old</node></M>");
  }
  // Populates node of M.xml from the parameter; the node's value afterwards.
  std::string populate(const std::string& parameter, int kind, bool expected = true) {
    std::string name = parameter;
    std::string node = "node";
    std::string file = "M.xml";
    ParameterFileReader unrelated;
    EXPECT_EQ(unrelated.PopulateFromPixitFile(pixitReader, name, node, file, kind, typeList), expected);
    EXPECT_EQ(file, "M.xml");
    return CXMLParser().GetVals("M.xml", const_cast<char*>("node")).at(0);
  }

  ParameterFileReader pixitReader;
  ParameterFileReader typeReader;
  std::map<std::string, ParamStructure> typeList;
};

TEST_F(PixitPopulationTest, BooleanKindWritesZeroOnlyForUpperCaseFalse) {
  EXPECT_EQ(populate("px_Flag", 1), "0");
  EXPECT_EQ(populate("px_Lower", 1), "1");
  EXPECT_EQ(populate("px_Mode", 1), "1");
}

TEST_F(PixitPopulationTest, EnumKindWritesTheNumericValueOfTheFirstMatch) {
  EXPECT_EQ(populate("px_Mode", 2), "1");
  EXPECT_EQ(populate("px_Twice", 2), "2");
  EXPECT_EQ(populate("px_Odd", 2), "");
}

TEST_F(PixitPopulationTest, OtherKindsWriteTheValueAsItIs) {
  EXPECT_EQ(populate("px_Flag", 0), "FALSE");
  EXPECT_EQ(populate("px_Mode", 3), "fast");
}

TEST_F(PixitPopulationTest, WhatCannotBeConvertedIsReportedAndNotWritten) {
  EXPECT_EQ(populate("px_Gap", 2, false), "old");
  EXPECT_EQ(messagesAt(kError).back(),
            "PopulateFromPixitFile: the enumerator b of the type Gappy has no numeric value");
  EXPECT_EQ(populate("px_Lost", 2, false), "old");
  EXPECT_EQ(populate("px_Absent", 0, false), "old");
  EXPECT_EQ(messagesAt(kError).back(), "PopulateFromPixitFile: the parameter px_Absent is not in the PIXIT list");
}

}  // namespace
}  // namespace l3xml_test
