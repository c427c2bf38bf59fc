// The writing side's whole-file helpers, and that trimming never loses a file whatever step fails.
#include <gtest/gtest.h>

#include <cerrno>

#include <l3xml/l3xml.h>

#include "library_test.h"
#include "platform/file_system.h"
#include "private_members.h"

namespace l3xml_test {
namespace {

namespace platform = l3xml::platform;

class FileHelpersTest : public FrameworkTest {
 protected:
  long trim(const std::string& path) { return call<RemoveNewLineChar>(parser, path); }

  CXMLParser parser;
};

TEST_F(FileHelpersTest, CopyReplacesTheDestinationOrSaysWhyNot) {
  const std::string from = place("a.xml", "<new/>");
  const std::string to = place("b.xml", "<old/>");
  call<CopyFile>(parser, from, to);
  EXPECT_EQ(readFile(to), "<new/>");
  clearLogs();
  call<CopyFile>(parser, system + "/absent.xml", to);
  EXPECT_EQ(readFile(to), "<new/>");
  EXPECT_EQ(messagesAt(kError), (std::vector<std::string>{"CXMLParser::copyFile Failure",
                                                          "Source File " + system + "/absent.xml", "Dest File " + to}));
}

TEST_F(FileHelpersTest, ExistenceAndAccessTests) {
  std::string file = place("f.xml", "<a/>");
  std::string folder = system;
  std::string missing = system + "/none.xml";
  EXPECT_EQ(call<IsFilePresentInTempFolder>(parser, file), 0);
  EXPECT_EQ(call<IsFilePresentInTempFolder>(parser, folder), 0);
  EXPECT_EQ(call<IsFilePresentInTempFolder>(parser, missing), -1000);
  std::filesystem::permissions(file, std::filesystem::perms::owner_read, std::filesystem::perm_options::replace);
  EXPECT_TRUE(call<IsFileReadOnly>(parser, file));
  EXPECT_FALSE(call<IsFileReadOnly>(parser, missing));
  EXPECT_TRUE(logs().empty());
}

struct Trim {
  const char* name;
  std::string content;
  long result;
  std::string trimmed;
};

class TrimTest : public FileHelpersTest, public ::testing::WithParamInterface<Trim> {};

TEST_P(TrimTest, KeepsEverythingUpToTheLastClosingBracket) {
  const std::string path = place("t.xml", GetParam().content);
  EXPECT_EQ(trim(path), GetParam().result);
  EXPECT_EQ(readFile(path), GetParam().trimmed);
  EXPECT_FALSE(fileExists(system + "/newFile.xml"));
}

INSTANTIATE_TEST_SUITE_P(Files, TrimTest,
                         ::testing::Values(Trim{"EndsInBracket", "<a>\r\n  <b/> \n</a>", 0, "<a>\r\n  <b/> \n</a>"},
                                           Trim{"TrailingLineEnd", "<a/>\n", 0, "<a/>"},
                                           Trim{"TrailingCrLfAndBlanks", "<a>x</a>\r\n  \t\r\n", 0, "<a>x</a>"},
                                           Trim{"TextAfterTheRoot", "<a/> junk", 0, "<a/>"},
                                           Trim{"BytesKeptAsTheyAre", std::string("<a>\xC3\xA9\0z</a>\n", 12), 0,
                                                std::string("<a>\xC3\xA9\0z</a>", 11)},
                                           Trim{"Utf16LittleEndian", std::string("\xFF\xFE<\0a\0/\0>\0\n\0>", 13), 0,
                                                std::string("\xFF\xFE<\0a\0/\0>\0", 10)},
                                           Trim{"Utf16BigEndian", std::string("\xFE\xFF\0<\0a\0/\0>\x3E\n", 12), 0,
                                                std::string("\xFE\xFF\0<\0a\0/\0>", 10)},
                                           Trim{"NoBracket", "no markup\n", 1, "no markup\n"},
                                           Trim{"EmptyFile", "", 1, ""}),
                         [](const ::testing::TestParamInfo<Trim>& info) { return std::string(info.param.name); });

// The operation that fails, counted from the first call of its kind during one trim.
struct StepFault {
  const char* name;
  void (*install)(platform::FileOperations&);
};

int callsLeft = 0;

class TrimFaultTest : public FileHelpersTest, public ::testing::WithParamInterface<StepFault> {};

TEST_P(TrimFaultTest, FileSurvivesAFailureInEveryStep) {
  const std::string original = "<a>\n  <b>1</b>\n</a>\n";
  const std::string path = place("t.xml", original);
  GetParam().install(platform::fileOperations());
  EXPECT_EQ(trim(path), 1);
  platform::fileOperations() = platform::systemFileOperations();
  EXPECT_EQ(readFile(path), original);
  EXPECT_FALSE(messagesAt(kError).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TrimFaultTest,
    ::testing::Values(
        StepFault{"OpenForReading",
                  [](platform::FileOperations& ops) {
                    ops.open = [](const char* p, const char* m) -> std::FILE* {
                      return m[0] == 'r' ? nullptr : platform::systemFileOperations().open(p, m);
                    };
                  }},
        StepFault{"Read", [](platform::FileOperations& ops) { ops.error = [](std::FILE*) { return 1; }; }},
        StepFault{
            "CreateIntermediate",
            [](platform::FileOperations& ops) { ops.createNew = [](const char*) -> std::FILE* { return nullptr; }; }},
        StepFault{"WriteIntermediate",
                  [](platform::FileOperations& ops) {
                    ops.write = [](const void*, std::size_t, std::size_t, std::FILE*) -> std::size_t { return 0; };
                  }},
        StepFault{"CloseIntermediate",
                  [](platform::FileOperations& ops) {
                    callsLeft = 1;
                    ops.close = [](std::FILE* f) {
                      const int closed = platform::systemFileOperations().close(f);
                      return callsLeft-- > 0 ? closed : EOF;
                    };
                  }},
        StepFault{"CopyBack",
                  [](platform::FileOperations& ops) { ops.copy = [](const char*, const char*) { return false; }; }}),
    [](const ::testing::TestParamInfo<StepFault>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace l3xml_test
