// The few operating-system calls the program needs: its own path, terminals, the environment,
// private temporary folders and the signals that would end it.
#ifndef L3XML_CLI_HOST_PLATFORM_H
#define L3XML_CLI_HOST_PLATFORM_H

#include <cstdio>
#include <optional>
#include <string>

namespace l3xml_cli {

// The characters that separate folders in a path: "/", and "\\" as well on Windows.
const char* pathSeparators();
// The full path of the running program; empty when it cannot be told.
std::string executablePath();
// Whether the stream is a terminal (and not a pipe or a file).
bool isTerminal(std::FILE* stream);
// The width of the terminal on standard error, in columns; 80 when it cannot be told.
int terminalColumns();
void setEnvironment(const std::string& name, const std::string& value);
std::optional<std::string> environmentValue(const std::string& name);

// A new folder under the system's temporary folder, open to this user only (mkdtemp); its
// name starts with prefix. Empty when none could be made.
std::string makeTemporaryFolder(const std::string& prefix);

// Standard input, read whole as bytes.
std::string readStandardInput();

// While something must be cleaned up (between cleanupNeeded(true) and cleanupNeeded(false)), the signals that end the
// program (interrupt, terminate, broken pipe) are only recorded, for the program to clean up and then end as the signal
// would have; otherwise they end it at once. A signal that was ignored when the program started stays ignored.
void catchEndingSignals();
void cleanupNeeded(bool needed);
// The signal recorded since, or 0.
int caughtSignal();
// Ends the program as the signal would have ended it.
[[noreturn]] void endBySignal(int signal);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_HOST_PLATFORM_H
