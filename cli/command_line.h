// The whole command line of one run, apart from the program's process set-up (its signals).
#ifndef L3XML_CLI_COMMAND_LINE_H
#define L3XML_CLI_COMMAND_LINE_H

namespace l3xml_cli {

// Parses the arguments, runs the subcommand and returns the exit status.
int runCommandLine(int argc, char** argv);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_COMMAND_LINE_H
