// The global options and how the library's log is set up before its first call.
#include "command.h"
#include "host_platform.h"

namespace l3xml_cli {

void addGlobalOptions(CLI::App& app, GlobalOptions& options) {
  app.add_option("--system", options.system, "The framework's (system) folder; default: the current folder")
      ->type_name("DIR");
  app.add_option("--user", options.user, "The user's folder, searched before the system folder; default: none")
      ->type_name("DIR");
  options.cellOption =
      app.add_option("--cell", options.cell, "The current cell, which chooses the cell folders searched")
          ->check(CLI::IsMember({l3xml::kPrimaryCell, l3xml::kSecondaryCell}))
          ->capture_default_str()
          ->type_name("NAME");
  app.add_option("--work", options.work,
                 "Where working copies are written; default: the system folder, the only place the lookup reads "
                 "them back from")
      ->type_name("DIR");
  app.add_option("--pixit", options.pixit,
                 "The PIXIT file: a path, a file name at the framework root, or - for standard input; default: the "
                 "one PIXIT file at the framework root")
      ->type_name("FILE");
  app.add_option("--types", options.types,
                 "The type file: a path, or a name the lookup finds; default: the one the PIXIT file's name chooses "
                 "(L3_Wcdma_Types.xml for a name with WCDMA, Types_Callbox.xml with Callbox, else Types.xml)")
      ->type_name("FILE");
  CLI::Option* log =
      app.add_option("--log", options.log, "Write the library's log to FILE ('-': standard error); default: no log")
          ->type_name("FILE");
  app.add_option("--log-level", options.logLevel, "The lowest level logged; default: debug")
      ->check(CLI::IsMember({"debug", "info", "warning", "error"}))
      ->needs(log)
      ->type_name("LEVEL");
  app.add_option("--color", options.colour,
                 "Colour the output: auto (on a terminal, unless NO_COLOR is set), always or never")
      ->transform(CLI::IsMember({"auto", "always", "never"}, CLI::ignore_case))
      ->type_name("WHEN");
}

// The logger library reads its environment once, at the library's first log line.
void prepareLogging(const GlobalOptions& options) {
  setEnvironment("L3XML_LOG", options.log.empty() ? "none" : options.log);
  if (!options.logLevel.empty()) setEnvironment("L3XML_LOG_LEVEL", options.logLevel);
}

}  // namespace l3xml_cli
