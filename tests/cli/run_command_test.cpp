// l3xml run: the host's sequence over a framework, its lines, summary and JSON, and no traces.
#include <filesystem>

#include "cli_runner.h"

namespace l3xml_test {
namespace {

namespace fs = std::filesystem;

// Lines that show each part of the sequence: association (binary identities, the ciphering
// algorithm written into a node no placeholder holds), Enum and Boolean conversion, the
// secondary cell's own copy, and a NAS message.
const char* const kExpectedLines[] = {
    ("PrimaryCell/RRCConnectionSetup.xml: RRCConnectionSetup ( ( 11001010111111100000000000000001 { 0 ,0 ,1 } "
     "{ 0 ,1 } 0000000000000001 ) 0 [ ] 000000000001 00000000010011010010 [ 0000000000000111 ] 0 7 [ 1 0 ] "
     "{ 1 1 1 1 ,2 0 2 2 ,3 0 3 3 ,4 0 4 4 } [ ( 9612 10562 ) ] 21 -40 0 7 ( 0 ) 1 1234567 1 64 1 1 0 0 "
     "{ 150 0 0 { ( 12 ) 0 } 0 } [ ] ) \n"),
    ("PrimaryCell/SecurityModeCommand.xml: SecurityModeCommand [ 00000000000000000000000000000000 0 ] ( 0 "
     "0000000000000111 0000000000000110 [ ( 1 ) [ ] [ { 1 0 ,2 2 ,3 2 ,4 2 } ] ] "
     "[ ( 10110110001110010101110010011010 ) [ 1 ] ] 1 [ ] [ ] ) \n"),
    ("PrimaryCell/MeasurementControl.xml: MeasurementControl ( 0 1 ( ( [ [ { [ 0 ] 0 ( 150 33 0 0 ) ,[ 1 ] 0 "
     "( 166 33 0 0 ) } ] ] [ 3 ( 1 ) ] [ 1 0 ( 1 0 0 ) ] [ ] ( [ { ( 2 6 0 0 0 4 ) 1.5 11 ( 2 ) ,( 0 6 0 ) 1.5 11 "
     "( 2 ) } ] ) ) ) [ 0 1 ] [ ] [ ] [ ] ) \n"),
    ("SecondaryCell/SystemInformationBlockType3.xml: SystemInformationBlockType3 0 0000000000000001000000000010 [ ] "
     "( [ 2 ] ) ( [ 12 ] [ 8 ] [ ] [ ] -18 -58 ) 2 2 [ ] 21 ( ) 1 1 [ { 1 ,1 ,1 ,1 ,1 ,1 ,1 ,1 ,1 ,1 ,1 ,1 ,1 ,1 "
     ",1 ,1 } ] [ ] \n"),
    ("NASMessage/AttachAccept.xml: AttachAccept 1000 0000 00000010 1 0 1 9 4 4 { 0 ,0 ,1 } { 0 ,1 } 1 1 [ ] [ ] "
     "[ 18 4 C0000001 ] [ ] [ ] [ ] [ ] \n"),
};

class RunCommandTest : public CliTest {};

TEST_F(RunCommandTest, PrintsTheFlattenedLineOfEveryTemplateAndASummary) {
  const CliResult result = run({"run", framework});
  ASSERT_EQ(result.status, 0) << result.err;
  for (const char* line : kExpectedLines) EXPECT_NE(result.out.find(line), std::string::npos) << line;
  EXPECT_NE(result.out.find("templates:             19 (12 PrimaryCell, 3 SecondaryCell, 4 NASMessage)\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("PIXIT parameters:      39 (L3_WCDMA_PIXIT.xml)\n"), std::string::npos);
  EXPECT_NE(result.out.find("values written:        71 (in 19 working copies)\n"), std::string::npos);
  EXPECT_NE(result.out.find("unresolved references: 0\n"), std::string::npos);
  EXPECT_NE(result.err.find("working on a copy of " + framework), std::string::npos);
}

TEST_F(RunCommandTest, JsonHoldsTheSameLinesAndSummary) {
  const CliResult text = run({"run", framework});
  const CliResult json = run({"run", framework, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json document = parseJson(json);
  ASSERT_EQ(document["templates"].size(), 19u);
  for (const nlohmann::json& entry : document["templates"]) {
    const std::string line = entry["label"].get<std::string>() + ": " + entry["flattened"].get<std::string>() + "\n";
    EXPECT_NE(text.out.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(document["summary"]["parameters"], 39);
  EXPECT_EQ(document["summary"]["valuesWritten"], 71);
  EXPECT_EQ(document["summary"]["unresolvedReferences"], 0);
  EXPECT_EQ(document["framework"], framework);
}

TEST_F(RunCommandTest, LeavesTheFrameworkAndTheShippedExampleAsTheyWere) {
  const auto before = snapshot(framework);
  ASSERT_EQ(run({"run", framework}).status, 0);
  EXPECT_EQ(snapshot(framework), before);

  const auto example = snapshot(L3XML_EXAMPLE_FRAMEWORK);
  const CliResult shipped = run({"run"});
  ASSERT_EQ(shipped.status, 0) << shipped.err;
  EXPECT_NE(shipped.out.find(kExpectedLines[0]), std::string::npos);
  EXPECT_EQ(snapshot(L3XML_EXAMPLE_FRAMEWORK), example);
}

TEST_F(RunCommandTest, WorkFolderKeepsTheWorkingCopiesInPlace) {
  const CliResult result = run({"run", framework, "--work", framework});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(kExpectedLines[1]), std::string::npos);
  EXPECT_TRUE(fileExists(frameworkFile("temp/PrimaryCell/SecurityModeCommand.xml")));
  EXPECT_TRUE(fileExists(frameworkFile("temp/SecondaryCell/SystemInformationBlockType3.xml")));
  EXPECT_TRUE(fileExists(frameworkFile("temp/AttachAccept.xml")));
}

TEST_F(RunCommandTest, ReportsReferencesThatThePixitFileDoesNotDefine) {
  writeFile(frameworkFile("NASMessage/CmServiceAccept.xml"),
            "<CmServiceAccept>\n  <messageType>0 0 1 0 0 0 0 1</messageType>\n"
            "  <cause>px_RejectCause</cause>\n</CmServiceAccept>\n");
  const CliResult result = run({"run", framework});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("unresolved references: 1\n"), std::string::npos);
  EXPECT_NE(result.err.find("NASMessage/CmServiceAccept.xml refers to px_RejectCause"), std::string::npos);
}

TEST_F(RunCommandTest, MalformedTemplateFailsTheRunButNotTheOtherLines) {
  writeFile(frameworkFile("RRCMessage/SecondaryCell/PagingType1.xml"), "<PagingType1>\n  <a>1</b>\n</PagingType1>\n");
  const CliResult result = run({"run", framework});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("PagingType1.xml is not well-formed XML"), std::string::npos) << result.err;
  EXPECT_NE(result.out.find(kExpectedLines[4]), std::string::npos);
  EXPECT_NE(result.out.find("20 (12 PrimaryCell, 4 SecondaryCell, 4 NASMessage), 1 failed"), std::string::npos);
}

// A framework whose parameter files are missing or broken: what the run says, and whether it
// can go on.
struct BrokenFramework {
  const char* name;
  const char* file;     // removed, or replaced by content when there is one
  const char* content;  // null: removed
  int status;
  const char* message;
};

void PrintTo(const BrokenFramework& broken, std::ostream* out) { *out << broken.name; }

class BrokenFrameworkTest : public CliTest, public ::testing::WithParamInterface<BrokenFramework> {};

TEST_P(BrokenFrameworkTest, RunSaysWhatIsWrong) {
  const BrokenFramework& broken = GetParam();
  if (broken.content == nullptr) {
    fs::remove(frameworkFile(broken.file));
  } else {
    writeFile(frameworkFile(broken.file), broken.content);
  }
  const CliResult result = run({"run", framework});
  EXPECT_EQ(result.status, broken.status) << result.err;
  EXPECT_NE(result.err.find(broken.message), std::string::npos) << result.err;
  EXPECT_EQ(result.out.empty(), broken.status != 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BrokenFrameworkTest,
    ::testing::Values(BrokenFramework{"NoPixitFile", "L3_WCDMA_PIXIT.xml", nullptr, 1,
                                      "there is no PIXIT file at the root of"},
                      BrokenFramework{"MalformedPixitFile", "L3_WCDMA_PIXIT.xml", "<PIXIT><Param Name='px_A'></PIXIT>",
                                      1, "L3_WCDMA_PIXIT.xml is not well-formed XML"},
                      BrokenFramework{"NoTypeFile", "L3_Wcdma_Types.xml", nullptr, 1,
                                      "the type file L3_Wcdma_Types.xml that goes with"},
                      BrokenFramework{"NoAssociationFile", "AssociationFile.xml", nullptr, 0, "nothing was associated"},
                      BrokenFramework{"MalformedAssociationFile", "AssociationFile.xml", "<Association>", 0,
                                      "AssociationFile.xml is not well-formed XML"}),
    [](const ::testing::TestParamInfo<BrokenFramework>& info) { return std::string(info.param.name); });

// The user folder comes before the system folder and Command before RRCMessage; a name found in
// several folders is one template.
TEST_F(RunCommandTest, UserAndCommandFoldersTakePrecedence) {
  const std::string user = dir / "user";
  writeFile(user + "/RRCMessage/PrimaryCell/RRCConnectionRelease.xml",
            "<RRCConnectionRelease>\n  <n-308>4</n-308>\n  <cause>px_ReleaseCause</cause>\n</RRCConnectionRelease>\n");
  writeFile(frameworkFile("Command/SecondaryCell/MasterInformationBlock.xml"),
            "<MasterInformationBlock>\n  <mib-ValueTag>px_SC_MIB_ValueTag</mib-ValueTag>\n</MasterInformationBlock>\n");
  const CliResult result = run({"--user", user, "run", framework});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("PrimaryCell/RRCConnectionRelease.xml: RRCConnectionRelease 4 0 \n"), std::string::npos);
  EXPECT_NE(result.out.find("SecondaryCell/MasterInformationBlock.xml: MasterInformationBlock 3 \n"),
            std::string::npos);
  EXPECT_NE(result.out.find("templates:             19 "), std::string::npos);
}

}  // namespace
}  // namespace l3xml_test
