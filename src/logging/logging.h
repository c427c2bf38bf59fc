// Diagnostic logging: the shared message buffer, the three level functions and the helpers that
// compose a message into the buffer before handing it to a level function.
#ifndef L3XML_LOGGING_LOGGING_H
#define L3XML_LOGGING_LOGGING_H

#include <cstddef>
#include <initializer_list>
#include <string_view>

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

// Joins the pieces into logMessageBuffer (cut at its end) and logs the result at level.
void logJoined(Level level, std::initializer_list<std::string_view> pieces);

// Formats printf-style into logMessageBuffer (cut at its end) and logs the result at level.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void logFormatted(Level level, const char* format, ...);

inline void debug(std::initializer_list<std::string_view> pieces) { logJoined(kDebug, pieces); }
inline void info(std::initializer_list<std::string_view> pieces) { logJoined(kInfo, pieces); }
inline void error(std::initializer_list<std::string_view> pieces) { logJoined(kError, pieces); }

// Forgets the loaded logger library so that the next message loads it again. Tests only.
void resetLoggerBindingForTesting();

}  // namespace logging
}  // namespace l3xml

#endif  // L3XML_LOGGING_LOGGING_H
