// Logger libraries with faults, built in three variants for the logger binding tests:
//   VARIANT_COMPLETE  all ten entry points; messages printed to standard output
//   VARIANT_MISSING   ox_logProtocolMessage left out; messages printed to standard output
//   VARIANT_THROWING  all ten entry points; ox_logTextEvent throws
#include <cstdio>
#include <stdexcept>

#define EXPORTED extern "C" __attribute__((visibility("default")))

EXPORTED void ox_ProtocolEventLogging_registerCallback(void*) {}
EXPORTED void ox_CmdRspLogging_registerCallback(void*) {}
EXPORTED void ox_ProtocolEventWithSeqLogging_registerCallback(void*) {}
EXPORTED void ox_logProtocolEvent(int, const char*) {}
EXPORTED void ox_stopProtocolEventLogging() {}
EXPORTED void ox_logProtocolEventWithSeq(int, unsigned int, const char*) {}
EXPORTED void ox_setTextFileLogName(const char*) {}
EXPORTED void ox_logFormattedCmdResponse(const char*, const char*) {}
#if !defined(VARIANT_MISSING)
EXPORTED void ox_logProtocolMessage(int, const char*) {}
#endif

EXPORTED void ox_logTextEvent(int level, const char* message) {
#if defined(VARIANT_THROWING)
  (void)level;
  (void)message;
  throw std::runtime_error("logger failure");
#else
  std::printf("RECEIVED %d %s\n", level, message);
  std::fflush(stdout);
#endif
}
