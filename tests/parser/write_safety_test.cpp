// Writes stay in the framework, never follow links, serialise across processes and stay linear.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <l3xml/l3xml.h>

#include "library_test.h"
#include "params/association_file.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace l3xml_test {
namespace {

namespace fs = std::filesystem;

const char* const kOutside = "<V>px_Victim</V>";

class WriteSafetyTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    fs::create_directories(system + "/temp");
    place("RRCMessage/PrimaryCell/M.xml", "<M>\n  <a>px_A</a>\n  <b>px_B</b>\n</M>\n");
    writeFile(victim, kOutside);
    place("AssociationFile.xml", "");
  }
  // Every file under the test's folder outside the system folder's temp tree, with its content
  // (the lock and the association file the test writes aside).
  std::map<std::string, std::string> outsideTheTempTree() {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      const std::string path = entry.path().string();
      if (entry.is_regular_file() && path.rfind(system + "/temp", 0) != 0 && entry.path().filename() != "l3xml.lock" &&
          entry.path().filename() != "AssociationFile.xml") {
        files[path] = readFile(path);
      }
    }
    return files;
  }
  std::string victim = dir / "victim.xml";
};

// A name for the victim from the system folder, and from the template folders below it.
struct Traversal {
  const char* name;
  std::string (*fileName)(const std::string& victim);
};

// Each call the lookup serves, with the victim's name; the errors must name the call.
struct Call {
  const char* name;
  const char* logged;
  std::function<void(std::string)> invoke;
};

class TraversalTest : public WriteSafetyTest, public ::testing::WithParamInterface<std::tuple<Traversal, Call>> {};

