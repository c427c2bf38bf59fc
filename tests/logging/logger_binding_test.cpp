// The binding to the logger library, each case run in its own process beside a chosen logger
// library (or none), so that the library's load by name meets exactly that file.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "test_files.h"

namespace l3xml_test {
namespace {

class LoggerBindingTest : public ::testing::Test {
 protected:
  // Runs the probe with args in a folder of its own, beside variant (when given) installed as
  // the logger library, and returns what it printed.
  std::string runProbe(const char* variant, const std::string& args) {
    const std::filesystem::path probe = dir.path() / "probe";
    std::filesystem::copy_file(L3XML_PROBE, probe);
    if (variant != nullptr) std::filesystem::copy_file(variant, dir.path() / "liboxLoggerDll.so");
    // The search path names the folder itself: under AddressSanitizer, whose interceptor becomes
    // the caller of dlopen, the probe's own RUNPATH is not consulted.
    const std::string command =
        "cd '" + dir.str() + "' && LD_LIBRARY_PATH='" + dir.str() + "' ./probe " + args + " 2>/dev/null";
    std::string output;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
      std::array<char, 256> buffer;
      while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
      EXPECT_EQ(::pclose(pipe), 0) << output;
    }
    return output;
  }

  TempDir dir;
};

TEST_F(LoggerBindingTest, CompleteLibraryIsLoadedOnceByTheFirstMessage) {
  EXPECT_EQ(runProbe(L3XML_LOGGER_COMPLETE, "three"),
            "RECEIVED 8 first\nerror result=1 loads=1\n"
            "RECEIVED 2 second\ninfo result=1 loads=1\n"
            "RECEIVED 1 third\ndebug result=1 loads=1\n");
}

TEST_F(LoggerBindingTest, AbsentLibraryIsLookedForAgainByEveryMessage) {
  EXPECT_EQ(runProbe(nullptr, "three"), "error result=1 loads=1\ninfo result=1 loads=2\ndebug result=1 loads=3\n");
}

TEST_F(LoggerBindingTest, LibraryThatAppearsLaterIsLoadedByTheNextMessage) {
  EXPECT_EQ(runProbe(nullptr, std::string("appear '") + L3XML_LOGGER_COMPLETE + "'"),
            "before result=1 loads=1\n"
            "RECEIVED 2 found\nafter result=1 loads=2\n"
            "RECEIVED 1 kept\nagain result=1 loads=2\n");
}

TEST_F(LoggerBindingTest, IncompleteLibraryStillRecordsAndIsReloadedByEveryMessage) {
  EXPECT_EQ(runProbe(L3XML_LOGGER_MISSING, "three"),
            "RECEIVED 8 first\nerror result=1 loads=1\n"
            "RECEIVED 2 second\ninfo result=1 loads=2\n"
            "RECEIVED 1 third\ndebug result=1 loads=3\n");
}

TEST_F(LoggerBindingTest, ThrowingLoggerIsCaughtWithTheFallbackLines) {
  EXPECT_EQ(runProbe(L3XML_LOGGER_THROWING, "three"),
            "Error in error_LoggingFunct\nerror result=1 loads=1\n"
            "Error in info_LoggingFunct\ninfo result=1 loads=1\n"
            "debug result=1 loads=1\n");
}

}  // namespace
}  // namespace l3xml_test
