// status, diff and reset: the working copies of a framework as a whole.
#include <filesystem>
#include <iostream>
#include <memory>

#include "diagnostic_report.h"
#include "session.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

struct Copy {
  TemplateRef ref;
  std::string path;  // the working copy
};

// The named templates, or every working copy there is.
std::vector<Copy> copiesOf(Session& session, const std::vector<std::string>& files) {
  std::vector<Copy> copies;
  if (files.empty()) {
    for (const l3xml::WorkingCopy& copy : session.framework().workingCopies()) {
      const l3xml::Framework framework =
          copy.cell.empty() ? session.framework() : session.framework().withCell(copy.cell);
      copies.push_back({TemplateRef{copy.name, copy.name, framework}, copy.path});
    }
    return copies;
  }
  for (TemplateRef& ref : session.resolveAll(files)) {
    const std::string path = ref.framework.workingCopyPath(ref.name);
    copies.push_back({std::move(ref), path});
  }
  return copies;
}

int status(Context& context) {
  Session session(context.options);
  session.open();
  const Palette palette = Palette::forStandardOutput(context.options.colour);
  Json list = Json::array();
  const std::vector<Copy> copies = copiesOf(session, {});
  for (const Copy& copy : copies) {
    const l3xml::Result<l3xml::Changes> changes = copy.ref.framework.compare(copy.ref.name);
    const std::optional<l3xml::Location> found = copy.ref.framework.findTemplate(copy.ref.name);
    const bool readBack = copy.ref.framework.readsBack(copy.ref.name, copy.path);
    const long differences = session.accept(changes) ? static_cast<long>(changes->changes.size()) : -1;
    const std::string template_ = found ? session.shown(found->path) : std::string();
    if (context.output.json()) {
      list.push_back({{"workingCopy", session.shown(copy.path)},
                      {"template", template_},
                      {"differences", differences},
                      {"readBack", readBack}});
      continue;
    }
    std::cout << palette.name(session.shown(copy.path)) << "  "
              << (differences < 0
                      ? palette.problem("unreadable")
                      : std::to_string(differences) + (differences == 1 ? " value differs" : " values differ"))
              << " from " << template_ << (readBack ? "" : palette.caution("  (the lookup never reads it)")) << '\n';
  }
  if (context.output.json()) {
    context.output.printJson(Json{{"workingCopies", list}, {"diagnostics", diagnosticsJson(session.diagnostics())}});
  } else if (copies.empty()) {
    context.output.note("no working copies: every template is read as it is");
  }
  return session.status();
}

// Exit status as diff's: 0 the same, 1 different, 2 trouble.
int diff(Context& context, const std::vector<std::string>& files) {
  Session session(context.options);
  session.open();
  const Palette palette = Palette::forStandardOutput(context.options.colour);
  const std::vector<Copy> copies = copiesOf(session, files);
  bool trouble = copies.size() < files.size();
  bool different = false;
  Json list = Json::array();
  for (const Copy& copy : copies) {
    const l3xml::Result<l3xml::Changes> changes = copy.ref.framework.compare(copy.ref.name);
    if (!session.accept(changes)) {
      trouble = true;
      continue;
    }
    different = different || !changes->changes.empty();
    if (!files.empty() && !fs::exists(copy.path)) context.output.note(copy.ref.argument + " has no working copy");
    if (context.output.json()) {
      list.push_back({{"file", copy.ref.argument},
                      {"workingCopy", session.shown(copy.path)},
                      {"changes", changesJson(changes->changes)}});
    } else if (copies.size() > 1 || files.empty()) {
      for (const l3xml::Change& change : changes->changes) {
        std::cout << session.shown(copy.path) << ": ";
        printChanges({change}, palette);
      }
    } else {
      printChanges(changes->changes, palette);
    }
  }
  if (context.output.json()) {
    context.output.printJson(Json{{"files", list}, {"diagnostics", diagnosticsJson(session.diagnostics())}});
  }
  return trouble || session.errors() > 0 ? 2 : different ? 1 : 0;
}

int reset(Context& context, const std::vector<std::string>& files) {
  Session session(context.options);
  session.open();
  Json removed = Json::array();
  const std::vector<Copy> copies = copiesOf(session, files);
  for (const Copy& copy : copies) {
    const l3xml::Result<bool> removal = copy.ref.framework.removeWorkingCopy(copy.ref.name);
    if (!session.accept(removal)) continue;
    if (!*removal) {
      context.output.note(copy.ref.argument + " has no working copy");
      continue;
    }
    removed.push_back(session.shown(copy.path));
    if (!context.output.json()) std::cout << "removed " << session.shown(copy.path) << '\n';
  }
  if (context.output.json()) {
    context.output.printJson(Json{{"removed", removed}, {"diagnostics", diagnosticsJson(session.diagnostics())}});
  }
  return copies.size() < files.size() ? 1 : session.status();
}

}  // namespace

void addStatusCommand(CLI::App& app, Context& context, CommandTable& table) {
  CLI::App* command =
      app.add_subcommand("status", "List the working copies, with the number of values that differ from the template");
  context.output.addJsonFlag(*command);
  command->footer(
      "A working copy is what set, apply and the association wrote for a template; the lookup reads it instead "
      "of the template. One the lookup never reads (a NAS message's) is marked.\n\n"
      "Example:\n"
      "  l3xml --system /tmp/fw status");
  table[command] = [&context] { return status(context); };
}

void addDiffCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto files = std::make_shared<std::vector<std::string>>();
  CLI::App* command =
      app.add_subcommand("diff", "Print the values that differ between templates and their working copies");
  command->add_option("FILE", *files, "Templates: file names or paths in the framework; default: every working copy");
  context.output.addJsonFlag(*command);
  command->footer(
      "One line per difference: path: old -> new (after the working copy when there are several). Exit status "
      "as diff's: 0 no difference, 1 differences, 2 trouble.\n\n"
      "Examples:\n"
      "  l3xml --system /tmp/fw set RRCConnectionSetup.xml utran-DRX-CycleLengthCoeff 9\n"
      "  l3xml --system /tmp/fw diff RRCConnectionSetup.xml\n"
      "  l3xml --system /tmp/fw diff");
  table[command] = [&context, files] { return diff(context, *files); };
}

void addResetCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto files = std::make_shared<std::vector<std::string>>();
  CLI::App* command =
      app.add_subcommand("reset", "Remove working copies, so that the templates are read as they are again");
  command->add_option("FILE", *files, "Templates: file names or paths in the framework; default: every working copy");
  context.output.addJsonFlag(*command);
  command->footer(
      "Examples:\n"
      "  l3xml --system /tmp/fw reset RRCConnectionSetup.xml\n"
      "  l3xml --system /tmp/fw reset");
  table[command] = [&context, files] { return reset(context, *files); };
}

}  // namespace l3xml_cli
