// Exit statuses (0 done, 1 failed with the reason, 2 not understood) and where the log goes.
#include <filesystem>

#include "cli_runner.h"

namespace l3xml_test {
namespace {

struct Case {
  const char* name;
  std::vector<std::string> arguments;  // after --system <framework copy>
  int status;
  const char* message;  // part of standard error
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ExitStatusTest : public CliTest, public ::testing::WithParamInterface<Case> {
 protected:
  void SetUp() override {
    writeFile(frameworkFile("RRCMessage/PrimaryCell/Malformed.xml"), "<Malformed>\n  <a>1</b>\n</Malformed>\n");
  }
};

TEST_P(ExitStatusTest, StatusAndMessage) {
  const Case& c = GetParam();
  const CliResult result = runOnFramework(c.arguments);
  EXPECT_EQ(result.status, c.status) << result.out << result.err;
  EXPECT_NE((result.out + result.err).find(c.message), std::string::npos) << result.err;
}

const std::string kSetup = "RRCConnectionSetup.c1.r3.rrcConnectionSetup-r3";

INSTANTIATE_TEST_SUITE_P(
    Cli, ExitStatusTest,
    ::testing::Values(
        Case{"HelpHasAnExample", {"get", "--help"}, 0, "Examples:\n  l3xml"},
        Case{"MissingFile", {"flatten", "Nope.xml"}, 1, "Nope.xml was not found in the system folder"},
        Case{"MalformedFile", {"show", "Malformed.xml"}, 1, "Malformed.xml is not well-formed XML"},
        Case{"MalformedFileFlattened", {"flatten", "Malformed.xml"}, 1, "(line 2, column"},
        Case{"UnknownName", {"get", "RRCConnectionSetup.xml", "noSuchNode"}, 1, "has no element named noSuchNode"},
        Case{"WrongPath", {"get", "RRCConnectionSetup.xml", kSetup + ".bogus.leaf"}, 1, "has no element 'bogus'"},
        Case{"WrongRoot", {"get", "RRCConnectionSetup.xml", "Setup.c1"}, 1, "starts with the root element"},
        Case{"StructureIsNoValue", {"get", "RRCConnectionSetup.xml", "new-U-RNTI"}, 1, "holds elements, not a value"},
        Case{"PathToAStructure", {"get", "RRCConnectionSetup.xml", kSetup + ".new-U-RNTI"}, 1, "holds elements"},
        Case{"SelectorThatIsNoName", {"set", "RRCConnectionSetup.xml", "a b", "1"}, 1, "neither"},
        Case{"PlaceholderNotInFile", {"set", "RRCConnectionSetup.xml", "px_Nothing", "1"}, 1, "holds px_Nothing"},
        Case{"IndexOutOfRange",
             {"set", "RRCConnectionSetup.xml", "rb-Identity", "1", "--index", "4"},
             1,
             "selects 4 element(s)"},
        Case{"NoWorkingCopyToCompare", {"diff", "IdentityRequest.xml"}, 1, "has no working copy"},
        Case{"MissingUserFolder",
             {"--user", "/nonexistent/l3xml", "type", "AttachAccept.xml"},
             1,
             "the user folder /nonexistent/l3xml does not exist"},
        Case{"MissingPixitFile", {"load", "/nonexistent/PIXIT.xml"}, 1, "does not exist"},
        Case{"IndexOnAPath",
             {"set", "RRCConnectionSetup.xml", kSetup + ".rb-Identity", "1", "--index", "0"},
             2,
             "--index"},
        Case{"UnknownOption", {"flatten", "--bogus", "X.xml"}, 2, "--bogus"},
        Case{"MissingArgument", {"get", "RRCConnectionSetup.xml"}, 2, "PATH_OR_NAME is required"},
        Case{"UnknownCell", {"--cell", "ThirdCell", "type", "X.xml"}, 2, "ThirdCell not in"},
        Case{"NoSubcommand", {}, 2, "a subcommand is required"},
        Case{"NotANumber", {"set", "A.xml", "b", "c", "--index", "two"}, 2, "--index"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST_F(ExitStatusTest, FailureInJsonModeStillPrintsJson) {
  const CliResult result = runOnFramework({"type", "Nope.xml", "--json"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(parseJson(result)["error"].get<std::string>().find("Nope.xml"), std::string::npos);
}

class LogTest : public CliTest {};

TEST_F(LogTest, DefaultLogIsDebugLogInTheCurrentFolder) {
  ASSERT_EQ(runOnFramework({"flatten", "Nope.xml"}).status, 1);
  EXPECT_NE(readFile(dir / "Debug_Log.log").find("[ERR]"), std::string::npos);
}

TEST_F(LogTest, LogOptionChoosesTheFileOrStandardErrorAndQuietSilencesIt) {
  ASSERT_EQ(runOnFramework({"--log", dir / "run.log", "flatten", "Nope.xml"}).status, 1);
  EXPECT_NE(readFile(dir / "run.log").find("getFrameworkCompleteFilePath_WCDMA"), std::string::npos);

  const CliResult toStandardError = runOnFramework({"--log", "-", "flatten", "Nope.xml"});
  EXPECT_NE(toStandardError.err.find("[ERR]"), std::string::npos);

  ASSERT_EQ(runOnFramework({"--quiet", "flatten", "Nope.xml"}).status, 1);
  EXPECT_FALSE(fileExists(dir / "Debug_Log.log"));
}

}  // namespace
}  // namespace l3xml_test
