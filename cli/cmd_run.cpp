// run: the host's sequence over a framework folder, from the PIXIT file to the flattened lines.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>

#include "diagnostic_report.h"
#include "host_platform.h"
#include "progress.h"
#include "session.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

struct RunArguments {
  std::string framework;
  bool example = false;
  bool keep = false;
};

struct Outcome {
  l3xml::TemplateEntry entry;
  std::optional<std::string> line;
  std::size_t written = 0;
  bool workingCopy = false;
  bool compared = false;  // written is known from the write
};

// The shipped example framework: beside the installed program, else in the source tree.
std::string exampleFramework() {
  std::error_code error;
  const std::string self = executablePath();
  if (!self.empty()) {
    const fs::path installed = fs::path(self).parent_path() / L3XML_EXAMPLE_FROM_BIN;
    if (fs::is_directory(installed, error)) return fs::canonical(installed, error).string();
  }
  if (fs::is_directory(L3XML_EXAMPLE_SOURCE_DIR, error)) return fs::canonical(L3XML_EXAMPLE_SOURCE_DIR, error).string();
  throw CommandFailure("the example framework was not found beside the program or in its source tree");
}

std::string summary(const std::vector<Outcome>& outcomes) {
  std::map<std::string, std::size_t> perArea;
  for (const Outcome& outcome : outcomes) ++perArea[outcome.entry.area];
  std::string areas;
  for (const char* area : {l3xml::kPrimaryCell, l3xml::kSecondaryCell, l3xml::kNasMessage}) {
    if (perArea[area] > 0) areas += (areas.empty() ? "" : ", ") + std::to_string(perArea[area]) + " " + area;
  }
  return areas;
}

