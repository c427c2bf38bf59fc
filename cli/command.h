// What every subcommand shares: the global options, the failure kinds and the registration calls.
#ifndef L3XML_CLI_COMMAND_H
#define L3XML_CLI_COMMAND_H

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include <CLI/CLI.hpp>

#include "output.h"

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

// The options that stand before or after any subcommand.
struct GlobalOptions {
  std::string system;
  std::string user;
  std::string cell = "PrimaryCell";
  std::string work;
  std::string pixit;
  std::string types;
  std::string log;
  std::string logLevel;
  std::string colour = "auto";
  const CLI::Option* cellOption = nullptr;

  bool cellGiven() const { return cellOption != nullptr && cellOption->count() > 0; }
};

struct Context {
  GlobalOptions options;
  Output output;
};

// The handler of each subcommand, run after the whole command line has been parsed; it returns
// the exit status or throws one of the failures above.
using Handler = std::function<int()>;
using CommandTable = std::map<const CLI::App*, Handler>;

void addGlobalOptions(CLI::App& app, GlobalOptions& options);
// Where the library logs, set before its first call: nowhere unless --log asks.
void prepareLogging(const GlobalOptions& options);

void addRunCommand(CLI::App& app, Context& context, CommandTable& table);
void addCheckCommand(CLI::App& app, Context& context, CommandTable& table);
void addFlattenCommand(CLI::App& app, Context& context, CommandTable& table);
void addGetCommand(CLI::App& app, Context& context, CommandTable& table);
void addTypeCommand(CLI::App& app, Context& context, CommandTable& table);
void addShowCommand(CLI::App& app, Context& context, CommandTable& table);
void addSetCommand(CLI::App& app, Context& context, CommandTable& table);
void addApplyCommand(CLI::App& app, Context& context, CommandTable& table);
void addRenameCommand(CLI::App& app, Context& context, CommandTable& table);
void addLoadCommand(CLI::App& app, Context& context, CommandTable& table);
void addStatusCommand(CLI::App& app, Context& context, CommandTable& table);
void addDiffCommand(CLI::App& app, Context& context, CommandTable& table);
void addResetCommand(CLI::App& app, Context& context, CommandTable& table);
void addImpactCommand(CLI::App& app, Context& context, CommandTable& table);
void addCompareCommand(CLI::App& app, Context& context, CommandTable& table);
void addReportCommand(CLI::App& app, Context& context, CommandTable& table);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_COMMAND_H
