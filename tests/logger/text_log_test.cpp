// The project's logger library: where the text log goes and what a line holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <regex>
#include <string>

#include "test_files.h"

namespace l3xml_test {
namespace {

class TextLogTest : public ::testing::Test {
 protected:
  // Runs the writer in the temporary folder with an environment prefix; returns its standard error.
  std::string run(const std::string& environment, const std::string& args) {
    const std::string command = "cd '" + dir.str() + "' && env -u L3XML_LOG -u L3XML_LOG_LEVEL " + environment + " '" +
                                L3XML_LOGGER_WRITER + "' " + args + " 2>&1";
    std::string output;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
      std::array<char, 512> buffer;
      while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
      EXPECT_EQ(::pclose(pipe), 0) << output;
    }
    return output;
  }
  // The lines of text with their time stamps checked and removed.
  static std::string withoutTimeStamps(const std::string& text) {
    static const std::regex stamp(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} )", std::regex::multiline);
    EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), stamp), std::sregex_iterator()),
              std::count(text.begin(), text.end(), '\n'));
    return std::regex_replace(text, stamp, "");
  }

  TempDir dir;
};

TEST_F(TextLogTest, AppendsTaggedLinesToDebugLogByDefault) {
  writeFile(dir / "Debug_Log.log", "earlier\n");
  EXPECT_EQ(run("", "8:broken 2:said 1:'with blanks' 4:careful"), "");
  EXPECT_EQ(withoutTimeStamps(readFile(dir / "Debug_Log.log").substr(8)),
            "[ERR] broken\n[INF] said\n[DBG] with blanks\n[WAR] careful\n");
  EXPECT_EQ(readFile(dir / "Debug_Log.log").substr(0, 8), "earlier\n");
}

TEST_F(TextLogTest, FileNameCanBeChangedByTheFramework) {
  run("", "--file other.log 8:moved");
  EXPECT_EQ(withoutTimeStamps(readFile(dir / "other.log")), "[ERR] moved\n");
  EXPECT_FALSE(fileExists(dir / "Debug_Log.log"));
}

TEST_F(TextLogTest, EnvironmentChoosesStandardErrorAFileOrNothing) {
  EXPECT_EQ(withoutTimeStamps(run("L3XML_LOG=-", "8:shown")), "[ERR] shown\n");
  EXPECT_EQ(run("L3XML_LOG=none", "8:hidden"), "");
  run("L3XML_LOG=chosen.log", "--file ignored.log 2:here");
  EXPECT_EQ(withoutTimeStamps(readFile(dir / "chosen.log")), "[INF] here\n");
  EXPECT_FALSE(fileExists(dir / "ignored.log"));
  EXPECT_FALSE(fileExists(dir / "Debug_Log.log"));
}

TEST_F(TextLogTest, MinimumLevelDropsLowerLevels) {
  EXPECT_EQ(withoutTimeStamps(run("L3XML_LOG=- L3XML_LOG_LEVEL=info", "1:dropped 2:kept 8:kept")),
            "[INF] kept\n[ERR] kept\n");
  EXPECT_EQ(withoutTimeStamps(run("L3XML_LOG=- L3XML_LOG_LEVEL=error", "1:a 2:b 4:c 8:d")), "[ERR] d\n");
}

}  // namespace
}  // namespace l3xml_test
