// Diagnostic logging: the shared message buffer, the three level functions and the helpers that
// compose a message into the buffer before handing it to a level function.
#ifndef L3XML_LOGGING_LOGGING_H
#define L3XML_LOGGING_LOGGING_H

#include <cstddef>
#include <initializer_list>
#include <string_view>

#include <l3xml/diagnostic.h>

// One module-wide buffer for every message; the next message overwrites it.
inline constexpr std::size_t kLogMessageBufferSize = 16777216;
extern char logMessageBuffer[kLogMessageBufferSize];

// Loads the logger library and resolves its ten entry points; 0 when complete, -1 otherwise.
int loadLoggerDll();
// Hand one finished message to the logger library at level 1, 2 or 8; always 1.
int debug_LoggingFunct(char* message);
int info_LoggingFunct(char* message);
int error_LoggingFunct(char* message);

// Tags by level number (1, 2, 4, 8), the framework's mode names and its text-log file name.
// The library itself reads none of them; they are part of the logging declarations.
extern const char* const logLevelTags[16];
extern const char* const logModeNames[11];
extern const char* const textLogFileName;

namespace l3xml {
namespace logging {

enum Level : int { kDebug = 1, kInfo = 2, kWarning = 4, kError = 8 };

// A message's diagnostic code (one of l3xml::codes), for observers; the logger never sees it.
using Code = const char*;
inline constexpr Code kCodeLibrary = codes::kLibrary;
inline constexpr Code kCodeNoFramework = codes::kNoFramework;
inline constexpr Code kCodeMissingFile = codes::kMissingFile;
inline constexpr Code kCodeMalformedXml = codes::kMalformedXml;
inline constexpr Code kCodeUnresolvedReference = codes::kUnresolvedReference;
inline constexpr Code kCodeLineTooLong = codes::kLineTooLong;
inline constexpr Code kCodeTooDeep = codes::kTooDeep;
inline constexpr Code kCodeBadSelector = codes::kBadSelector;
inline constexpr Code kCodeWriteFailed = codes::kWriteFailed;
inline constexpr Code kCodeRefusedName = codes::kRefusedName;
inline constexpr Code kCodeBadValue = codes::kBadValue;

// Joins the pieces into logMessageBuffer (cut at its end) and logs the result at level.
void logJoined(Level level, Code code, std::initializer_list<std::string_view> pieces);
inline void logJoined(Level level, std::initializer_list<std::string_view> pieces) {
  logJoined(level, kCodeLibrary, pieces);
}

// Formats printf-style into logMessageBuffer (cut at its end) and logs the result at level.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void logFormatted(Level level, const char* format, ...);

inline void debug(std::initializer_list<std::string_view> pieces) { logJoined(kDebug, pieces); }
inline void info(std::initializer_list<std::string_view> pieces) { logJoined(kInfo, pieces); }
inline void error(std::initializer_list<std::string_view> pieces) { logJoined(kError, pieces); }
inline void error(Code code, std::initializer_list<std::string_view> pieces) { logJoined(kError, code, pieces); }

// Sees every message the library logs while it is installed, before the logger library does.
// What reaches the logger library does not change.
class LogObserver {
 public:
  virtual void logged(Level level, Code code, std::string_view message) = 0;

 protected:
  ~LogObserver() = default;
};

// Installs an observer for its own lifetime. Observers nest: the innermost one sees the messages.
class ScopedLogObserver {
 public:
  explicit ScopedLogObserver(LogObserver& observer);
  ~ScopedLogObserver();
  ScopedLogObserver(const ScopedLogObserver&) = delete;
  ScopedLogObserver& operator=(const ScopedLogObserver&) = delete;

 private:
  LogObserver* previous_;
};

// Forgets the loaded logger library so that the next message loads it again. Tests only.
void resetLoggerBindingForTesting();

}  // namespace logging
}  // namespace l3xml

#endif  // L3XML_LOGGING_LOGGING_H
