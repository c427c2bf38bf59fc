// Writes into working copies and what they changed.
#include "writing.h"

#include <filesystem>
#include <iostream>

#include "diagnostic_report.h"

namespace l3xml_cli {

bool mayWrite(Session& session, const TemplateRef& ref, bool dryRun) {
  const std::string target = ref.framework.workingCopyPath(ref.name);
  if (target.empty() || ref.framework.readsBack(ref.name, target)) return true;
  const l3xml::Folders& folders = ref.framework.folders();
  const std::optional<l3xml::Location> read = ref.framework.find(ref.name);
  const std::string why = !folders.work.empty() && folders.work != folders.system
                              ? "working copies are read back from the framework folder's temp folder only; leave "
                                "--work out"
                              : "it reads " + (read ? session.shown(read->path) : ref.name) + " first";
  const std::string message = "a write would go to " + session.shown(target) + ", which the lookup never reads for " +
                              ref.name + " (" + why + ")";
  if (dryRun) {
    session.warning(ref.argument, message);
    return true;
  }
  session.error(ref.argument, message + "; nothing was written");
  return false;
}

void checkReferences(Session& session, const l3xml::Framework& framework, const l3xml::Campaign* campaign,
                     const std::string& workingCopy) {
  // A working copy that was never written has nothing to check; the failed write has its own error.
  std::error_code error;
  if (campaign == nullptr || !std::filesystem::exists(workingCopy, error)) return;
  const l3xml::Result<l3xml::Template> tree = framework.readTemplate(workingCopy);
  if (!session.accept(tree)) return;
  l3xml::Diagnostics unresolved;
  for (const l3xml::Reference& reference : tree->references) {
    if (campaign->valueOf(reference.parameter)) continue;
    unresolved.push_back({l3xml::Severity::kError, l3xml::codes::kUnresolvedReference, workingCopy, reference.line,
                          reference.column,
                          reference.parameter + " is defined by no parameter of " + session.shown(campaign->pixitFile) +
                              ": the flattened line would leave it empty"});
  }
  session.collect(unresolved);
}

int reportWrite(const Context& context, Session& session, const TemplateRef& ref, const l3xml::Changes& changes,
                bool dryRun) {
  const std::string where = session.shown(changes.workingCopy);
  if (context.output.json()) {
    context.output.printJson(Json{{"file", ref.argument},
                                  {"workingCopy", where},
                                  {"dryRun", dryRun},
                                  {"changes", changesJson(changes.changes)},
                                  {"diagnostics", diagnosticsJson(session.diagnostics())}});
    return session.status();
  }
  printChanges(changes.changes, Palette::forStandardOutput(context.options.colour));
  const std::size_t count = changes.changes.size();
  const std::string values = std::to_string(count) + (count == 1 ? " value" : " values");
  context.output.note(dryRun ? "dry run: " + values + " would be written to " + where + "; nothing was written"
                             : values + " written to " + where);
  return session.status();
}

void addDryRunFlag(CLI::App& command, bool& dryRun) {
  command.add_flag("--dry-run,-n", dryRun,
                   "Print what would change and write nothing (the write goes to a temporary folder, removed at "
                   "the end)");
}

}  // namespace l3xml_cli
