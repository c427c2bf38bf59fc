// Campaign checking, impact and campaign comparison over copies of the example framework.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include <l3xml/framework.h>

#include "library_test.h"

namespace l3xml_test {
namespace {

namespace fs = std::filesystem;

class CampaignCheckTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    fs::copy(L3XML_EXAMPLE_FRAMEWORK, system, fs::copy_options::recursive);
    fs::remove_all(system + "/temp");
  }
  // Replaces the one occurrence of from in a file of the framework; with from empty, writes the file.
  void edit(const std::string& file, const std::string& from, const std::string& to) {
    const fs::path path = fs::path(system) / file;
    fs::create_directories(path.parent_path());
    std::string text = from.empty() ? std::string() : readFile(path.string());
    const std::string::size_type at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    writeFile(path.string(), text.replace(at, from.size(), to));
  }
  std::string relative(const std::string& file) const {
    return fs::path(file).lexically_relative(system).generic_string();
  }

  TempDir dir;
  std::string system = dir / "fw";
  l3xml::Framework framework{l3xml::Folders{system, "", l3xml::kPrimaryCell, ""}};
};

std::string describe(const l3xml::Diagnostics& diagnostics) {
  std::string text;
  for (const l3xml::Diagnostic& d : diagnostics) {
    text += d.file + ":" + std::to_string(d.line) + ": " + d.message + " [" + d.code + "]\n";
  }
  return text;
}

TEST_F(CampaignCheckTest, TheExampleHasNoFindingsAndNothingIsWritten) {
  const l3xml::Diagnostics diagnostics = framework.check();
  EXPECT_TRUE(diagnostics.empty()) << describe(diagnostics);
  EXPECT_FALSE(fs::exists(system + "/temp"));
}

// One defect in a fresh copy of the example: the code it must give, at the file and line.
struct Defect {
  const char* code;
  const char* file;
  std::string from;  // empty: the file is written whole
  std::string to;
  const char* reported;
  long line;
};

constexpr const char* kPixit = "L3_WCDMA_PIXIT.xml";
constexpr const char* kRelease = "RRCMessage/PrimaryCell/RRCConnectionRelease.xml";
const std::string kReleaseComment = R"(Comment="RRCMessage\PrimaryCell\RRCConnectionRelease.xml")";

// One level deeper than the flattening takes (wine's XML service loads no more than 257).
std::string nested(int depth) {
  std::string open;
  std::string close;
  for (int i = 0; i < depth; ++i) open += "<a>", close += "</a>";
  return "<M>\n" + open + close + "\n</M>\n";
}

const Defect kDefects[] = {
    {"malformed-xml", kRelease, "<n-308>2</n-308>", "<n-308>2</n-309>", kRelease, 12},
    {"missing-template", kPixit, kReleaseComment, R"(Comment="RRCMessage\PrimaryCell\RRCConnectionReleas.xml")", kPixit,
     7},
    {"no-target", kPixit, kReleaseComment, R"(Comment="RRCMessage\PrimaryCell\UECapabilityEnquiry.xml")", kPixit, 7},
    {"unresolved-reference", kRelease, "<n-308>2<", "<n-308>px_Nowhere<", kRelease, 12},
    {"unknown-type", kPixit, R"(Type="ReleaseCause")", R"(Type="ReleaseCauses")", kPixit, 7},
    {"bad-enum", kPixit, R"(Value="normalEvent")", R"(Value="normalEvnt")", kPixit, 7},
    {"bad-boolean", kPixit, R"(Value="TRUE")", R"(Value="0")", kPixit, 28},
    {"out-of-range", kPixit, R"(Value="150")", R"(Value="999")", kPixit, 10},
    {"bad-binary", kPixit, R"(Value="1234")", R"(Value="2000000")", kPixit, 9},
    {"line-too-long", kRelease, "<n-308>2<", "<n-308>" + std::string(5000, '1') + "<", kRelease, 12},
    {"too-deep", "NASMessage/Deep.xml", "", nested(10002), "NASMessage/Deep.xml", 2},
    {"association-unbound", "AssociationFile.xml", R"(Name="startRestart")", R"(Name="startRestartt")",
     "AssociationFile.xml", 20},
    {"duplicate-parameter", kPixit, "</PIXIT>", "  <Param Name=\"px_LAC\" Type=\"LAC\" Value=\"2\"/>\n</PIXIT>", kPixit,
     44},
    {"unused-parameter", kPixit, "</PIXIT>", "  <Param Name=\"px_Lonely\" Type=\"LAC\" Value=\"2\"/>\n</PIXIT>", kPixit,
     44},
    {"ambiguous-pixit", "Other_PIXIT.xml", "", "<PIXIT/>\n", "Other_PIXIT.xml", 0},
    {"shadowed-template", "Command/PrimaryCell/RRCConnectionRelease.xml", "",
     "<M>\n  <a>px_RRC_TransactionId</a>\n  <b>px_ReleaseCause</b>\n</M>\n",
     "Command/PrimaryCell/RRCConnectionRelease.xml", 0},
};

