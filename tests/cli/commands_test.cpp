// The command line's contract as a table: command line -> exit status and what it says.
#include "cli_runner.h"

namespace l3xml_test {
namespace {

struct Case {
  const char* name;
  std::vector<std::string> arguments;  // after --system <framework copy>
  bool broken;                         // with RRCMessage/PrimaryCell/Broken.xml and its px_Nowhere
  int status;
  const char* says;  // part of standard output or standard error
  const char* input = "";
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class CommandTest : public CliTest, public ::testing::WithParamInterface<Case> {};

TEST_P(CommandTest, StatusAndMessage) {
  const Case& c = GetParam();
  if (c.broken) addBrokenTemplate();
  writeFile(dir / "Outside.xml", "<Outside/>\n");
  const CliResult result = inFramework(c.arguments, c.input);
  EXPECT_EQ(result.status, c.status) << result.out << result.err;
  EXPECT_NE((result.out + result.err).find(c.says), std::string::npos) << result.out << result.err;
  EXPECT_TRUE(leftovers().empty());
}

const std::string kSetup = "RRCConnectionSetup.c1.r3.rrcConnectionSetup-r3";
const char* const kPixit = "L3_WCDMA_PIXIT.xml";
const char* const kSecondary = "RRCMessage/SecondaryCell/ActiveSetUpdate.xml";
const char* const kSecondaryLine = "ActiveSetUpdate [ 00111010010111001010011001110001 2 ]";
const char* const kUnresolved = "px_Nowhere";

// Every command that reads or writes a template says when its result is broken.
INSTANTIATE_TEST_SUITE_P(
    Broken, CommandTest,
    ::testing::Values(Case{"Run", {"run"}, true, 1, kUnresolved}, Case{"RunClean", {"run"}, false, 0, "errors:    "},
                      Case{"Flatten", {"flatten", "Broken.xml"}, true, 1, kUnresolved},
                      Case{"FlattenClean", {"flatten", "RRCConnectionRelease.xml"}, true, 0, "( 0 [ 2 ] 0 [ ] [ ] )"},
                      Case{"Get", {"get", "Broken.xml", "a"}, true, 1, kUnresolved},
                      Case{"GetClean", {"get", "RRCConnectionSetup.xml", "rb-Identity"}, true, 0, "1\n2\n3\n4\n"},
                      Case{"Set", {"set", "Broken.xml", "b", "2"}, true, 1, kUnresolved},
                      Case{"SetClean", {"set", "RRCConnectionSetup.xml", "rb-Identity", "7"}, true, 0, "4 values"},
                      Case{"Apply", {"apply", "Broken.xml"}, true, 1, kUnresolved},
                      Case{"ApplyClean", {"apply", "RRCConnectionRelease.xml"}, true, 0, "2 values written"},
                      Case{"Show", {"show", "Broken.xml"}, true, 1, kUnresolved},
                      Case{"ShowClean", {"show", "IdentityRequest.xml"}, true, 0, "px_IdentityType -> 1"},
                      Case{"Load", {"load", kPixit, "--associate"}, true, 1, kUnresolved},
                      Case{"LoadClean", {"load", kPixit, "--associate"}, false, 0, "into 6 working copies"},
                      Case{"Check", {"check"}, true, 1, kUnresolved},
                      Case{"CheckClean", {"check"}, false, 0, "no problems found"},
                      Case{"Impact", {"impact", "px_ReleaseCause"}, false, 0, "releaseCause (comment) -> \"0\""},
                      Case{"CompareSame", {"compare", "--pixit", kPixit, "--pixit", kPixit}, false, 0, ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A template is a file name, a path in the framework (which selects its cell) or one the shell
// completed; nothing outside the framework, and no write that the lookup would not read back.
INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandTest,
    ::testing::Values(
        Case{"FrameworkPath", {"flatten", kSecondary}, false, 0, kSecondaryLine},
        Case{"CompletedPath", {"flatten", std::string("fw/") + kSecondary}, false, 0, kSecondaryLine},
        Case{"SecondaryCellWrite",
             {"set", kSecondary, "primaryScramblingCode", "42"},
             false,
             0,
             "written to temp/SecondaryCell/ActiveSetUpdate.xml"},
        Case{"OutsideTheFramework", {"flatten", "./Outside.xml"}, false, 2, "lies outside the framework"},
        Case{"CellAgainstPath", {"--cell", "PrimaryCell", "flatten", kSecondary}, false, 2, "template of cell"},
        Case{"OtherCellsTemplate",
             {"--cell", "SecondaryCell", "type", "RRCConnectionRelease.xml"},
             false,
             1,
             "it is one of PrimaryCell"},
        Case{"StandardInput", {"flatten", "-"}, false, 1, "l3xml: -:1:", "<M><a>px_X</a></M>"},
        Case{"MisspeltTemplate", {"flatten", "RRCConnectionReleas.xml"}, false, 1, "'RRCConnectionRelease.xml'?"},
        Case{"NasCopyIsNeverRead", {"set", "AttachAccept.xml", "messageType", "1"}, false, 1, "never reads"},
        Case{"WorkElsewhere", {"--work", "tmp", "apply", "RRCConnectionRelease.xml"}, false, 1, "leave --work out"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Usage, CommandTest,
    ::testing::Values(
        Case{"HelpHasAnExample", {"get", "--help"}, false, 0, "Examples:\n  l3xml"},
        Case{"CheckHelpHasTheRules", {"check", "--help"}, false, 0, "unresolved-reference (error)"},
        Case{"OneReportFormat", {"check", "--json", "--sarif"}, false, 2, "--sarif"},
        Case{"MisspeltSubcommand", {"flaten", "X.xml"}, false, 2, "did you mean 'flatten'?"},
        Case{"MisspeltOption", {"--sytem", ".", "type", "X.xml"}, false, 2, "did you mean '--system'?"},
        Case{"WordsInTheOrderTyped", {"type", "A.xml", "B.xml", "C.xml"}, false, 2, "type: B.xml C.xml"},
        Case{"MisspeltNode", {"get", "RRCConnectionSetup.xml", "rb-Identty"}, false, 1, "'rb-Identity'?"},
        Case{"StructureIsNoValue", {"get", "RRCConnectionSetup.xml", "new-U-RNTI"}, false, 1, "holds elements"},
        Case{"WrongPath", {"get", "RRCConnectionSetup.xml", kSetup + ".bogus"}, false, 1, "no element 'bogus'"},
        Case{"IndexOutOfRange",
             {"set", "RRCConnectionSetup.xml", "rb-Identity", "1", "--index", "4"},
             false,
             1,
             "selects 4 elements"},
        Case{"IndexOnAPath",
             {"set", "RRCConnectionSetup.xml", kSetup + ".rb-Identity", "1", "--index", "0"},
             false,
             1,
             "a dotted path names one"},
        Case{"MissingArgument", {"get", "RRCConnectionSetup.xml"}, false, 2, "l3xml: PATH_OR_NAME is required"},
        Case{"UnknownCell", {"--cell", "ThirdCell", "type", "X.xml"}, false, 2, "ThirdCell not in"},
        Case{"NoSubcommand", {}, false, 2, "a subcommand is required"},
        Case{"PixitFromStandardInputNeedsTypes",
             {"--pixit", "-", "flatten", "IdentityRequest.xml"},
             false,
             2,
             "needs --types"},
        Case{"DiffTrouble", {"diff", "Nope.xml"}, false, 2, "not found"},
        Case{"DryRunNeedsAssociate", {"load", kPixit, "--dry-run"}, false, 2, "--dry-run goes with --associate"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST_F(CliTest, AnyPixitAndTypeFileAndNoLogUnlessAsked) {
  std::filesystem::rename(file("L3_WCDMA_PIXIT.xml"), file("lab_campaign.xml"));
  const CliResult chosenByName = run({"run", framework, "--pixit", "lab_campaign.xml"});
  EXPECT_EQ(chosenByName.status, 1);
  EXPECT_NE(chosenByName.err.find("the type file Types.xml that goes with lab_campaign.xml is not in the framework"),
            std::string::npos)
      << chosenByName.err;
  EXPECT_EQ(chosenByName.err.find(dir / "tmp"), std::string::npos) << "names a removed temporary folder";
  const CliResult typesGiven =
      run({"run", framework, "--pixit", "lab_campaign.xml", "--types", "L3_Wcdma_Types.xml", "--log", "run.log"});
  EXPECT_EQ(typesGiven.status, 0) << typesGiven.err;
  EXPECT_TRUE(fileExists(dir / "run.log"));
  EXPECT_FALSE(fileExists(dir / "Debug_Log.log"));

  writeFile(file("Other_PIXIT.xml"), readFile(file("lab_campaign.xml")));
  const CliResult several = inFramework({"flatten", "RRCConnectionRelease.xml"});
  EXPECT_EQ(several.status, 1);
  EXPECT_NE(several.err.find("several PIXIT files"), std::string::npos) << several.err;
}

}  // namespace
}  // namespace l3xml_test
