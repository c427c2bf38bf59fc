// apply: every PIXIT parameter that names a template written into its working copy.
#include <algorithm>
#include <memory>

#include "writing.h"

namespace l3xml_cli {

namespace {

struct ApplyArguments {
  std::string file;
  bool dryRun = false;
};

int apply(Context& context, const ApplyArguments& arguments) {
  Session session(context.options);
  session.open();
  const std::optional<TemplateRef> ref = session.resolve(arguments.file);
  const std::optional<l3xml::Campaign> campaign = session.campaign(l3xml::AssociationMode::kSkip, true);
  if (!ref || !campaign) return 1;
  const bool named = std::any_of(campaign->parameters.begin(), campaign->parameters.end(), [&](const auto& parameter) {
    return std::find(parameter.files.begin(), parameter.files.end(), ref->name) != parameter.files.end();
  });
  if (!named) {
    session.error(arguments.file, "no parameter of " + session.shown(campaign->pixitFile) + " names " + ref->name +
                                      " in its comment: there is nothing to apply");
    return 1;
  }
  if (!mayWrite(session, *ref, arguments.dryRun)) return 1;
  const l3xml::Framework framework = arguments.dryRun ? session.dryRun(ref->framework) : ref->framework;
  const l3xml::Result<l3xml::Changes> changes = framework.apply(*campaign, ref->name);
  if (!session.accept(changes)) return 1;
  checkReferences(session, framework, &*campaign, changes->workingCopy);
  return reportWrite(context, session, *ref, *changes, arguments.dryRun);
}

}  // namespace

void addApplyCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<ApplyArguments>();
  CLI::App* command =
      app.add_subcommand("apply", "Write every PIXIT parameter that names a template into its working copy");
  command->add_option("FILE", arguments->file, "The template: a file name or a path in the framework")->required();
  addDryRunFlag(*command, arguments->dryRun);
  context.output.addJsonFlag(*command);
  command->footer(
      "The PIXIT file is loaded (--pixit, or the one at the framework root); each parameter whose comment names "
      "FILE replaces its px_ placeholder in FILE's working copy. Prints the values written.\n\n"
      "Examples:\n"
      "  l3xml --system /tmp/fw apply RRCConnectionSetup.xml\n"
      "  l3xml --system /tmp/fw apply RRCMessage/SecondaryCell/ActiveSetUpdate.xml --dry-run");
  table[command] = [&context, arguments] { return apply(context, *arguments); };
}

}  // namespace l3xml_cli
