// The binding to the external logger library: loaded by name on first use, never unloaded, and
// loaded again on every message while it is incomplete.
#include <cstdio>

#include "logging/logging.h"
#include "platform/dynamic_library.h"

namespace {

#if defined(_WIN32)
constexpr const char* kLoggerLibraryName = "oxLoggerDll.dll";
#else
constexpr const char* kLoggerLibraryName = "liboxLoggerDll.so";
#endif

// The ten entry points that make the library complete, in the order they are resolved.
constexpr const char* kEntryPointNames[10] = {
    "ox_ProtocolEventLogging_registerCallback",
    "ox_CmdRspLogging_registerCallback",
    "ox_ProtocolEventWithSeqLogging_registerCallback",
    "ox_logProtocolEvent",
    "ox_stopProtocolEventLogging",
    "ox_logProtocolEventWithSeq",
    "ox_setTextFileLogName",
    "ox_logTextEvent",
    "ox_logFormattedCmdResponse",
    "ox_logProtocolMessage",
};
constexpr int kLogTextEventIndex = 7;

using LogTextEvent = void (*)(int level, const char* message);

void* loggerModule = nullptr;
void* loggerEntryPoints[10] = {};
bool loggerReady = false;

// Passes the message to the library; loads it first while it is incomplete.
void logAtLevel(int level, const char* message) {
  if (!loggerReady) (void)loadLoggerDll();
  void* entry = loggerEntryPoints[kLogTextEventIndex];
  if (entry != nullptr) reinterpret_cast<LogTextEvent>(entry)(level, message);
}

}  // namespace

int loadLoggerDll() {
  loggerModule = l3xml::platform::loadLibrary(kLoggerLibraryName);
  loggerReady = false;
  if (loggerModule == nullptr) return -1;
  bool complete = true;
  for (int i = 0; i < 10; ++i) {
    loggerEntryPoints[i] = l3xml::platform::findSymbol(loggerModule, kEntryPointNames[i]);
    if (loggerEntryPoints[i] == nullptr) complete = false;
  }
  if (!complete) return -1;
  loggerReady = true;
  return 0;
}

int debug_LoggingFunct(char* message) {
  try {
    logAtLevel(l3xml::logging::kDebug, message);
  } catch (...) {
  }
  return 1;
}

int info_LoggingFunct(char* message) {
  try {
    logAtLevel(l3xml::logging::kInfo, message);
  } catch (...) {
    std::printf("Error in info_LoggingFunct\n");
  }
  return 1;
}

int error_LoggingFunct(char* message) {
  try {
    logAtLevel(l3xml::logging::kError, message);
  } catch (...) {
    std::printf("Error in error_LoggingFunct\n");
  }
  return 1;
}

namespace l3xml {
namespace logging {

void resetLoggerBindingForTesting() {
  loggerModule = nullptr;
  for (void*& entry : loggerEntryPoints) entry = nullptr;
  loggerReady = false;
}

}  // namespace logging
}  // namespace l3xml
