// The single-template subcommands: reading, writing into working copies and reading back, load.
#include <filesystem>

#include "cli_runner.h"

namespace l3xml_test {
namespace {

namespace fs = std::filesystem;

const std::string kReleaseLine = "RRCConnectionRelease [ 01101001100101100011101011000101 3 ] ( 0 [ 2 ] 0 [ ] [ ] ) ";
const std::string kSetup = "RRCConnectionSetup.c1.r3.rrcConnectionSetup-r3";

class ReadingTest : public CliTest {};

TEST_F(ReadingTest, FlattenResolvesReferencesFromTheFrameworksPixitFile) {
  const CliResult one = runOnFramework({"flatten", "RRCConnectionRelease.xml"});
  EXPECT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, kReleaseLine + "\n");

  const CliResult two = runOnFramework({"flatten", "RRCConnectionRelease.xml", "IdentityRequest.xml", "--json"});
  const nlohmann::json files = parseJson(two)["files"];
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0]["flattened"], kReleaseLine);
  EXPECT_EQ(files[1]["flattened"], "IdentityRequest 0101 0000 00011000 1 0000 ");
  EXPECT_EQ(files[1]["path"], frameworkFile("NASMessage/IdentityRequest.xml"));
}

TEST_F(ReadingTest, GetTakesNamesAndDottedPathsAndTheCellChoosesTheFolder) {
  EXPECT_EQ(runOnFramework({"get", "RRCConnectionSetup.xml", "rb-Identity"}).out, "1\n2\n3\n4\n");
  EXPECT_EQ(runOnFramework({"get", "RRCConnectionSetup.xml", "rrc-StateIndicator"}).out, "0\n");
  EXPECT_EQ(runOnFramework({"get", "MasterInformationBlock.xml",
                            "MasterInformationBlock.sibSb-ReferenceList.[2].scheduling.sib-Pos.c3.rep32"})
                .out,
            "4\n");
  EXPECT_EQ(runOnFramework({"--cell", "SecondaryCell", "get", "MasterInformationBlock.xml", "rep32"}).out, "3\n5\n");

  const nlohmann::json json = parseJson(runOnFramework({"get", "ActiveSetUpdate.xml", "sf128", "--json"}));
  EXPECT_EQ(json["values"], nlohmann::json::array({"14"}));
}

TEST_F(ReadingTest, TypeIsTheRootElement) {
  EXPECT_EQ(runOnFramework({"type", "SecurityModeCommand.xml"}).out, "SecurityModeCommand\n");
  EXPECT_EQ(parseJson(runOnFramework({"type", "AttachAccept.xml", "--json"}))["type"], "AttachAccept");
}

