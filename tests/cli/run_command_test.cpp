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

bool holdsAll(const std::string& out) {
  for (const char* line : kExpectedLines) {
    if (out.find(line) == std::string::npos) return false;
  }
  return true;
}

using RunTest = CliTest;

TEST_F(RunTest, PrintsEveryLineAndTheSummaryAndLeavesNoTrace) {
  const auto before = hashes(framework);
  const CliResult result = shell("cd fw && \"$L3XML\" run");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(holdsAll(result.out)) << result.out;
  for (const char* summary :
       {"templates:             19 (12 PrimaryCell, 3 SecondaryCell, 4 NASMessage)\n",
        "PIXIT parameters:      39 (L3_WCDMA_PIXIT.xml)\n", "values written:        71 (in 19 working copies)\n",
        "unresolved references: 0\n", "errors:                0\n", "warnings:              0\n"}) {
    EXPECT_NE(result.out.find(summary), std::string::npos) << summary;
  }
  EXPECT_EQ(hashes(framework), before);
  EXPECT_TRUE(leftovers().empty());

  const nlohmann::json document = json(run({"run", framework, "--json"}));
  ASSERT_EQ(document["templates"].size(), 19u);
  for (const nlohmann::json& entry : document["templates"]) {
    const std::string line = entry["label"].get<std::string>() + ": " + entry["flattened"].get<std::string>() + "\n";
    EXPECT_NE(result.out.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(document["summary"]["valuesWritten"], 71);
  EXPECT_EQ(document["diagnostics"], nlohmann::json::array());
}

TEST_F(RunTest, ExampleFrameworkOrAFolderThatIsOne) {
  const CliResult example = run({"run", "--example"});
  EXPECT_EQ(example.status, 0) << example.err;
  EXPECT_TRUE(holdsAll(example.out));
  const CliResult here = run({"run"});
  EXPECT_EQ(here.status, 1);
  EXPECT_NE(here.err.find("is not a framework folder"), std::string::npos) << here.err;
  EXPECT_EQ(run({"run", "--example", framework}).status, 2);
}

TEST_F(RunTest, WorkInPlaceKeepsTheWorkingCopies) {
  ASSERT_EQ(run({"run", framework, "--work", framework}).status, 0);
  EXPECT_TRUE(fileExists(file("temp/PrimaryCell/SecurityModeCommand.xml")));
  EXPECT_TRUE(fileExists(file("temp/SecondaryCell/SystemInformationBlockType3.xml")));
}

// A template that fails (malformed, nested too deep) fails the run but never changes the lines of
// the templates after it: the deep one comes first, and the brace counter must not carry over. (Its
// braces also fill the line before the walk gets too deep: a third error.)
TEST_F(RunTest, FailedTemplatesLeaveTheOtherLinesAlone) {
  std::string deep;
  for (int i = 0; i < 10002; ++i) deep += "<SEQUENCE>";
  for (int i = 0; i < 10002; ++i) deep += "</SEQUENCE>";
  writeFile(file("RRCMessage/PrimaryCell/AAADeep.xml"), "<AAADeep>" + deep + "</AAADeep>\n");
  writeFile(file("RRCMessage/SecondaryCell/PagingType1.xml"), "<PagingType1>\n  <a>1</b>\n</PagingType1>\n");
  const CliResult result = run({"run", framework});
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(holdsAll(result.out)) << result.out;
  EXPECT_NE(result.err.find("RRCMessage/SecondaryCell/PagingType1.xml:2:"), std::string::npos) << result.err;
  EXPECT_NE(result.out.find(", 2 failed\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("errors:                3\n"), std::string::npos) << result.out;
}

// The temporary copy is removed when the run is interrupted and when its reader goes away.
TEST_F(RunTest, TemporaryCopyIsGoneAfterAnInterruptOrAClosedPipe) {
  const std::string setup = readFile(file("RRCMessage/PrimaryCell/RRCConnectionSetup.xml"));
  for (int i = 0; i < 1500; ++i) writeFile(file("RRCMessage/PrimaryCell/Copy" + std::to_string(i) + ".xml"), setup);
  // The lines go into a pipe that is not read on until the signal is sent: the run, which prints
  // far more than a pipe holds, cannot end before it, however fast it is.
  const CliResult interrupted = shell(
      "mkfifo run.out\n"
      "env --default-signal=INT \"$L3XML\" run fw >run.out 2>run.err & pid=$!\n"
      "exec 3<run.out; read -r line <&3\n"
      "kill -INT $pid; cat <&3 >/dev/null; wait $pid; echo $?");
  EXPECT_EQ(interrupted.out, "130\n") << interrupted.err;
  EXPECT_TRUE(leftovers().empty());

  const CliResult piped = shell("{ \"$L3XML\" run fw; echo $? >status; } | head -1; cat status");
  EXPECT_EQ(piped.out.substr(piped.out.find('\n') + 1), "141\n") << piped.out << piped.err;
  EXPECT_TRUE(leftovers().empty());
}

}  // namespace
}  // namespace l3xml_test
