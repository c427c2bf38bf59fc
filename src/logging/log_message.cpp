// The shared message buffer and the composition of a message into it.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "logging/logging.h"

char logMessageBuffer[kLogMessageBufferSize];

namespace l3xml {
namespace logging {

namespace {

LogObserver* currentObserver = nullptr;

void dispatch(Level level, Code code) {
  if (currentObserver != nullptr) currentObserver->logged(level, code, logMessageBuffer);
  switch (level) {
    case kDebug:
      debug_LoggingFunct(logMessageBuffer);
      break;
    case kInfo:
      info_LoggingFunct(logMessageBuffer);
      break;
    default:
      error_LoggingFunct(logMessageBuffer);
      break;
  }
}

}  // namespace

ScopedLogObserver::ScopedLogObserver(LogObserver& observer) : previous_(currentObserver) {
  currentObserver = &observer;
}

ScopedLogObserver::~ScopedLogObserver() { currentObserver = previous_; }

void logJoined(Level level, Code code, std::initializer_list<std::string_view> pieces) {
  std::size_t used = 0;
  const std::size_t room = kLogMessageBufferSize - 1;
  for (std::string_view piece : pieces) {
    const std::size_t take = piece.size() < room - used ? piece.size() : room - used;
    if (take != 0) std::memcpy(logMessageBuffer + used, piece.data(), take);
    used += take;
  }
  logMessageBuffer[used] = '\0';
  dispatch(level, code);
}

void logFormatted(Level level, const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  // vsnprintf never writes past the buffer and always terminates it.
  if (std::vsnprintf(logMessageBuffer, kLogMessageBufferSize, format, arguments) < 0) logMessageBuffer[0] = '\0';
  va_end(arguments);
  dispatch(level, kCodeLibrary);
}

}  // namespace logging
}  // namespace l3xml
