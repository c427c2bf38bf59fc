// set: a value written into the working copy of a template, never into the template itself.
#include <memory>
#include <optional>

#include "template_view.h"
#include "writing.h"

namespace l3xml_cli {

namespace {

struct SetArguments {
  std::string file;
  std::string selector;
  std::string value;
  std::optional<long> index;
  bool dryRun = false;
};

int set(Context& context, const SetArguments& arguments) {
  Session session(context.options);
  session.open();
  const std::optional<TemplateRef> ref = session.resolve(arguments.file);
  if (!ref || !mayWrite(session, *ref, arguments.dryRun)) return 1;
  const std::optional<l3xml::Campaign> campaign = session.campaign(l3xml::AssociationMode::kSkip, false);
  const l3xml::Framework framework = arguments.dryRun ? session.dryRun(ref->framework) : ref->framework;
  const l3xml::Result<l3xml::Changes> changes =
      framework.set(ref->name, arguments.selector, arguments.value, arguments.index);
  if (!session.accept(changes)) {
    suggestNodeName(*ref, arguments.selector);
    return 1;
  }
  checkReferences(session, framework, campaign ? &*campaign : nullptr, changes->workingCopy);
  return reportWrite(context, session, *ref, *changes, arguments.dryRun);
}

}  // namespace

void addSetCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<SetArguments>();
  CLI::App* command = app.add_subcommand("set", "Write a value into the working copy of a template");
  command->add_option("FILE", arguments->file, "The template: a file name or a path in the framework")->required();
  command
      ->add_option("SELECTOR", arguments->selector,
                   "px_Name (every element holding that placeholder), an element name (every element of that "
                   "name) or a dotted path from the root")
      ->required();
  command->add_option("VALUE", arguments->value, "The new value")->required();
  command
      ->add_option("--index", arguments->index,
                   "Change only the N-th selected element, counted from 0 (the working copy is also trimmed "
                   "after its last '>')")
      ->type_name("N");
  addDryRunFlag(*command, arguments->dryRun);
  context.output.addJsonFlag(*command);
  command->footer(
      "The template is never changed: the value goes into its working copy under the framework's temp folder, "
      "which later commands read instead of the template. A write that the lookup would not read back (a NAS "
      "message's copy, a --work folder elsewhere) is refused.\n\n"
      "Examples:\n"
      "  l3xml --system /tmp/fw set RRCConnectionSetup.xml rrc-TransactionIdentifier 2\n"
      "  l3xml --system /tmp/fw set RRCMessage/SecondaryCell/ActiveSetUpdate.xml primaryScramblingCode 42\n"
      "  l3xml --system /tmp/fw set MasterInformationBlock.xml rep32 6 --index 1 --dry-run");
  table[command] = [&context, arguments] { return set(context, *arguments); };
}

}  // namespace l3xml_cli
