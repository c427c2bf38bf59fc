// The l3xml program's command line: one subcommand per run; exit status 0 done, 1 failed, 2 not understood.
#include <exception>
#include <iostream>

#include <CLI/CLI.hpp>

#include "command.h"
#include "command_line.h"
#include "host_platform.h"
#include "suggest.h"
#include "temporary_folder.h"

namespace l3xml_cli {
namespace {

constexpr const char* kDescription =
    "l3xml: the layer-3 (RRC) message templates and PIXIT parameters of a WCDMA test framework, from the "
    "command line.\nA template is named by its file name (the library's lookup finds it in the framework's "
    "folders) or by its path in the framework, which also selects its cell.";

constexpr const char* kFooter =
    "Global options may stand before or after the subcommand.\n"
    "Exit status: 0 done, 1 the result is broken or the operation failed (every error is printed on standard "
    "error), 2 a usage error; check, diff and compare have their own.\n"
    "Run 'l3xml SUBCOMMAND --help' for the options and an example of each subcommand.\n\n"
    "Examples:\n"
    "  l3xml run --example                  the host's sequence over the shipped example framework\n"
    "  l3xml check path/to/framework        every problem of a framework, its campaign and templates\n"
    "  l3xml --system examples/framework show RRCConnectionSetup.xml";

// Every option name of a command and of the program, for suggestions.
std::vector<std::string> optionNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* level = &app; level != nullptr; level = level->get_parent()) {
    for (const CLI::Option* option : level->get_options()) {
      for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    }
  }
  return names;
}

// CLI11 names the unexpected words last one first; they are told here as typed, with the word
// that was probably meant.
std::string unexpectedWords(const CLI::App& app) {
  const CLI::App* command = app.get_subcommands().empty() ? &app : app.get_subcommands().front();
  std::vector<std::string> words = app.remaining();
  const std::vector<std::string> more = command == &app ? std::vector<std::string>() : command->remaining();
  words.insert(words.begin(), more.begin(), more.end());
  if (words.empty()) return "unexpected arguments";
  const std::string& first = words.front();
  if (first.size() > 1 && first[0] == '-') {
    const std::string name = first.substr(0, first.find('='));
    return "unknown option " + name + didYouMean(name, optionNames(*command));
  }
  if (command == &app) {
    std::vector<std::string> names;
    for (const CLI::App* subcommand : app.get_subcommands({})) names.push_back(subcommand->get_name());
    return "unknown subcommand '" + first + "'" + didYouMean(first, names);
  }
  std::string list;
  for (const std::string& word : words) list += (list.empty() ? "" : " ") + word;
  return "unexpected argument" + std::string(words.size() > 1 ? "s" : "") + " for " + command->get_name() + ": " + list;
}

}  // namespace

int runCommandLine(int argc, char** argv) {
  Context context;
  CommandTable table;

  CLI::App app{kDescription, "l3xml"};
  // Subcommands hand options they do not know to the program, so global options may follow them.
  app.fallthrough();
  // At most one subcommand; none at all is told after the parse, so that an unknown word is
  // reported as such rather than as a missing subcommand.
  app.require_subcommand(0, 1);
  app.set_version_flag("--version", L3XML_VERSION_TEXT);
  addGlobalOptions(app, context.options);

  addRunCommand(app, context, table);
  addCheckCommand(app, context, table);
  addFlattenCommand(app, context, table);
  addGetCommand(app, context, table);
  addTypeCommand(app, context, table);
  addShowCommand(app, context, table);
  addSetCommand(app, context, table);
  addApplyCommand(app, context, table);
  addRenameCommand(app, context, table);
  addLoadCommand(app, context, table);
  addStatusCommand(app, context, table);
  addDiffCommand(app, context, table);
  addResetCommand(app, context, table);
  addImpactCommand(app, context, table);
  addCompareCommand(app, context, table);
  addReportCommand(app, context, table);
  // Set after the subcommands exist, which would otherwise inherit it.
  app.footer(kFooter);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForVersion& version) {
    return app.exit(version);
  } catch (const CLI::ParseError& error) {
    const bool extras = dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr;
    std::cerr << "l3xml: " << (extras ? unexpectedWords(app) : std::string(error.what()))
              << "\nRun with --help for more information.\n";
    return 2;
  }

  if (app.get_subcommands().empty()) {
    std::cerr << "l3xml: a subcommand is required\nRun with --help for more information.\n";
    return 2;
  }

  prepareLogging(context.options);
  int signal = 0;
  try {
    return table.at(app.get_subcommands().front())();
  } catch (const UsageFailure& failure) {
    std::cerr << "l3xml: " << failure.what() << "\nRun with --help for more information.\n";
    return 2;
  } catch (const Interrupted& interrupted) {
    // The temporary folders are gone by now: the destructors ran on the way here.
    signal = interrupted.signal;
  } catch (const std::exception& failure) {
    // Files and folders that cannot be read or written end up here too: a message, never a crash.
    std::cerr << "l3xml: " << failure.what() << '\n';
    if (context.output.json()) context.output.printJson(Json{{"error", failure.what()}});
    return 1;
  }
  endBySignal(signal);
}

}  // namespace l3xml_cli
