// A logger library for tests: the ten entry points of the real one, with every message kept in
// memory so that tests can check exact texts and levels.
#ifndef L3XML_TESTS_RECORDING_LOGGER_H
#define L3XML_TESTS_RECORDING_LOGGER_H

#include <string>
#include <vector>

#if defined(_WIN32)
#if defined(RECORDER_BUILDING)
#define RECORDER_API __declspec(dllexport)
#else
#define RECORDER_API __declspec(dllimport)
#endif
#else
#define RECORDER_API __attribute__((visibility("default")))
#endif

namespace l3xml_test {

struct LogRecord {
  int level;
  std::string message;
  bool operator==(const LogRecord& other) const { return level == other.level && message == other.message; }
};

// Every message received since the last clear, in order.
RECORDER_API std::vector<LogRecord> recordedLogs();
RECORDER_API void clearRecordedLogs();
// The number of messages received since the last clear.
RECORDER_API int recordedTextEventCount();

}  // namespace l3xml_test

#endif  // L3XML_TESTS_RECORDING_LOGGER_H
