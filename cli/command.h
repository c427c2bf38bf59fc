// What every subcommand shares: the session context, the failure kinds and the registration calls.
#ifndef L3XML_CLI_COMMAND_H
#define L3XML_CLI_COMMAND_H

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include <CLI/CLI.hpp>

#include "output.h"
#include "settings.h"

namespace l3xml_cli {

// An operation that could not be done: exit status 1, the message on standard error.
class CommandFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A request that makes no sense as given: exit status 2, like CLI11's own parse errors.
class UsageFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Context {
  Settings settings;
  Output output;
};

// The handler of each subcommand, run after the whole command line has been parsed; it returns
// the exit status or throws one of the failures above.
using Handler = std::function<int()>;
using CommandTable = std::map<const CLI::App*, Handler>;

void addRunCommand(CLI::App& app, Context& context, CommandTable& table);
void addFlattenCommand(CLI::App& app, Context& context, CommandTable& table);
void addGetCommand(CLI::App& app, Context& context, CommandTable& table);
void addTypeCommand(CLI::App& app, Context& context, CommandTable& table);
void addSetCommand(CLI::App& app, Context& context, CommandTable& table);
void addRenameCommand(CLI::App& app, Context& context, CommandTable& table);
void addLoadCommand(CLI::App& app, Context& context, CommandTable& table);
void addApplyCommand(CLI::App& app, Context& context, CommandTable& table);
void addShowCommand(CLI::App& app, Context& context, CommandTable& table);
void addDiffCommand(CLI::App& app, Context& context, CommandTable& table);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_COMMAND_H
