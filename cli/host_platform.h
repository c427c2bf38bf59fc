// The few operating-system calls the program needs: its own path, terminals and the environment.
#ifndef L3XML_CLI_HOST_PLATFORM_H
#define L3XML_CLI_HOST_PLATFORM_H

#include <cstdio>
#include <optional>
#include <string>

namespace l3xml_cli {

// The full path of the running program; empty when it cannot be told.
std::string executablePath();
// Whether the stream is a terminal (and not a pipe or a file).
bool isTerminal(std::FILE* stream);
// The width of the terminal on standard error, in columns; 80 when it cannot be told.
int terminalColumns();
void setEnvironment(const std::string& name, const std::string& value);
std::optional<std::string> environmentValue(const std::string& name);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_HOST_PLATFORM_H