TEST_F(ReadingTest, ShowPrintsKindsValuesAndResolvedReferences) {
  const CliResult result = runOnFramework({"show", "RRCConnectionRelease.xml"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("\nRRCConnectionRelease\n  optIntegrityCheckInfo [optional]\n"), std::string::npos);
  EXPECT_NE(result.out.find("\n  c1 (choice)\n    r3\n"), std::string::npos);
  EXPECT_NE(result.out.find("        releaseCause = px_ReleaseCause -> 0\n"), std::string::npos);
  EXPECT_NE(result.out.find("        optRplmn-Information [optional] absent\n"), std::string::npos);
  EXPECT_NE(result.out.find("flattened: " + kReleaseLine + "\n"), std::string::npos);
  EXPECT_EQ(result.out.find('\033'), std::string::npos) << "no colour when piped";

  const CliResult paths = runOnFramework({"show", "--paths", "MasterInformationBlock.xml"});
  EXPECT_NE(paths.out.find("MasterInformationBlock.sibSb-ReferenceList.[2].scheduling.sib-Pos.c3.rep32 = 4\n"),
            std::string::npos);
}

TEST_F(ReadingTest, ShowColoursOnlyWhenAskedAndNotUnderNoColor) {
  EXPECT_NE(runOnFramework({"show", "IdentityRequest.xml", "--color", "always"}).out.find("\033[35mpx_IdentityType"),
            std::string::npos);
  EXPECT_EQ(runOnFramework({"show", "IdentityRequest.xml"}, {"NO_COLOR=1"}).out.find('\033'), std::string::npos);
}

TEST_F(ReadingTest, ShowJsonIsATreeWithPixitValues) {
  const nlohmann::json json = parseJson(runOnFramework({"show", "IdentityRequest.xml", "--json"}));
  EXPECT_EQ(json["tree"]["name"], "IdentityRequest");
  const nlohmann::json& identityType = json["tree"]["children"][3];
  EXPECT_EQ(identityType["path"], "IdentityRequest.identityType");
  EXPECT_EQ(identityType["pixit"], (nlohmann::json{{"name", "px_IdentityType"}, {"value", "1"}}));
  EXPECT_EQ(json["flattened"], "IdentityRequest 0101 0000 00011000 1 0000 ");
}

// Every value that show lists is found again by get at the path show gives for it.
TEST_F(ReadingTest, PathsThatShowListsLeadGetToTheSameValues) {
  for (const char* file : {"MasterInformationBlock.xml", "RadioBearerSetup.xml"}) {
    const nlohmann::json json = parseJson(runOnFramework({"show", file, "--json"}));
    std::vector<nlohmann::json> pending{json["tree"]};
    int leaves = 0;
    while (!pending.empty()) {
      const nlohmann::json node = pending.back();
      pending.pop_back();
      for (const nlohmann::json& child : node.value("children", nlohmann::json::array())) pending.push_back(child);
      if (node.contains("children") || node["value"] == "") continue;
      const std::string expected = node.contains("pixit") ? node["pixit"]["value"] : node["value"];
      EXPECT_EQ(runOnFramework({"get", file, node["path"]}).out, expected + "\n") << node["path"];
      ++leaves;
    }
    EXPECT_GT(leaves, 10) << file;
  }
}

TEST_F(ReadingTest, PixitOptionNamesTheFileAndWithoutOneReferencesStayUnresolved) {
  fs::rename(frameworkFile("L3_WCDMA_PIXIT.xml"), frameworkFile("Campaign_WCDMA.xml"));
  writeFile(frameworkFile("Other_WCDMA.xml"),
            "<PIXIT>\n  <Param Name=\"px_ReleaseCause\" Type=\"ReleaseCause\" "
            "Value=\"congestion\" Comment=\"\"/>\n</PIXIT>\n");
  const CliResult several = runOnFramework({"get", "RRCConnectionRelease.xml", "releaseCause"});
  EXPECT_EQ(several.out, "px_ReleaseCause\n");
  EXPECT_NE(several.err.find("several PIXIT files"), std::string::npos) << several.err;

  EXPECT_EQ(runOnFramework({"--pixit", "Other_WCDMA.xml", "get", "RRCConnectionRelease.xml", "releaseCause"}).out,
            "3\n");
  const CliResult shown = runOnFramework({"show", "RRCConnectionRelease.xml", "--pixit", "Campaign_WCDMA.xml"});
  EXPECT_NE(shown.out.find("rrc-TransactionIdentifier = px_RRC_TransactionId -> 0\n"), std::string::npos);
  EXPECT_EQ(runOnFramework({"--pixit", "Nope.xml", "flatten", "RRCConnectionRelease.xml"}).status, 1);
}

class WritingTest : public CliTest {
 protected:
  std::string workingCopy(const std::string& relative) const { return frameworkFile("temp/" + relative); }
};

TEST_F(WritingTest, SetWritesTheWorkingCopyThatGetAndDiffReadBack) {
  const std::string pristine = readFile(frameworkFile("RRCMessage/PrimaryCell/RRCConnectionSetup.xml"));
  ASSERT_EQ(runOnFramework({"set", "RRCConnectionSetup.xml", "utran-DRX-CycleLengthCoeff", "9"}).status, 0);
  ASSERT_EQ(runOnFramework({"set", "RRCConnectionSetup.xml", "px_S_RNTI", "0 0 0 1"}).status, 0);
  ASSERT_EQ(
      runOnFramework({"set", "RRCConnectionSetup.xml", kSetup + ".dl-CommonInformation.tx-DiversityMode", "1"}).status,
      0);
  ASSERT_EQ(runOnFramework({"set", "RRCConnectionSetup.xml", "rb-Identity", "7", "--index", "2"}).status, 0);

  EXPECT_EQ(readFile(frameworkFile("RRCMessage/PrimaryCell/RRCConnectionSetup.xml")), pristine);
  EXPECT_TRUE(fileExists(workingCopy("PrimaryCell/RRCConnectionSetup.xml")));
  EXPECT_EQ(runOnFramework({"get", "RRCConnectionSetup.xml", "utran-DRX-CycleLengthCoeff"}).out, "9\n");
  EXPECT_EQ(runOnFramework({"get", "RRCConnectionSetup.xml", "rb-Identity"}).out, "1\n2\n7\n4\n");

  const CliResult diff = runOnFramework({"diff", "RRCConnectionSetup.xml"});
  EXPECT_EQ(diff.status, 0) << diff.err;
  EXPECT_EQ(diff.out, kSetup + ".new-U-RNTI.s-RNTI: px_S_RNTI -> 0 0 0 1\n" + kSetup +
                          ".utran-DRX-CycleLengthCoeff: 7 -> 9\n" + kSetup +
                          ".srb-InformationSetupList.[3].rb-Identity: 3 -> 7\n" + kSetup +
                          ".dl-CommonInformation.tx-DiversityMode: 0 -> 1\n");
  const nlohmann::json json = parseJson(runOnFramework({"diff", "RRCConnectionSetup.xml", "--json"}));
  EXPECT_EQ(json["changes"].size(), 4u);
  EXPECT_EQ(json["changes"][1],
            (nlohmann::json{{"path", kSetup + ".utran-DRX-CycleLengthCoeff"}, {"old", "7"}, {"new", "9"}}));
}

TEST_F(WritingTest, SetOnTheSecondaryCellWritesItsOwnWorkingCopy) {
  const CliResult result =
      runOnFramework({"--cell", "SecondaryCell", "set", "SystemInformationBlockType3.xml", "t-Reselection-S", "4"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(fileExists(workingCopy("SecondaryCell/SystemInformationBlockType3.xml")));
  EXPECT_FALSE(fileExists(workingCopy("PrimaryCell/SystemInformationBlockType3.xml")));
  EXPECT_EQ(runOnFramework({"get", "SystemInformationBlockType3.xml", "t-Reselection-S"}).out, "1\n");
  EXPECT_EQ(runOnFramework({"--cell", "SecondaryCell", "diff", "SystemInformationBlockType3.xml"}).out,
            "SystemInformationBlockType3.cellSelectReselectInfo.t-Reselection-S: 2 -> 4\n");
}

TEST_F(WritingTest, ApplyWritesTheParametersThatNameTheFile) {
  const CliResult result = runOnFramework({"apply", "RRCConnectionRelease.xml"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.rrc-TransactionIdentifier: px_RRC_TransactionId -> 0\n"
            "RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.releaseCause: px_ReleaseCause -> 0\n");
  EXPECT_EQ(runOnFramework({"diff", "RRCConnectionRelease.xml"}).out, result.out);

  writeFile(frameworkFile("RRCMessage/PrimaryCell/PagingType2.xml"), "<PagingType2><x>1</x></PagingType2>\n");
  const CliResult unnamed = runOnFramework({"apply", "PagingType2.xml"});
  EXPECT_EQ(unnamed.status, 1);
  EXPECT_NE(unnamed.err.find("names PagingType2.xml"), std::string::npos) << unnamed.err;
}

TEST_F(WritingTest, RenameWritesIntoTheTempFolderAndRefusesABrokenResult) {
  const CliResult result = runOnFramework({"rename", "CellUpdateConfirm.xml", "fdd", "tdd"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(readFile(workingCopy("CellUpdateConfirm.xml")).find("<tdd>"), std::string::npos);

  const CliResult broken = runOnFramework({"rename", "CellUpdateConfirm.xml", "uarfcn-UL", "ul"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("is not well-formed XML"), std::string::npos) << broken.err;
}

TEST_F(WritingTest, LoadShowsValuesAsReadAndAfterConversion) {
  const CliResult table = run({"load", frameworkFile("L3_WCDMA_PIXIT.xml")});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out.rfind("NAME ", 0), 0u);
  EXPECT_NE(table.out.find("px_TimeToTrigger            TimeToTrigger                 ttt320"), std::string::npos);

  const nlohmann::json json = parseJson(run({"load", frameworkFile("L3_WCDMA_PIXIT.xml"), "--json"}));
  std::map<std::string, nlohmann::json> byName;
  for (const nlohmann::json& parameter : json["parameters"]) byName[parameter["name"]] = parameter;
  EXPECT_EQ(json["parameters"].size(), 39u);
  EXPECT_EQ(byName["px_ReportCPICH_RSCP"]["value"], "0");
  EXPECT_EQ(byName["px_ReportCPICH_RSCP"]["valueAsRead"], "FALSE");
  EXPECT_EQ(byName["px_TimeToTrigger"]["value"], "11");
  EXPECT_EQ(byName["px_TimeToTrigger"]["basetype"], "Enum");
  EXPECT_EQ(byName["px_S_RNTI"]["value"], "1234");
  EXPECT_EQ(byName["px_MaxAllowedULTxPower"]["unit"], "dBm");
  EXPECT_FALSE(fs::exists(frameworkFile("temp")));

  ASSERT_EQ(run({"load", frameworkFile("L3_WCDMA_PIXIT.xml"), "--associate"}).status, 0);
  EXPECT_EQ(runOnFramework({"get", "CellUpdateConfirm.xml", "s-RNTI"}).out, "00000000010011010010\n");
}

}  // namespace
}  // namespace l3xml_test
