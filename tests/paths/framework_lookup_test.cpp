// The framework file lookup over a real folder tree.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "library_test.h"
#include "platform/file_system.h"
#include "test_files.h"

namespace l3xml_test {
namespace {

class FrameworkLookupTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    setFrameworkUserSourcepath_WCDMA(user.c_str());
    setFrameworkSourcepath_WCDMA(system.c_str());
  }
  // Creates name in each relative folder, in order, and expects the lookup to walk them in
  // the same order as each found candidate is removed in turn.
  void expectOrder(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) writeFile(candidate, "<a/>");
    for (const std::string& candidate : candidates) {
      EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA("M.xml"), nativePath(candidate));
      std::filesystem::remove(candidate);
    }
    EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA("M.xml"), "");
  }

  TempDir dir;
  std::string user = dir / "user";
  std::string system = dir / "system";
};

TEST_F(FrameworkLookupTest, PrimaryCellCandidatesInOrder) {
  expectOrder({system + "/temp/PrimaryCell/M.xml", user + "/Command/PrimaryCell/M.xml",
               user + "/RRCMessage/PrimaryCell/M.xml", system + "/Command/PrimaryCell/M.xml",
               system + "/RRCMessage/PrimaryCell/M.xml", user + "/NASMessage/M.xml", system + "/NASMessage/M.xml",
               system + "/temp/M.xml", user + "/M.xml", system + "/M.xml", system + "/RFTestCases/M.xml"});
}

TEST_F(FrameworkLookupTest, SecondaryCellCandidatesInOrder) {
  setLowCellName_WCDMA("SecondaryCell");
  writeFile(system + "/temp/PrimaryCell/M.xml", "<a/>");
  expectOrder({system + "/temp/SecondaryCell/M.xml", user + "/Command/SecondaryCell/M.xml",
               user + "/RRCMessage/SecondaryCell/M.xml", system + "/Command/SecondaryCell/M.xml",
               system + "/RRCMessage/SecondaryCell/M.xml", user + "/NASMessage/M.xml", system + "/NASMessage/M.xml",
               system + "/temp/M.xml", user + "/M.xml", system + "/M.xml", system + "/RFTestCases/M.xml"});
}

class CellNameTest : public FrameworkLookupTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CellNameTest, AnythingButTheExactSecondaryNameUsesThePrimaryList) {
  setLowCellName_WCDMA(GetParam());
  writeFile(system + "/RRCMessage/PrimaryCell/M.xml", "<a/>");
  writeFile(system + "/RRCMessage/SecondaryCell/M.xml", "<a/>");
  EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA("M.xml"), nativePath(system + "/RRCMessage/PrimaryCell/M.xml"));
}

INSTANTIATE_TEST_SUITE_P(Cells, CellNameTest,
                         ::testing::Values("", "PrimaryCell", "secondarycell", "SECONDARYCELL", "SecondaryCell ",
                                           "Secondary"));

// Nothing is cached between calls, a null cell means the primary cell, and a folder counts as found.
TEST_F(FrameworkLookupTest, EachCallLooksAgain) {
  EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA("M.xml"), "");
  setLowCellName_WCDMA("SecondaryCell");
  setLowCellName_WCDMA(nullptr);
  writeFile(system + "/RRCMessage/PrimaryCell/M.xml", "<a/>");
  EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA("M.xml"), nativePath(system + "/RRCMessage/PrimaryCell/M.xml"));
  std::filesystem::create_directories(user + "/Command/PrimaryCell/M.xml");
  EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA("M.xml"), nativePath(user + "/Command/PrimaryCell/M.xml"));
  EXPECT_TRUE(logs().empty());
}

std::vector<std::string> testedCandidates;
bool recordCandidate(const char* path) {
  testedCandidates.push_back(path);
  return false;
}

TEST_F(FrameworkLookupTest, OnlySystemSetTestsCandidatesWithoutBase) {
  setFrameworkUserSourcepath_WCDMA(nullptr);
  testedCandidates.clear();
  l3xml::platform::fileOperations().exists = &recordCandidate;
  EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA("M.xml"), "");
  l3xml::platform::fileOperations() = l3xml::platform::systemFileOperations();
  std::vector<std::string> expected = {system + "/temp/PrimaryCell/M.xml",
                                       "/Command/PrimaryCell/M.xml",
                                       "/RRCMessage/PrimaryCell/M.xml",
                                       system + "/Command/PrimaryCell/M.xml",
                                       system + "/RRCMessage/PrimaryCell/M.xml",
                                       "/NASMessage/M.xml",
                                       system + "/NASMessage/M.xml",
                                       system + "/temp/M.xml",
                                       "/M.xml",
                                       system + "/M.xml",
                                       "/CorvelGuiFolder/M.xml",
                                       system + "/RFTestCases/M.xml"};
  for (std::string& candidate : expected) candidate = nativePath(candidate);
#if defined(_WIN32)
  expected[10] = "c:\\CorvelGuiFolder\\M.xml";  // the fixed folder is on drive C: there
#endif
  EXPECT_EQ(testedCandidates, expected);
}

TEST_F(FrameworkLookupTest, BothBasesUnsetLogsAndFindsNothing) {
  setFrameworkUserSourcepath_WCDMA("");
  setFrameworkSourcepath_WCDMA(nullptr);
  EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA("M.xml"), "");
  EXPECT_EQ(logs(), (std::vector<LogRecord>{{8, "user source file path and system source path are not set "}}));
}

}  // namespace
}  // namespace l3xml_test
