// Writes stay in the framework, never follow links, serialise across processes.
#include <gtest/gtest.h>

#include <filesystem>

#include <l3xml/l3xml.h>

#include "library_test.h"
#include "params/association_file.h"
#include "platform/file_system.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace l3xml_test {
namespace {

namespace fs = std::filesystem;

class WriteSafetyTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    fs::create_directories(system + "/temp");
    place("RRCMessage/PrimaryCell/M.xml", "<M>\n  <a>px_A</a>\n  <b>px_B</b>\n</M>\n");
    writeFile(victim, "<V>px_V</V>");
  }
  bool set(std::string file, const std::string& selector, const std::string& value) {
    return CXMLParser().SetVal(file, const_cast<char*>(selector.c_str()), const_cast<char*>(value.c_str()), 0);
  }
  std::string victim = dir / "victim.xml";
};

// Each call the lookup serves, given names that lead out of the framework: refused with an error
// naming the call, and no file outside the temp tree changes (the victim is the only one there).
TEST_F(WriteSafetyTest, NamesLeadingOutAreRefused) {
  const std::string association = place("AssociationFile.xml", "");
  const std::pair<const char*, void (*)(std::string, const std::string&)> calls[] = {
      {"getFrameworkCompleteFilePath_WCDMA",
       [](std::string n, const std::string&) { (void)getFrameworkCompleteFilePath_WCDMA(n); }},
      {"CXMLParser::GetVals",
       [](std::string n, const std::string&) { (void)CXMLParser().GetVals(n, const_cast<char*>("V")); }},
      {"CXMLParser::SetVal",
       [](std::string n, const std::string&) {
         (void)CXMLParser().SetVal(n, const_cast<char*>("V"), const_cast<char*>("X"));
       }},
      {"CXMLParser::UpdateNodeName",
       [](std::string n, const std::string&) {
         (void)CXMLParser().UpdateNodeName(n, const_cast<char*>("V"), const_cast<char*>("W"));
       }},
      {"AssociationFileParse", [](std::string n, const std::string& file) {
         writeFile(file, "<A><E Name='px_P'><B Name='V' AssociationField='" + n + "' CellName='PrimaryCell'/></E></A>");
         ParamStructure p;
         p.value = "X";
         (void)AssociationFileParse("AssociationFile.xml", {}, {{"px_P", p}});
       }}};
  for (const std::string& name : {std::string("../victim.xml"), victim, std::string("RRCMessage\\..\\../../victim.xml"),
                                  std::string("..\\victim.xml")}) {
    for (const auto& [call, invoke] : calls) {
      SCOPED_TRACE(name + " " + call);
      clearLogs();
      invoke(name, association);
      EXPECT_TRUE(logged(kError, std::string(call) + ": the file name " + name +
                                     " is refused: a file name may not be absolute or contain a '..' component"));
      EXPECT_EQ(readFile(victim), "<V>px_V</V>");
      EXPECT_FALSE(fs::exists(dir / "temp"));
    }
  }
}

#if !defined(_WIN32)
// A link planted at each intermediate name is replaced, its target never written, and the log
// lines still name the fixed intermediate files.
TEST_F(WriteSafetyTest, LinksAtIntermediateNamesAreNeverFollowed) {
  const std::string copy = system + "/temp/PrimaryCell/M.xml";
  fs::create_directories(system + "/temp/PrimaryCell");
  for (const std::string& at :
       {system + "/newFile.xml", system + "/temp/temp.xml", copy + ".l3xml-save", copy + ".l3xml-copy"}) {
    fs::create_symlink(victim, at);
  }
  ASSERT_TRUE(set("M.xml", "px_A", "1"));
  std::string file = "M.xml";
  ASSERT_EQ(CXMLParser().UpdateNodeName(file, const_cast<char*>("b>"), const_cast<char*>("c>")), 0);
  EXPECT_TRUE(logged(kDebug, "Source File " + system + "/newFile.xml"));
  EXPECT_TRUE(logged(kDebug, "CXMLParser::UpdateNodeName :outputSourcePath = " + system + "/temp/temp.xml"));
  EXPECT_EQ(readFile(victim), "<V>px_V</V>");
  EXPECT_EQ(readFile(system + "/temp/M.xml"), "<M>\n\t<a>1</a>\n\t<c>px_B</b>\n</M>");
}

