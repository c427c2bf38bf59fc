// get: the values of a template at a node name or a dotted path.
#include <iostream>
#include <memory>

#include "diagnostic_report.h"
#include "session.h"
#include "template_view.h"

namespace l3xml_cli {

namespace {

struct GetArguments {
  std::string file;
  std::string selector;
};

int get(Context& context, const GetArguments& arguments) {
  Session session(context.options);
  session.open();
  const std::optional<TemplateRef> ref = session.resolve(arguments.file, true);
  if (!ref) return 1;
  const std::optional<l3xml::Campaign> campaign = session.campaign(l3xml::AssociationMode::kSkip, false);
  const l3xml::Result<std::vector<std::string>> values =
      ref->framework.get(ref->name, arguments.selector, campaign ? &*campaign : nullptr);
  const bool read = session.accept(values);
  if (!read) suggestNodeName(*ref, arguments.selector);
  if (context.output.json()) {
    context.output.printJson(Json{{"file", arguments.file},
                                  {"selector", arguments.selector},
                                  {"values", read ? Json(*values) : Json()},
                                  {"diagnostics", diagnosticsJson(session.diagnostics())}});
  } else if (read) {
    for (const std::string& value : *values) std::cout << value << '\n';
  }
  return read ? session.status() : 1;
}

}  // namespace

void addGetCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<GetArguments>();
  CLI::App* command = app.add_subcommand("get", "Print the values of a template at a node name or a dotted path");
  command->add_option("FILE", arguments->file, "The template: a file name, a path in the framework, or -")->required();
  command
      ->add_option("PATH_OR_NAME", arguments->selector,
                   "An element name (every element of that name) or a dotted path from the root, where [N] "
                   "is the N-th child")
      ->required();
  context.output.addJsonFlag(*command);
  command->footer(
      "Values that are PIXIT references print as the value of the PIXIT file. A selector that selects no element, "
      "or an element that holds elements rather than a value, is an error.\n\n"
      "Examples:\n"
      "  l3xml --system examples/framework get RRCConnectionSetup.xml rrc-TransactionIdentifier\n"
      "  l3xml --system examples/framework get MasterInformationBlock.xml "
      "MasterInformationBlock.sibSb-ReferenceList.[2].scheduling.sib-Pos.c3.rep32");
  table[command] = [&context, arguments] { return get(context, *arguments); };
}

}  // namespace l3xml_cli
