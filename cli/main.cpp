// The l3xml program: one subcommand per run; exit status 0 done, 1 failed, 2 not understood.
#include <exception>
#include <iostream>

#include <CLI/CLI.hpp>

#include "command.h"

namespace {

constexpr const char* kDescription =
    "l3xml: the layer-3 (RRC) message templates and PIXIT parameters of a WCDMA test framework, from the "
    "command line.\nFile arguments are template file names as the framework knows them; the library finds "
    "them in the framework's folders.";

constexpr const char* kFooter =
    "Global options may stand before or after the subcommand.\n"
    "Run 'l3xml SUBCOMMAND --help' for the options and an example of each subcommand.\n\n"
    "Example:\n"
    "  l3xml run                       the host's sequence over the example framework\n"
    "  l3xml --system examples/framework show RRCConnectionSetup.xml";

}  // namespace

int main(int argc, char** argv) {
  using namespace l3xml_cli;
  Context context;
  CommandTable table;

  CLI::App app{kDescription, "l3xml"};
  // Subcommands hand options they do not know to the program, so global options may follow them.
  app.fallthrough();
  // At most one subcommand; none at all is told after the parse, so that an unknown word is
  // reported as such rather than as a missing subcommand.
  app.require_subcommand(0, 1);
  app.set_version_flag("--version", L3XML_VERSION_TEXT);
  context.settings.addOptions(app);

  addRunCommand(app, context, table);
  addFlattenCommand(app, context, table);
  addGetCommand(app, context, table);
  addTypeCommand(app, context, table);
  addSetCommand(app, context, table);
  addRenameCommand(app, context, table);
  addLoadCommand(app, context, table);
  addApplyCommand(app, context, table);
  addShowCommand(app, context, table);
  addDiffCommand(app, context, table);
  // Set after the subcommands exist, which would otherwise inherit it.
  app.footer(kFooter);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? 0 : 2;
  }

  if (app.get_subcommands().empty()) {
    std::cerr << "l3xml: a subcommand is required\nRun with --help for more information.\n";
    return 2;
  }

  try {
    context.settings.applyLogDestination();
    return table.at(app.get_subcommands().front())();
  } catch (const UsageFailure& failure) {
    std::cerr << "l3xml: " << failure.what() << "\nRun with --help for more information.\n";
    return 2;
  } catch (const std::exception& failure) {
    // Files and folders that cannot be read or written end up here too: a message, never a crash.
    std::cerr << "l3xml: " << failure.what() << '\n';
    if (context.output.json()) context.output.printJson(Json{{"error", failure.what()}});
    return 1;
  }
}