int run(Context& context, const RunArguments& arguments) {
  const auto start = std::chrono::steady_clock::now();
  const GlobalOptions& options = context.options;
  if (arguments.example && (!arguments.framework.empty() || !options.system.empty())) {
    throw UsageFailure("--example runs the shipped example framework: give no framework folder with it");
  }
  Session session(options);
  session.open(arguments.example ? exampleFramework() : arguments.framework);
  session.requireFramework();
  const std::string framework = session.frameworkFolder();

  // The lookup reads working copies back from the framework's own temp folder, so the run works on
  // a fresh copy that is both: the framework stays as it is, and copies left by an earlier run
  // cannot stand in for the templates. --work with the framework folder works in place.
  std::unique_ptr<TemporaryFolder> copy;
  if (!options.work.empty()) {
    if (folderText(options.work) != framework) {
      throw UsageFailure(
          "run --work works in place, so DIR must be the framework folder: the lookup reads working "
          "copies back from there only");
    }
  } else {
    copy = std::make_unique<TemporaryFolder>("l3xml-run-");
    // A kept copy may be edited by hand afterwards, so it shares nothing with the framework.
    copyFramework(framework, copy->path(), !arguments.keep);
    session.workOn(copy->path());
    if (arguments.keep) copy->keep();
    context.output.note(
        "working on a copy of " + framework +
        (arguments.keep ? " in " + copy->path() + " (kept)" : " (removed at the end; --keep keeps it)"));
  }
  const l3xml::Framework& fw = session.framework();
  const std::optional<l3xml::Campaign> campaign = session.campaign(l3xml::AssociationMode::kApply, true);
  if (!campaign) return 1;

  std::vector<Outcome> outcomes;
  for (l3xml::TemplateEntry& entry : fw.templates())
    outcomes.push_back({std::move(entry), std::nullopt, 0, false, false});
  std::set<std::string> named;
  for (const l3xml::Parameter& parameter : campaign->parameters)
    named.insert(parameter.files.begin(), parameter.files.end());
  ProgressBar progress(outcomes.size() * 2);
  const std::multimap<std::string, std::string> parametersByFile = campaign->parametersByFile();
  for (Outcome& outcome : outcomes) {
    checkpoint();
    progress.advance("writing " + outcome.entry.label());
    // A template that no parameter names is left as it is.
    if (named.count(outcome.entry.name) == 0) continue;
    const l3xml::Framework cell = fw.withCell(outcome.entry.cell);
    const l3xml::Result<l3xml::Changes> changes = cell.apply(*campaign, outcome.entry.name, parametersByFile);
    if (!session.accept(changes)) continue;
    // Into a template without a working copy, the write's changes are those of the template.
    outcome.compared = changes->baseline != changes->workingCopy;
    if (!outcome.compared) continue;
    outcome.written = changes->changes.size();
    outcome.workingCopy = fs::exists(changes->workingCopy);
  }
  const bool json = context.output.json();
  for (Outcome& outcome : outcomes) {
    checkpoint();
    progress.advance("flattening " + outcome.entry.label());
    const l3xml::Framework cell = fw.withCell(outcome.entry.cell);
    const l3xml::Result<l3xml::FlatLine> line = cell.flatten(outcome.entry.name, &*campaign);
    if (session.accept(line)) outcome.line = line->text;
    if (!outcome.compared) outcome.workingCopy = fs::exists(cell.workingCopyPath(outcome.entry.name));
    if (!outcome.compared && outcome.workingCopy) {
      const l3xml::Result<l3xml::Changes> changes = cell.compare(outcome.entry.name);
      if (changes.has_value()) outcome.written = changes->changes.size();
    }
    if (outcome.line && !json) {
      progress.finish();
      // One line at a time, so that a reader that stops early is seen at once.
      std::cout << outcome.entry.label() << ": " << *outcome.line << std::endl;
    }
  }
  progress.finish();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::size_t written = 0;
  std::size_t copies = 0;
  std::size_t failed = 0;
  std::size_t unresolved = 0;
  for (const Outcome& outcome : outcomes) {
    written += outcome.written;
    copies += outcome.workingCopy ? 1 : 0;
    failed += outcome.line ? 0 : 1;
  }
  for (const l3xml::Diagnostic& diagnostic : session.diagnostics()) {
    unresolved += diagnostic.code == l3xml::codes::kUnresolvedReference ? 1 : 0;
  }
  const std::string pixitName = fs::path(campaign->pixitFile).filename().string();
  if (json) {
    Json templates = Json::array();
    for (const Outcome& outcome : outcomes) {
      templates.push_back({{"label", outcome.entry.label()},
                           {"name", outcome.entry.name},
                           {"cell", outcome.entry.cell},
                           {"area", outcome.entry.area},
                           {"template", session.shown(outcome.entry.location.path)},
                           {"written", outcome.written},
                           {"flattened", outcome.line ? Json(*outcome.line) : Json()}});
    }
    context.output.printJson(Json{{"framework", framework},
                                  {"copy", copy && arguments.keep ? Json(copy->path()) : Json()},
                                  {"pixitFile", session.shown(campaign->pixitFile)},
                                  {"templates", templates},
                                  {"summary",
                                   {{"templates", outcomes.size()},
                                    {"failed", failed},
                                    {"parameters", campaign->parameters.size()},
                                    {"valuesWritten", written},
                                    {"unresolvedReferences", unresolved},
                                    {"errors", session.errors()},
                                    {"warnings", session.warnings()},
                                    {"seconds", seconds}}},
                                  {"diagnostics", diagnosticsJson(session.diagnostics())}});
    return session.status();
  }
  char time[32];
  std::snprintf(time, sizeof time, "%.2f s", seconds);
  std::cout << '\n'
            << "templates:             " << outcomes.size() << " (" << summary(outcomes) << ")"
            << (failed > 0 ? ", " + std::to_string(failed) + " failed" : std::string()) << '\n'
            << "PIXIT parameters:      " << campaign->parameters.size() << " (" << pixitName << ")\n"
            << "values written:        " << written << " (in " << copies << " working copies)\n"
            << "unresolved references: " << unresolved << '\n'
            << "errors:                " << session.errors() << '\n'
            << "warnings:              " << session.warnings() << '\n'
            << "time taken:            " << time << std::endl;
  return session.status();
}

}  // namespace

void addRunCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<RunArguments>();
  CLI::App* command =
      app.add_subcommand("run", "Load the PIXIT file, write its values into the templates and flatten every template");
  command->add_option("FRAMEWORK_DIR", arguments->framework, "The framework folder; default: --system, else here");
  command->add_flag("--example", arguments->example, "Run the example framework shipped with l3xml");
  command->add_flag("--keep", arguments->keep, "Keep the copy of the framework that the run works on");
  context.output.addJsonFlag(*command);
  command->footer(
      "The host's sequence: the PIXIT file with its type file and AssociationFile.xml, every parameter written "
      "into the templates its comment names, then one flattened line per template of the Command, RRCMessage "
      "and NASMessage folders, and a summary with the number of errors and warnings. Every error (an unresolved "
      "reference, a line cut at 4095 characters, a template that does not parse) is printed on standard error "
      "and makes the exit status 1; a template that fails never changes the lines of the others.\n"
      "The run works on a copy of the framework in a temporary folder, removed at the end (also on an "
      "interrupt or a closed pipe), so the framework is never written to; --work FRAMEWORK_DIR works in place "
      "and keeps the working copies in its temp folder.\n\n"
      "Examples:\n"
      "  l3xml run --example\n"
      "  l3xml run /srv/frameworks/wcdma --pixit lab_campaign.xml --types L3_Wcdma_Types.xml --json");
  table[command] = [&context, arguments] { return run(context, *arguments); };
}

}  // namespace l3xml_cli
