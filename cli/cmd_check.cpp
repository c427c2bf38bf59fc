// check: every problem of a framework, its campaign and its templates, for people and for CI.
#include <iostream>
#include <memory>

#include "diagnostic_report.h"
#include "session.h"

namespace l3xml_cli {

namespace {

struct CheckArguments {
  std::string framework;
  bool json = false;
  bool sarif = false;
  bool warningsAsErrors = false;
};

std::string rulesText() {
  std::string text = "Codes (default severity):\n";
  for (const l3xml::CodeDescription& rule : l3xml::checkingCodes()) {
    text += "  " + std::string(rule.code) + " (" + l3xml::severityName(rule.severity) + "): " + rule.summary + "\n";
  }
  return text;
}

int check(Context& context, const CheckArguments& arguments) {
  Session session(context.options);
  session.open(arguments.framework);
  session.requireFramework();
  session.quiet();
  l3xml::CheckOptions options;
  options.campaign = session.campaignOptions(l3xml::AssociationMode::kRead);
  session.collect(session.framework().check(options));

  l3xml::Diagnostics diagnostics = session.diagnostics();
  int errors = 0;
  int warnings = 0;
  for (l3xml::Diagnostic& diagnostic : diagnostics) {
    if (arguments.warningsAsErrors && diagnostic.severity == l3xml::Severity::kWarning) {
      diagnostic.severity = l3xml::Severity::kError;
    }
    errors += diagnostic.severity == l3xml::Severity::kError ? 1 : 0;
    warnings += diagnostic.severity == l3xml::Severity::kWarning ? 1 : 0;
  }
  if (arguments.sarif) {
    context.output.printJson(sarifLog(diagnostics, session.frameworkFolder(), L3XML_VERSION_TEXT));
  } else if (arguments.json) {
    context.output.printJson(checkJson(diagnostics));
  } else {
    for (const l3xml::Diagnostic& diagnostic : diagnostics) {
      if (diagnostic.severity != l3xml::Severity::kNote) std::cout << diagnosticLine(diagnostic) << '\n';
    }
    std::cout << (errors + warnings == 0 ? std::string("no problems found") : problemCounts(errors, warnings)) << " in "
              << session.frameworkFolder() << '\n';
  }
  return errors > 0 ? 1 : 0;
}

}  // namespace

void addCheckCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<CheckArguments>();
  CLI::App* command = app.add_subcommand(
      "check", "Report every problem of a framework: its templates, PIXIT, type and association files");
  command->add_option("FRAMEWORK_DIR", arguments->framework, "The framework folder; default: --system, else here");
  CLI::Option* json = command->add_flag(
      "--json", arguments->json, "Print {\"diagnostics\": [...], \"errors\": N, \"warnings\": N} on standard output");
  command->add_flag("--sarif", arguments->sarif, "Print a SARIF 2.1.0 log, for CI systems")->excludes(json);
  command->add_flag("--warnings-as-errors", arguments->warningsAsErrors, "Count warnings as errors");
  command->footer(std::string("Reads every template of the search folders of both cells, the PIXIT file (--pixit, "
                              "or the one at the framework root), its type file and the association file, and "
                              "changes nothing: what applying the campaign gives is worked out on a temporary "
                              "copy. Working copies under temp are not judged.\n"
                              "Text: FILE:LINE:COLUMN: error|warning: MESSAGE [CODE], FILE relative to the framework "
                              "folder, LINE and COLUMN 0 when unknown; then a summary.\n"
                              "Exit status: 0 no error, 1 errors found, 2 a usage error.\n\n") +
                  rulesText() + "\n" + l3xml::checkingRules() +
                  "\n\nExamples:\n"
                  "  l3xml check examples/framework\n"
                  "  l3xml check /srv/frameworks/wcdma --sarif > l3xml.sarif");
  table[command] = [&context, arguments] { return check(context, *arguments); };
}

}  // namespace l3xml_cli
