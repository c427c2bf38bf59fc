// The base fixture of tests that call into the library: module state emptied and the log
// recorder cleared before each test.
#ifndef L3XML_TESTS_LIBRARY_TEST_H
#define L3XML_TESTS_LIBRARY_TEST_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_logger.h"

namespace l3xml_test {

// Empties the library's module-wide state: settings, maps, counter and cached documents.
void resetLibraryState();

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // The messages logged since the test started.
  static std::vector<LogRecord> logs() { return recordedLogs(); }
  // The messages logged at one level, texts only.
  static std::vector<std::string> messagesAt(int level);
  // True when a message with exactly this text was logged at level.
  static bool logged(int level, const std::string& message);
  static void clearLogs() { clearRecordedLogs(); }
};

}  // namespace l3xml_test

#endif  // L3XML_TESTS_LIBRARY_TEST_H
