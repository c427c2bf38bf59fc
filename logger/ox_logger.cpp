// The project's logger library: appends the framework's text log to a file, standard error or
// nowhere, as the environment says.
//
//   L3XML_LOG        unset: "Debug_Log.log" (or the name given to ox_setTextFileLogName);
//                    "-": standard error; "none": nothing; anything else: that file.
//   L3XML_LOG_LEVEL  debug (default), info, warning, error or none: the lowest level recorded.
#include "ox_logger.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>

namespace {

const char* const kModeNames[11] = {"FULL_PROTOCOL_MODE", "PDCP_MODE",   "RLC_MODE",      "MAC_MODE",
                                    "HARQ_MODE",          "FADING_MODE", "LTE_MODE",      "HRPD_MODE",
                                    "WCDMA_MODE",         "GERAN_MODE",  "ONE_X_RTT_MODE"};

enum class Sink { kFile, kStandardError, kNone };

struct TextLog {
  std::mutex mutex;
  bool configured = false;
  Sink sink = Sink::kFile;
  bool fileChosenByEnvironment = false;
  std::string fileName = "Debug_Log.log";
  int minimumLevel = 1;
  std::FILE* file = nullptr;
  bool protocolEventsStopped = false;
  ox_EventCallback callbacks[3] = {};
};

TextLog& textLog() {
  static TextLog* log = new TextLog;  // lives until the process ends, like the library
  return *log;
}

int levelFromName(const char* name) {
  if (std::strcmp(name, "info") == 0) return 2;
  if (std::strcmp(name, "warning") == 0) return 4;
  if (std::strcmp(name, "error") == 0) return 8;
  if (std::strcmp(name, "none") == 0) return 16;
  return 1;
}

void configure(TextLog& log) {
  if (log.configured) return;
  log.configured = true;
  if (const char* output = std::getenv("L3XML_LOG")) {
    if (std::strcmp(output, "-") == 0) {
      log.sink = Sink::kStandardError;
    } else if (std::strcmp(output, "none") == 0 || output[0] == '\0') {
      log.sink = Sink::kNone;
    } else {
      log.fileName = output;
      log.fileChosenByEnvironment = true;
    }
  }
  if (const char* level = std::getenv("L3XML_LOG_LEVEL")) log.minimumLevel = levelFromName(level);
}

const char* tagOf(int level) {
  switch (level) {
    case 1:
      return "[DBG]";
    case 2:
      return "[INF]";
    case 4:
      return "[WAR]";
    case 8:
      return "[ERR]";
    default:
      return "[???]";
  }
}

std::string timeStamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const long millis =
      static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  std::snprintf(text + length, sizeof text - length, ".%03ld", millis);
  return text;
}

void writeLine(int level, const char* prefix, const char* message) {
  TextLog& log = textLog();
  std::lock_guard<std::mutex> lock(log.mutex);
  configure(log);
  if (level < log.minimumLevel || log.sink == Sink::kNone) return;
  std::FILE* out = stderr;
  if (log.sink == Sink::kFile) {
    if (log.file == nullptr) log.file = std::fopen(log.fileName.c_str(), "a");
    if (log.file == nullptr) return;
    out = log.file;
  }
  std::fprintf(out, "%s %s %s%s\n", timeStamp().c_str(), tagOf(level), prefix, message != nullptr ? message : "");
  std::fflush(out);
}

const char* modeName(int mode) { return mode >= 0 && mode < 11 ? kModeNames[mode] : "UNKNOWN_MODE"; }

void writeEvent(int mode, const std::string& text) {
  const std::string prefix = std::string("[") + modeName(mode) + "] ";
  writeLine(2, prefix.c_str(), text.c_str());
}

}  // namespace

extern "C" {

void ox_ProtocolEventLogging_registerCallback(ox_EventCallback callback) { textLog().callbacks[0] = callback; }

void ox_CmdRspLogging_registerCallback(ox_EventCallback callback) { textLog().callbacks[1] = callback; }

void ox_ProtocolEventWithSeqLogging_registerCallback(ox_EventCallback callback) { textLog().callbacks[2] = callback; }

void ox_logProtocolEvent(int mode, const char* event) {
  if (!textLog().protocolEventsStopped) writeEvent(mode, event != nullptr ? event : "");
}

void ox_stopProtocolEventLogging(void) { textLog().protocolEventsStopped = true; }

void ox_logProtocolEventWithSeq(int mode, unsigned int sequence, const char* event) {
  if (!textLog().protocolEventsStopped) {
    writeEvent(mode, "#" + std::to_string(sequence) + " " + (event != nullptr ? event : ""));
  }
}

void ox_setTextFileLogName(const char* fileName) {
  TextLog& log = textLog();
  std::lock_guard<std::mutex> lock(log.mutex);
  configure(log);
  if (fileName == nullptr || fileName[0] == '\0' || log.fileChosenByEnvironment) return;
  if (log.file != nullptr) {
    std::fclose(log.file);
    log.file = nullptr;
  }
  log.fileName = fileName;
}

void ox_logTextEvent(int level, const char* message) { writeLine(level, "", message); }

void ox_logFormattedCmdResponse(const char* command, const char* response) {
  writeLine(
      2, "",
      (std::string("CMD: ") + (command != nullptr ? command : "") + " RSP: " + (response != nullptr ? response : ""))
          .c_str());
}

void ox_logProtocolMessage(int mode, const char* message) { writeEvent(mode, message != nullptr ? message : ""); }

}  // extern "C"
