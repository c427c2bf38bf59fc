// run: the host's sequence over a framework folder, from the PIXIT file to the flattened lines.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <set>

#include <l3xml/l3xml.h>

#include "command.h"
#include "file_check.h"
#include "framework.h"
#include "pixit_session.h"
#include "progress.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

struct RunArguments {
  std::string framework;
  bool keep = false;
};

struct TemplateOutcome {
  TemplateEntry entry;
  std::string found;        // what the lookup found and the library flattened
  std::string template_;    // the read-only template
  std::string workingCopy;  // empty when there is none
  std::string flattened;
  std::string problem;
  std::size_t written = 0;
  std::vector<std::string> unresolved;
};

// The framework folder: the argument, else --system, else the shipped example.
std::string chooseFramework(const Settings& settings, const RunArguments& arguments) {
  if (!arguments.framework.empty() && settings.systemGiven() &&
      folderText(arguments.framework) != folderText(settings.systemFolder())) {
    throw UsageFailure("give the framework folder either as the argument or with --system, not both");
  }
  std::string framework = !arguments.framework.empty() ? arguments.framework : settings.systemFolder();
  if (framework.empty()) {
    framework = exampleFramework();
    if (framework.empty()) throw CommandFailure("the example framework was not found; give a framework folder");
  }
  framework = folderText(framework);
  if (!fs::is_directory(framework)) throw CommandFailure("the framework folder " + framework + " does not exist");
  return framework;
}

// What the run left in the working copy, and the references that nothing resolves.
void inspect(const Settings& settings, const PixitSession& pixit, TemplateOutcome& outcome) {
  outcome.template_ = findReadOnlyTemplate(settings, outcome.entry.cell, outcome.entry.name);
  const std::string workingCopy = workingCopyPath(settings.workFolder(), outcome.template_, outcome.entry.name);
  if (!outcome.template_.empty() && fs::exists(workingCopy)) {
    outcome.workingCopy = workingCopy;
    const TemplateReading before = readTemplate(outcome.template_);
    const TemplateReading after = readTemplate(workingCopy);
    if (before.ok && after.ok) outcome.written = compareTemplates(before.root, after.root).size();
  }
  const TemplateReading found = readTemplate(outcome.found);
  if (!found.ok) return;
  std::set<std::string> seen;
  forEachNode(found.root, [&](const TemplateNode& node) {
    if (node.leaf() && isPixitReference(node.text) && !pixit.valueOf(node.text) && seen.insert(node.text).second) {
      outcome.unresolved.push_back(node.text);
    }
  });
}

void printText(const std::vector<TemplateOutcome>& outcomes, const PixitSession& pixit, double seconds) {
  std::size_t written = 0;
  std::size_t workingCopies = 0;
  std::size_t unresolved = 0;
  std::size_t failed = 0;
  std::map<std::string, std::size_t> perArea;
  for (const TemplateOutcome& outcome : outcomes) {
    if (outcome.problem.empty()) {
      std::cout << outcome.entry.label() << ": " << outcome.flattened << '\n';
    } else {
      ++failed;
    }
    written += outcome.written;
    workingCopies += outcome.workingCopy.empty() ? 0 : 1;
    unresolved += outcome.unresolved.size();
    ++perArea[outcome.entry.area];
  }
  std::string areas;
  for (const char* area : {kPrimaryCell, kSecondaryCell, "NASMessage"}) {
    if (perArea[area] > 0) areas += (areas.empty() ? "" : ", ") + std::to_string(perArea[area]) + " " + area;
  }
  char time[32];
  std::snprintf(time, sizeof time, "%.2f s", seconds);
  std::cout << '\n'
            << "templates:             " << outcomes.size() << " (" << areas << ")"
            << (failed > 0 ? ", " + std::to_string(failed) + " failed" : std::string()) << '\n'
            << "PIXIT parameters:      " << pixit.parameters().size() << " ("
            << fs::path(pixit.pixitPath()).filename().string() << ")\n"
            << "values written:        " << written << " (in " << workingCopies << " working copies)\n"
            << "unresolved references: " << unresolved << '\n'
            << "time taken:            " << time << '\n';
}

void printJson(const Output& output, const std::vector<TemplateOutcome>& outcomes, const PixitSession& pixit,
               const std::string& framework, const std::optional<FrameworkCopy>& copy, double seconds) {
  Json templates = Json::array();
  std::size_t written = 0;
  std::size_t unresolved = 0;
  std::size_t failed = 0;
  for (const TemplateOutcome& outcome : outcomes) {
    Json entry{{"label", outcome.entry.label()},
               {"name", outcome.entry.name},
               {"cell", outcome.entry.cell},
               {"area", outcome.entry.area},
               {"template", outcome.template_},
               {"workingCopy", outcome.workingCopy.empty() ? Json() : Json(outcome.workingCopy)},
               {"written", outcome.written},
               {"unresolved", outcome.unresolved}};
    if (outcome.problem.empty()) {
      entry["flattened"] = outcome.flattened;
    } else {
      entry["error"] = outcome.problem;
      ++failed;
    }
    templates.push_back(entry);
    written += outcome.written;
    unresolved += outcome.unresolved.size();
  }
  output.printJson(Json{{"framework", framework},
                        {"copy", copy ? Json(copy->folder()) : Json()},
                        {"pixitFile", pixit.pixitPath()},
                        {"templates", templates},
                        {"summary",
                         {{"templates", outcomes.size()},
                          {"failed", failed},
                          {"parameters", pixit.parameters().size()},
                          {"valuesWritten", written},
                          {"unresolvedReferences", unresolved},
                          {"seconds", seconds}}}});
}

