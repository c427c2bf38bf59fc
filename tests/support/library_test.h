// The base fixtures of tests that call into the library: module state emptied and the log
// recorder cleared around each test; a framework folder tree for tests that work on files.
#ifndef L3XML_TESTS_LIBRARY_TEST_H
#define L3XML_TESTS_LIBRARY_TEST_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_expectations.h"
#include "recording_logger.h"
#include "test_files.h"

namespace l3xml_test {

inline constexpr int kDebug = 1;
inline constexpr int kInfo = 2;
inline constexpr int kError = 8;

// Empties the library's module-wide state: settings, maps, counter, cached documents and every
// replaced operation.
void resetLibraryState();

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The messages logged since the test started.
  static std::vector<LogRecord> logs() { return recordedLogs(); }
  // The messages logged at one level, texts only.
  static std::vector<std::string> messagesAt(int level);
  // True when a message with exactly this text was logged at level.
  static bool logged(int level, const std::string& message);
  static void clearLogs() { clearRecordedLogs(); }
};

// A framework in a temporary folder: the system and user source folders set, working copies
// kept under the system folder (as the framework does, so that they are found again).
class FrameworkTest : public LibraryTest {
 protected:
  void SetUp() override;

  // Writes a file under the system folder ("RRCMessage/PrimaryCell/M.xml", say); its full path,
  // with the platform's separators.
  std::string place(const std::string& relativePath, const std::string& content);
  // Makes the library's documents fail on demand through faultPlan().
  static void useFaultyDocuments();

  TempDir dir;
  std::string system = dir / "system";
  std::string user = dir / "user";
};

}  // namespace l3xml_test

#endif  // L3XML_TESTS_LIBRARY_TEST_H