TEST_P(TraversalTest, IsRefusedAndChangesNothingOutsideTheTempTree) {
  const auto& [traversal, call] = GetParam();
  const std::string name = traversal.fileName(victim);
  const auto before = outsideTheTempTree();
  call.invoke(name);
  EXPECT_EQ(outsideTheTempTree(), before);
  EXPECT_TRUE(logged(kError, std::string(call.logged) + ": the file name " + name +
                                 " is refused: a file name may not be absolute or contain a '..' component"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, TraversalTest,
    ::testing::Combine(
        ::testing::Values(Traversal{"Parent", [](const std::string&) { return std::string("../victim.xml"); }},
                          Traversal{"Absolute", [](const std::string& v) { return v; }},
                          Traversal{"MixedSeparators",
                                    [](const std::string&) { return std::string("RRCMessage\\..\\../../victim.xml"); }},
                          Traversal{"BackslashesOnly", [](const std::string&) { return std::string("..\\victim.xml"); }}),
        ::testing::Values(
            Call{"Lookup", "getFrameworkCompleteFilePath_WCDMA",
                 [](std::string name) { EXPECT_EQ(getFrameworkCompleteFilePath_WCDMA(name), ""); }},
            Call{"GetVals", "CXMLParser::GetVals",
                 [](std::string name) { (void)CXMLParser().GetVals(name, const_cast<char*>("V")); }},
            Call{"SetVal", "CXMLParser::SetVal",
                 [](std::string name) {
                   EXPECT_FALSE(CXMLParser().SetVal(name, const_cast<char*>("px_Victim"), const_cast<char*>("X")));
                 }},
            Call{"UpdateNodeName", "CXMLParser::UpdateNodeName",
                 [](std::string name) {
                   EXPECT_EQ(CXMLParser().UpdateNodeName(name, const_cast<char*>("V"), const_cast<char*>("W")), -1000);
                 }},
            Call{"AssociationEntry", "AssociationFileParse",
                 [](std::string name) {
                   writeFile(getFrameworkCompleteFilePath_WCDMA("AssociationFile.xml"),
                             "<A><E Name='px_P'><B Name='px_Victim' AssociationField='" + name +
                                 "' CellName='PrimaryCell'/></E></A>");
                   ParamStructure parameter;
                   parameter.value = "X";
                   EXPECT_EQ(AssociationFileParse("AssociationFile.xml", {}, {{"px_P", parameter}}), 0);
                 }})),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

#if !defined(_WIN32)
// A link planted at each intermediate name: the link is replaced, its target never written, and
// the log lines still name the fixed intermediate files.
TEST_F(WriteSafetyTest, LinksAtIntermediateNamesAreNeverFollowed) {
  const std::string copy = system + "/temp/PrimaryCell/M.xml";
  fs::create_directories(system + "/temp/PrimaryCell");
  fs::create_symlink(victim, system + "/newFile.xml");
  fs::create_symlink(victim, system + "/temp/temp.xml");
  fs::create_symlink(victim, copy + ".l3xml-save");
  fs::create_symlink(victim, copy + ".l3xml-copy");
  std::string file = "M.xml";
  ASSERT_TRUE(CXMLParser().SetVal(file, const_cast<char*>("px_A"), const_cast<char*>("1"), 0));
  EXPECT_TRUE(logged(kDebug, "Source File " + system + "/newFile.xml"));
  ASSERT_EQ(CXMLParser().UpdateNodeName(file, const_cast<char*>("b>"), const_cast<char*>("c>")), 0);
  EXPECT_TRUE(logged(kDebug, "CXMLParser::UpdateNodeName :outputSourcePath = " + system + "/temp/temp.xml"));
  EXPECT_EQ(readFile(victim), kOutside);
  EXPECT_FALSE(fs::exists(fs::symlink_status(system + "/newFile.xml")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(system + "/temp/temp.xml")));
  EXPECT_EQ(readFile(system + "/temp/M.xml"), "<M>\n\t<a>1</a>\n\t<c>px_B</b>\n</M>");
}

// Two processes, 100 rounds each, into one working copy and into two working copies of one work
// folder (the four-argument form shares the trimming's intermediate file): nothing is lost.
TEST_F(WriteSafetyTest, TwoProcessesLoseNoUpdate) {
  constexpr int kRounds = 100;
  std::string shared;
  std::string own;
  for (int i = 0; i < kRounds; ++i) {
    for (const char side : {'p', 'q'})
      shared += "<" + std::string(1, side) + std::to_string(i) + ">px_" + side + std::to_string(i) + "</" + side +
                std::to_string(i) + ">";
    own += "<v" + std::to_string(i) + ">px_v" + std::to_string(i) + "</v" + std::to_string(i) + ">";
  }
  place("RRCMessage/PrimaryCell/S.xml", "<S>" + shared + "</S>");
  place("RRCMessage/PrimaryCell/P.xml", "<T>" + own + "</T>");
  place("RRCMessage/PrimaryCell/Q.xml", "<T>" + own + "</T>");
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    ASSERT_GE(children[child], 0);
    if (children[child] != 0) continue;
    const std::string side(1, child == 0 ? 'p' : 'q');
    bool all = true;
    for (int i = 0; i < kRounds; ++i) {
      std::string sharedFile = "S.xml";
      std::string ownFile = child == 0 ? "P.xml" : "Q.xml";
      const std::string value = std::to_string(i);
      all = CXMLParser().SetVal(sharedFile, const_cast<char*>(("px_" + side + value).c_str()),
                                const_cast<char*>(value.c_str())) &&
            all;
      all = CXMLParser().SetVal(ownFile, const_cast<char*>(("px_v" + value).c_str()), const_cast<char*>(value.c_str()),
                                0) &&
            all;
    }
    ::_exit(all ? 0 : 1);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int i = 0; i < kRounds; ++i) {
    const std::string n = std::to_string(i);
    const std::pair<const char*, std::string> expected[] = {
        {"S.xml", "p" + n}, {"S.xml", "q" + n}, {"P.xml", "v" + n}, {"Q.xml", "v" + n}};
    for (const auto& [file, node] : expected) {
      ASSERT_EQ(CXMLParser().GetVals(file, const_cast<char*>(node.c_str())).at(0), n) << file << " " << node;
    }
  }
}
#endif

struct BadValue {
  const char* name;
  std::string value;
};

class BadValueTest : public WriteSafetyTest, public ::testing::WithParamInterface<BadValue> {};

TEST_P(BadValueTest, IsRefusedAndNothingIsWritten) {
  std::string file = "M.xml";
  EXPECT_FALSE(CXMLParser().SetVal(file, const_cast<char*>("px_A"), const_cast<char*>(GetParam().value.c_str())));
  EXPECT_FALSE(fs::exists(system + "/temp/PrimaryCell/M.xml"));
  EXPECT_EQ(messagesAt(kError).size(), 1U);
}

INSTANTIATE_TEST_SUITE_P(Values, BadValueTest,
                         ::testing::Values(BadValue{"ControlCharacter", "a\x01z"}, BadValue{"Escape", "\x1B[0m"},
                                           BadValue{"TruncatedSequence", "\xC3"}, BadValue{"LoneContinuation", "a\x80"},
                                           BadValue{"Overlong", "\xC0\xAF"}, BadValue{"Surrogate", "\xED\xA0\x80"},
                                           BadValue{"NonCharacter", "\xEF\xBF\xBF"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteSafetyTest, ReadOnlyWorkingCopyIsReportedAndLeftAsItIs) {
  std::string file = "M.xml";
  ASSERT_TRUE(CXMLParser().SetVal(file, const_cast<char*>("px_A"), const_cast<char*>("1")));
  const std::string copy = system + "/temp/PrimaryCell/M.xml";
  const std::string before = readFile(copy);
  fs::permissions(copy, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#if !defined(_WIN32)
  if (::access(copy.c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore file modes";
#endif
  (void)CXMLParser().SetVal(file, const_cast<char*>("px_B"), const_cast<char*>("2"), 0);
  fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(readFile(copy), before);
  EXPECT_TRUE(logged(kError, "SetVal: the working copy is read-only and was left as it is: " + copy));
}

}  // namespace
}  // namespace l3xml_test
