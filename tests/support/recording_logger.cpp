// The recording logger library: same file name and entry points as the real logger library.
#include "recording_logger.h"

namespace {

std::vector<l3xml_test::LogRecord>& records() {
  static std::vector<l3xml_test::LogRecord> kept;
  return kept;
}

}  // namespace

namespace l3xml_test {

std::vector<LogRecord> recordedLogs() { return records(); }
void clearRecordedLogs() { records().clear(); }
int recordedTextEventCount() { return static_cast<int>(records().size()); }

}  // namespace l3xml_test

extern "C" {
RECORDER_API void ox_ProtocolEventLogging_registerCallback(void*) {}
RECORDER_API void ox_CmdRspLogging_registerCallback(void*) {}
RECORDER_API void ox_ProtocolEventWithSeqLogging_registerCallback(void*) {}
RECORDER_API void ox_logProtocolEvent(int, const char*) {}
RECORDER_API void ox_stopProtocolEventLogging() {}
RECORDER_API void ox_logProtocolEventWithSeq(int, unsigned int, const char*) {}
RECORDER_API void ox_setTextFileLogName(const char*) {}
RECORDER_API void ox_logTextEvent(int level, const char* message) {
  records().push_back({level, message != nullptr ? message : "<null>"});
}
RECORDER_API void ox_logFormattedCmdResponse(const char*, const char*) {}
RECORDER_API void ox_logProtocolMessage(int, const char*) {}
}
