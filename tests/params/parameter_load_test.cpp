// The host's one-call parameter load: type file choice, association step and value conversion.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "library_test.h"

namespace l3xml_test {
namespace {

using Parameters = std::map<std::string, ParamStructure>;

const char* const kPixit =
    "<PIXIT><P Name='px_Flag' Type='Flag' Value='False'/><P Name='px_Off' Type='Flag' Value='false'/>"
    "<P Name='px_Mode' Type='Mode' Value='fast'/><P Name='px_Odd' Type='Mode' Value='medium'/>"
    "<P Name='px_Free' Type='Unknown' Value='as is'/></PIXIT>";

std::string typesNamed(const std::string& marker) {
  return "<Types><T Name='" + marker +
         "' Basetype='Integer'><A v='0'/><B v='1'/></T>"
         "<T Name='Flag' Basetype='Boolean'/><T Name='Mode' Basetype='Enum'>"
         "<E Value='slow' NumericValue='0'/><E Value='fast' NumericValue='1'/></T></Types>";
}

class ParameterLoadTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    place("Types.xml", typesNamed("FromTypes"));
    place("L3_Wcdma_Types.xml", typesNamed("FromWcdma"));
    place("Types_Callbox.xml", typesNamed("FromCallbox"));
    place("RRCMessage/PrimaryCell/M.xml", "<M><flag/></M>");
    place("AssociationFile.xml",
          "<A><E Name='px_Flag'><B Name='flag' Type='Flag' AssociationField='M.xml' CellName='PrimaryCell'/></E></A>");
  }
  bool load(const std::string& name, bool associate = false) {
    const std::string path = place(name, kPixit);
    return ReadParameterFileWrapper_WCDMA(path.c_str(), &pixit, &types, associate);
  }
  std::string flagInTemplate() { return CXMLParser().GetVals("M.xml", const_cast<char*>("flag")).at(0); }

  Parameters pixit;
  Parameters types;
};

struct Choice {
  const char* pixitName;
  const char* typeMarker;
};

class TypeFileChoiceTest : public ParameterLoadTest, public ::testing::WithParamInterface<Choice> {};

TEST_P(TypeFileChoiceTest, ByCaseSensitiveNameTests) {
  ASSERT_TRUE(load(GetParam().pixitName));
  EXPECT_EQ(types.count(GetParam().typeMarker), 1u);
  EXPECT_EQ(types.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Names, TypeFileChoiceTest,
                         ::testing::Values(Choice{"Pixit.xml", "FromTypes"}, Choice{"Pixit_WCDMA.xml", "FromWcdma"},
                                           Choice{"Callbox_WCDMA.xml", "FromWcdma"},
                                           Choice{"Callbox.xml", "FromCallbox"},
                                           Choice{"callbox_wcdma.xml", "FromTypes"}));

TEST_F(ParameterLoadTest, ConvertsBooleanAndEnumValuesAfterTheAssociationStep) {
  ASSERT_TRUE(load("Pixit.xml", true));
  EXPECT_EQ(pixit["px_Flag"].value, "1");  // only "FALSE" and "false" give 0
  EXPECT_EQ(pixit["px_Off"].value, "0");
  EXPECT_EQ(pixit["px_Mode"].value, "1");
  EXPECT_EQ(pixit["px_Odd"].value, "medium");
  EXPECT_EQ(pixit["px_Free"].value, "as is");
  EXPECT_EQ(flagInTemplate(), "1");
}

TEST_F(ParameterLoadTest, AssociationOnlyWhenAskedAndNotForCallboxNames) {
  ASSERT_TRUE(load("Pixit.xml", false));
  EXPECT_EQ(flagInTemplate(), "");
  ASSERT_TRUE(load("Callbox_WCDMA.xml", true));
  EXPECT_EQ(flagInTemplate(), "");
  ASSERT_TRUE(load("callbox.xml", true));
  EXPECT_EQ(flagInTemplate(), "1");
}

TEST_F(ParameterLoadTest, FailedAssociationDoesNotChangeTheResult) {
  std::filesystem::remove(system + "/AssociationFile.xml");
  EXPECT_TRUE(load("Pixit.xml", true));
  EXPECT_EQ(messagesAt(kError).back(), "Association File Parsing Failed ");
}

TEST_F(ParameterLoadTest, MissingTypeFileLeavesTheParametersUnconverted) {
  std::filesystem::remove(system + "/Types.xml");
  types["kept"] = ParamStructure();
  EXPECT_FALSE(load("Pixit.xml"));
  EXPECT_EQ(pixit["px_Off"].value, "false");
  EXPECT_EQ(types.size(), 1u);
  EXPECT_TRUE(logged(kError, "RETURNING ERROR FROM ReadParameterFileWrapper - error for Types.xml"));
}

TEST_F(ParameterLoadTest, UnreadableFilesAndNullArgumentsFail) {
  EXPECT_FALSE(ReadParameterFileWrapper_WCDMA((system + "/none.xml").c_str(), &pixit, &types, false));
  EXPECT_TRUE(pixit.empty());
  place("Types.xml", "<Types>");
  EXPECT_FALSE(load("Pixit.xml"));
  EXPECT_EQ(pixit.size(), 5u);
  EXPECT_FALSE(ReadParameterFileWrapper_WCDMA(nullptr, &pixit, &types, false));
  EXPECT_FALSE(ReadParameterFileWrapper_WCDMA("Pixit.xml", nullptr, &types, false));
  EXPECT_FALSE(ReadParameterFileWrapper_WCDMA("Pixit.xml", &pixit, nullptr, false));
  EXPECT_EQ(messagesAt(kError).back(),
            "ReadParameterFileWrapper_WCDMA: the PIXIT file name and both parameter maps must be given");
}

}  // namespace
}  // namespace l3xml_test
