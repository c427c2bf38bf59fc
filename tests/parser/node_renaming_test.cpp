// Renaming nodes by a text rewrite of the template into its working copy.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "library_test.h"
#include "platform/file_system.h"

namespace l3xml_test {
namespace {

class NodeRenamingTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    std::filesystem::create_directories(system + "/temp");
  }
  // Renames in a template holding content; the working copy's content, or "<failed>".
  std::string rename(const std::string& content, const char* oldName, const char* newName) {
    const std::string found = place("RRCMessage/PrimaryCell/R.xml", content);
    std::string file = "R.xml";
    const long result = CXMLParser().UpdateNodeName(file, const_cast<char*>(oldName), const_cast<char*>(newName));
    EXPECT_EQ(readFile(found), content);
    return result == 0 ? readFile(system + "/temp/R.xml") : "<failed>";
  }
};

struct Rename {
  const char* name;
  std::string content;
  const char* oldName;
  const char* newName;
  std::string renamed;
};

class NodeRenameTest : public NodeRenamingTest, public ::testing::WithParamInterface<Rename> {};

TEST_P(NodeRenameTest, RewritesTheFirstOccurrenceOfEachPiece) {
  EXPECT_EQ(rename(GetParam().content, GetParam().oldName, GetParam().newName), GetParam().renamed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NodeRenameTest,
    ::testing::Values(
        Rename{"EqualLengthTagsOnTwoLines", "<M>\n<abc>\n1</abc>\n</M>\n", "abc", "xyz", "<M>\n<xyz>\n1</xyz>\n</M>\n"},
        Rename{"TagsOnOneLine", "<M><abc>1</abc></M>", "abc", "xyz", "<M><xyz>1</abc></M>"},
        Rename{"EarlierOccurrenceWins", "<abcd><abc>1</abc></abcd>", "abc", "xyz", "<xyzd><abc>1</abc></abcd>"},
        Rename{"ShorterNameLeavesTheTail", "<M>\n<abcdef/>\n</M>", "abcdef", "xyz", "<M>\n<xyzdef/>\n</M>"},
        Rename{"LongerNameOverwritesWhatFollows", "<M>\n<ab>1</ab>\n</M>", "ab", "wxyz", "<M>\n<wxyz</ab>\n</M>"},
        Rename{"LongerNameIsCutAtThePieceEnd", "<M>\n<ab", "ab", "wxyz", "<M>\n<wx"},
        Rename{"NoOccurrenceCopies", "<M>\r\n<a/>\r\n</M>\r\n", "zz", "yy", "<M>\r\n<a/>\r\n</M>\r\n"},
        Rename{"LongLineIsReadInPieces", "bc" + std::string(252, '.') + "bc bc\n", "bc", "XY",
               "XY" + std::string(252, '.') + "XY bc\n"},
        Rename{"OccurrenceSplitAcrossPiecesIsNotFound", std::string(253, ' ') + "abc\n", "abc", "XYZ",
               std::string(253, ' ') + "abc\n"}),
    [](const ::testing::TestParamInfo<Rename>& info) { return std::string(info.param.name); });

TEST_F(NodeRenamingTest, MissingFilesFailWithoutChangingAnything) {
  std::string file = "None.xml";
  EXPECT_EQ(CXMLParser().UpdateNodeName(file, const_cast<char*>("a"), const_cast<char*>("b")), -1000);
  EXPECT_EQ(logs().back(), (LogRecord{kDebug, "CXMLParser::UpdateNodeName :File not created = "}));

  place("RRCMessage/PrimaryCell/R.xml", "<a/>");
  std::string elsewhere = system + "/nowhere";
  SetXMLParserSourcePath_WCDMA(elsewhere.data());
  file = "R.xml";
  EXPECT_EQ(CXMLParser().UpdateNodeName(file, const_cast<char*>("a"), const_cast<char*>("b")), -1000);
  // A work folder that is not there cannot be locked for the rewrite.
  EXPECT_EQ(logs().back().level, kError);
  EXPECT_NE(logs().back().message.find("CXMLParser::UpdateNodeName: the work folder " + elsewhere), std::string::npos);
}

// Each step of the rewrite made to fail: the earlier working copy stays whole, no temp.xml is left.
TEST_F(NodeRenamingTest, AFailedStepLeavesTheWorkingCopyAsItWas) {
  using Operations = l3xml::platform::FileOperations;
  const std::pair<const char*, void (*)(Operations&)> steps[] = {
      {"open", [](Operations& o) { o.open = [](const char*, const char*) -> std::FILE* { return nullptr; }; }},
      {"create", [](Operations& o) { o.createNew = [](const char*) -> std::FILE* { return nullptr; }; }},
      {"read", [](Operations& o) { o.error = [](std::FILE*) { return 1; }; }},
      {"write",
       [](Operations& o) {
         o.write = [](const void*, std::size_t, std::size_t, std::FILE*) -> std::size_t { return 0; };
       }},
      {"close",
       [](Operations& o) {
         o.close = [](std::FILE* f) { return l3xml::platform::systemFileOperations().close(f), EOF; };
       }},
      {"move", [](Operations& o) { o.replace = [](const char*, const char*) { return false; }; }}};
  place("RRCMessage/PrimaryCell/R.xml", "<a/>");
  for (const auto& [step, fail] : steps) {
    SCOPED_TRACE(step);
    writeFile(system + "/temp/R.xml", "<earlier/>");
    fail(l3xml::platform::fileOperations());
    std::string file = "R.xml";
    EXPECT_EQ(CXMLParser().UpdateNodeName(file, const_cast<char*>("a"), const_cast<char*>("b")), -1000);
    l3xml::platform::fileOperations() = l3xml::platform::systemFileOperations();
    EXPECT_EQ(readFile(system + "/temp/R.xml"), "<earlier/>");
    EXPECT_FALSE(fileExists(system + "/temp/temp.xml"));
  }
}

}  // namespace
}  // namespace l3xml_test