class CheckDefectTest : public CampaignCheckTest, public ::testing::WithParamInterface<Defect> {};

// The defect is reported where it is, and nothing else is reported under another code.
TEST_P(CheckDefectTest, IsReportedWithItsCodeFileAndLine) {
  const Defect& defect = GetParam();
  if (underEmulatedService() && std::string(defect.code) == l3xml::codes::kTooDeep) {
    GTEST_SKIP() << "the emulated service loads no document nested deeper than 257 levels";
  }
  edit(defect.file, defect.from, defect.to);
  const l3xml::Diagnostics diagnostics = framework.check();
  bool found = false;
  for (const l3xml::Diagnostic& diagnostic : diagnostics) {
    EXPECT_EQ(diagnostic.code, defect.code) << describe(diagnostics);
    found = found ||
            (relative(diagnostic.file) == defect.reported && diagnostic.line == (kPositionsKnown ? defect.line : 0));
  }
  EXPECT_TRUE(found) << describe(diagnostics);
  EXPECT_FALSE(fs::exists(system + "/temp"));
}

INSTANTIATE_TEST_SUITE_P(OneDefectEach, CheckDefectTest, ::testing::ValuesIn(kDefects),
                         [](const ::testing::TestParamInfo<Defect>& info) {
                           std::string name = info.param.code;
                           name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                           return name;
                         });

TEST_F(CampaignCheckTest, ImpactListsCommentPlaceholderAndAssociationReach) {
  edit(kPixit, R"(RRCMessage\PrimaryCell\RadioBearerSetup.xml,RRCMessage\PrimaryCell\ActiveSetUpdate.xml)",
       R"(RRCMessage\PrimaryCell\ActiveSetUpdate.xml)");
  const l3xml::Result<l3xml::Campaign> campaign = framework.loadCampaign();
  const l3xml::Result<std::vector<l3xml::Reach>> reach = framework.impact(*campaign, "px_MaxAllowedULTxPower");
  ASSERT_TRUE(reach) << describe(reach.diagnostics());
  std::map<std::string, int> ways;
  for (const l3xml::Reach& place : *reach) {
    ++ways[place.how];
    // wine's XML service saves no whitespace-only text, after which a parent element's text can read
    // as a reference in the working copy.
    if (!underEmulatedService()) {
      EXPECT_EQ(place.part, "21") << place.templateName << " " << place.path;
    }
  }
  EXPECT_EQ(ways, (std::map<std::string, int>{{"association", 2}, {"comment", 6}, {"placeholder", 1}}));
}

// Three values differ; the third one reaches nothing.
TEST_F(CampaignCheckTest, CompareCampaignsGivesTheFieldsThatChange) {
  fs::create_directories(system + "/alt");
  std::string changed = readFile(system + "/" + kPixit);
  for (auto [from, to] :
       {std::pair{"\"normalEvent\"", "\"congestion\""}, {"\"150\"", "\"151\""}, {"\"-60.0\"", "\"-61.0\""}}) {
    changed.replace(changed.find(from), std::string(from).size(), to);
  }
  writeFile(system + "/alt/" + kPixit, changed);
  const l3xml::Result<l3xml::Campaign> before = framework.loadCampaign();
  const l3xml::Result<l3xml::Campaign> after =
      framework.loadCampaign({system + "/alt/" + kPixit, "", l3xml::AssociationMode::kRead});
  const l3xml::Result<std::vector<l3xml::FieldDifference>> differences = framework.compareCampaigns(*before, *after);
  ASSERT_TRUE(differences) << describe(differences.diagnostics());
  ASSERT_EQ(differences->size(), 5u);  // the release cause, and the scrambling code in four templates
  const l3xml::FieldDifference& cause = differences->at(1);
  EXPECT_EQ(cause.templateName, "RRCConnectionRelease.xml");
  EXPECT_EQ(cause.path, "RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.releaseCause");
  EXPECT_EQ(cause.before + " " + cause.after, "0 3");
}

}  // namespace
}  // namespace l3xml_test