// Two processes, 100 rounds each, into one working copy (S) and into two working copies of one
// folder (P and Q, whose trimming shares "newFile.xml"): every update is there.
TEST_F(WriteSafetyTest, TwoProcessesLoseNoUpdate) {
  constexpr int kRounds = 100;
  std::string shared;
  std::string own;
  for (int i = 0; i < kRounds; ++i) {
    const std::string n = std::to_string(i);
    shared += "<p" + n + ">px_p" + n + "</p" + n + "><q" + n + ">px_q" + n + "</q" + n + ">";
    own += "<v" + n + ">px_v" + n + "</v" + n + ">";
  }
  place("RRCMessage/PrimaryCell/S.xml", "<S>" + shared + "</S>");
  place("RRCMessage/PrimaryCell/P.xml", "<T>" + own + "</T>");
  place("RRCMessage/PrimaryCell/Q.xml", "<T>" + own + "</T>");
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    if ((children[child] = ::fork()) != 0) continue;
    bool all = true;
    for (int i = 0; i < kRounds; ++i) {
      const std::string n = std::to_string(i);
      all = set("S.xml", (child == 0 ? "px_p" : "px_q") + n, n) && all;
      all = set(child == 0 ? "P.xml" : "Q.xml", "px_v" + n, n) && all;
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
    for (const auto& [file, node] :
         {std::pair{"S.xml", "p" + n}, {"S.xml", "q" + n}, {"P.xml", "v" + n}, {"Q.xml", "v" + n}}) {
      ASSERT_EQ(CXMLParser().GetVals(file, const_cast<char*>(node.c_str())).at(0), n) << file << " " << node;
    }
  }
}
#endif

TEST_F(WriteSafetyTest, ValuesThatAreNotXmlTextAreRefused) {
  for (const char* value : {"a\x01z", "\x1B[0m", "\xC3", "a\x80", "\xC0\xAF", "\xED\xA0\x80", "\xEF\xBF\xBF"}) {
    EXPECT_FALSE(set("M.xml", "px_A", value)) << value;
    EXPECT_FALSE(fs::exists(system + "/temp/PrimaryCell/M.xml"));
  }
  EXPECT_EQ(messagesAt(kError).size(), 7U);
  EXPECT_TRUE(set("M.xml", "px_A", "\t\xC3\xA9\xF0\x9F\x93\xB6"));
}

TEST_F(WriteSafetyTest, ALockHeldElsewhereFailsTheWriteWithAnError) {
  l3xml::platform::FileLock other;
  std::string reason;
  ASSERT_TRUE(other.acquire(system + "/l3xml.lock", 0, reason));
  EXPECT_FALSE(set("M.xml", "px_A", "1"));
  EXPECT_FALSE(fs::exists(system + "/temp/PrimaryCell/M.xml"));
  EXPECT_TRUE(logged(kError, "CXMLParser::SetVal: the work folder " + system +
                                 " cannot be locked for writing (another process holds it); nothing was written"));
}

TEST_F(WriteSafetyTest, ReadOnlyWorkingCopyIsReportedAndLeftAsItIs) {
  ASSERT_TRUE(set("M.xml", "px_A", "1"));
  const std::string copy = system + "/temp/PrimaryCell/M.xml";
  const std::string before = readFile(copy);
  fs::permissions(copy, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  (void)set("M.xml", "px_B", "2");  // the result stays what a failed save gives
  fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(readFile(copy), before);
  EXPECT_TRUE(logged(kError, "SetVal: the working copy is read-only and was left as it is: " + nativePath(copy)));
}

}  // namespace
}  // namespace l3xml_test