int run(Context& context, const RunArguments& arguments) {
  const auto start = std::chrono::steady_clock::now();
  Settings& settings = context.settings;
  const Output& output = context.output;
  const std::string framework = chooseFramework(settings, arguments);
  const PixitChoice choice = choosePixitFile(framework, settings.pixitOption());
  if (!choice.problem.empty()) throw CommandFailure(choice.problem);

  // The lookup reads working copies back from the system folder's temp folder, so the run works
  // on a fresh copy that is both: the framework stays as it is, and copies left by an earlier run
  // cannot stand in for the templates. With --work the run works in place, as the framework does.
  std::optional<FrameworkCopy> copy;
  if (settings.workGiven()) {
    settings.setSystemFolder(framework);
  } else {
    copy.emplace(framework);
    settings.setSystemFolder(copy->folder());
    settings.setWorkFolder(copy->folder());
    if (arguments.keep) copy->keep();
    output.note("working on a copy of " + framework + " in " + copy->folder() +
                (arguments.keep ? " (kept)" : " (removed at the end; --keep keeps it)"));
  }
  settings.applyToLibrary();

  CXMLParser parser;
  PixitSession pixit;
  pixit.load(settings, output, choice.path, true);
  pixit.registerWith(parser);

  std::vector<TemplateOutcome> outcomes;
  for (const TemplateEntry& entry : findTemplates(settings)) outcomes.push_back({entry, {}, {}, {}, {}, {}, 0, {}});
  if (outcomes.empty()) {
    throw CommandFailure("there are no templates in the Command, RRCMessage or NASMessage folders of " + framework);
  }

  ProgressBar progress(outcomes.size() * 2);
  for (TemplateOutcome& outcome : outcomes) {
    progress.advance("writing " + outcome.entry.label());
    settings.selectCell(outcome.entry.cell);
    // A template that no parameter names is left as it is.
    (void)parser.isFileNamePresentinMultiMap(outcome.entry.name);
  }
  for (TemplateOutcome& outcome : outcomes) {
    progress.advance("flattening " + outcome.entry.label());
    settings.selectCell(outcome.entry.cell);
    outcome.found = getFrameworkCompleteFilePath_WCDMA(outcome.entry.name);
    outcome.flattened = parser.ParseXML(outcome.entry.name);
    if (outcome.flattened.empty()) outcome.problem = whyUnreadable(settings, outcome.found);
    inspect(settings, pixit, outcome);
  }
  progress.finish();
  settings.selectCell(settings.cell());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  for (const TemplateOutcome& outcome : outcomes) {
    if (!outcome.problem.empty()) output.note(outcome.entry.label() + ": " + outcome.problem);
    for (const std::string& reference : outcome.unresolved) {
      output.warning(outcome.entry.label() + " refers to " + reference + ", which " +
                     fs::path(pixit.pixitPath()).filename().string() + " does not define");
    }
  }
  if (output.json()) {
    printJson(output, outcomes, pixit, framework, copy, seconds);
  } else {
    printText(outcomes, pixit, seconds);
  }
  for (const TemplateOutcome& outcome : outcomes) {
    if (!outcome.problem.empty()) return 1;
  }
  return 0;
}

}  // namespace

void addRunCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<RunArguments>();
  CLI::App* command =
      app.add_subcommand("run", "Load the PIXIT file, write its values into the templates and flatten every template");
  command->add_option("FRAMEWORK_DIR", arguments->framework,
                      "The framework folder; default: --system, else the example framework shipped with l3xml");
  command->add_flag("--keep", arguments->keep, "Keep the copy of the framework that the run works on");
  context.output.addJsonFlag(*command);
  command->footer(
      "The host's sequence: the PIXIT file with its type file and AssociationFile.xml, registration, every "
      "parameter written into the templates its Comment names, then one flattened line per template of the "
      "RRCMessage, Command and NASMessage folders, and a summary.\n"
      "The run works on a copy of the framework in a temporary folder, so the framework is never written to; "
      "with --work DIR it works in place and keeps its working copies under DIR/temp (the framework itself "
      "reads them back only when DIR is the framework folder).\n\n"
      "Examples:\n"
      "  l3xml run\n"
      "  l3xml run /srv/frameworks/wcdma --pixit Campaign_WCDMA.xml --json");
  table[command] = [&context, arguments] { return run(context, *arguments); };
}

}  // namespace l3xml_cli
