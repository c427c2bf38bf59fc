// Writes into working copies and the working copies as a whole: set, get, status, diff, reset,
// dry runs, and the parameter table of load.
#include "cli_runner.h"

namespace l3xml_test {
namespace {

const std::string kSetup = "RRCConnectionSetup.c1.r3.rrcConnectionSetup-r3";

using WorkingCopyTest = CliTest;

TEST_F(WorkingCopyTest, WritesAreReadBackAndTheWorkingCopiesListedComparedAndReset) {
  const std::string pristine = readFile(file("RRCMessage/PrimaryCell/RRCConnectionSetup.xml"));
  ASSERT_EQ(inFramework({"set", "RRCConnectionSetup.xml", "utran-DRX-CycleLengthCoeff", "9"}).status, 0);
  ASSERT_EQ(inFramework({"set", "RRCConnectionSetup.xml", "px_S_RNTI", "0 0 0 1"}).status, 0);
  ASSERT_EQ(inFramework({"set", "RRCConnectionSetup.xml", "rb-Identity", "7", "--index", "2"}).status, 0);
  ASSERT_EQ(inFramework({"apply", "RRCConnectionRelease.xml"}).status, 0);
  EXPECT_EQ(readFile(file("RRCMessage/PrimaryCell/RRCConnectionSetup.xml")), pristine);
  EXPECT_EQ(inFramework({"get", "RRCConnectionSetup.xml", "rb-Identity"}).out, "1\n2\n7\n4\n");

  EXPECT_EQ(inFramework({"status"}).out,
            "temp/PrimaryCell/RRCConnectionRelease.xml  2 values differ from "
            "RRCMessage/PrimaryCell/RRCConnectionRelease.xml\n"
            "temp/PrimaryCell/RRCConnectionSetup.xml  3 values differ from "
            "RRCMessage/PrimaryCell/RRCConnectionSetup.xml\n");
  const CliResult one = inFramework({"diff", "RRCConnectionSetup.xml"});
  EXPECT_EQ(one.status, 1);
  EXPECT_EQ(one.out, kSetup + ".new-U-RNTI.s-RNTI: px_S_RNTI -> 0 0 0 1\n" + kSetup +
                         ".utran-DRX-CycleLengthCoeff: 7 -> 9\n" + kSetup +
                         ".srb-InformationSetupList.[3].rb-Identity: 3 -> 7\n");
  const nlohmann::json all = json(inFramework({"diff", "--json"}));
  EXPECT_EQ(all["files"].size(), 2u);
  EXPECT_EQ(all["files"][1]["changes"][1],
            (nlohmann::json{{"path", kSetup + ".utran-DRX-CycleLengthCoeff"}, {"old", "7"}, {"new", "9"}}));
  EXPECT_EQ(inFramework({"diff", "IdentityRequest.xml"}).status, 0);

  EXPECT_EQ(inFramework({"reset", "RRCConnectionSetup.xml"}).out, "removed temp/PrimaryCell/RRCConnectionSetup.xml\n");
  EXPECT_EQ(inFramework({"diff", "RRCConnectionSetup.xml"}).status, 0);
  EXPECT_EQ(inFramework({"reset"}).status, 0);
  EXPECT_EQ(inFramework({"diff"}).status, 0);
  EXPECT_EQ(inFramework({"status", "--json"}).out.find("temp/"), std::string::npos);
}

// A dry run works on a temporary work folder: it starts from the working copy there is, and
// changes no byte of the framework.
TEST_F(WorkingCopyTest, DryRunsChangeNoByte) {
  ASSERT_EQ(inFramework({"set", "RRCConnectionRelease.xml", "n-308", "5"}).status, 0);
  const auto before = hashes(framework);
  const CliResult set = inFramework({"set", "RRCConnectionRelease.xml", "n-308", "6", "--dry-run"});
  EXPECT_EQ(set.out, "RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.optN-308.n-308: 5 -> 6\n");
  EXPECT_NE(set.err.find("would be written to temp/PrimaryCell/RRCConnectionRelease.xml"), std::string::npos);
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"apply", "RRCConnectionRelease.xml", "--dry-run"},
        {"rename", "RRCConnectionRelease.xml", "optRplmn-Information", "optRplmn-Informatio2", "--dry-run"},
        {"load", "L3_WCDMA_PIXIT.xml", "--associate", "--dry-run"}}) {
    const CliResult result = inFramework(command);
    EXPECT_EQ(result.status, 0) << command.front() << result.err;
    EXPECT_NE(result.err.find("nothing was written"), std::string::npos) << command.front() << result.err;
  }
  EXPECT_EQ(hashes(framework), before);
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(WorkingCopyTest, LoadShowsValuesAsReadAndAfterConversion) {
  const CliResult table = run({"load", file("L3_WCDMA_PIXIT.xml")});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out.rfind("NAME ", 0), 0u);
  EXPECT_NE(table.out.find("px_TimeToTrigger            TimeToTrigger                 ttt320"), std::string::npos);
  std::map<std::string, nlohmann::json> byName;
  const nlohmann::json loaded = json(run({"load", file("L3_WCDMA_PIXIT.xml"), "--json"}));
  for (const nlohmann::json& parameter : loaded["parameters"]) {
    byName[parameter["name"]] = parameter;
  }
  EXPECT_EQ(byName.size(), 39u);
  EXPECT_EQ(byName["px_ReportCPICH_RSCP"]["valueAsRead"].get<std::string>() + " " +
                byName["px_ReportCPICH_RSCP"]["value"].get<std::string>(),
            "FALSE 0");
  EXPECT_FALSE(fileExists(file("temp")));

  ASSERT_EQ(run({"load", file("L3_WCDMA_PIXIT.xml"), "--associate"}).status, 0);
  EXPECT_EQ(inFramework({"get", "CellUpdateConfirm.xml", "s-RNTI"}).out, "00000000010011010010\n");
}

}  // namespace
}  // namespace l3xml_test
