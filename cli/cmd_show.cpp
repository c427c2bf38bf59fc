// show: a template as an indented tree with kinds, values and resolved PIXIT references.
#include <iostream>
#include <memory>

#include "diagnostic_report.h"
#include "template_view.h"

namespace l3xml_cli {

namespace {

struct ShowArguments {
  std::string file;
  bool paths = false;
};

int show(Context& context, const ShowArguments& arguments) {
  Session session(context.options);
  session.open();
  const std::optional<TemplateRef> ref = session.resolve(arguments.file, true);
  if (!ref) return 1;
  const std::optional<l3xml::Campaign> campaign = session.campaign(l3xml::AssociationMode::kSkip, false);
  const l3xml::Campaign* values = campaign ? &*campaign : nullptr;
  const l3xml::Result<l3xml::Template> tree = ref->framework.loadTemplate(ref->name);
  if (!session.accept(tree)) return 1;
  const l3xml::Result<l3xml::FlatLine> line = ref->framework.flatten(ref->name, values);
  session.accept(line);

  const Palette palette = Palette::forStandardOutput(context.options.colour);
  const TreePrinter printer(values, palette);
  if (context.output.json()) {
    context.output.printJson(Json{{"file", arguments.file},
                                  {"path", session.shown(tree->path)},
                                  {"pixitFile", campaign ? Json(session.shown(campaign->pixitFile)) : Json()},
                                  {"tree", printer.json(tree->root)},
                                  {"flattened", line.has_value() ? Json(line->text) : Json()},
                                  {"diagnostics", diagnosticsJson(session.diagnostics())}});
    return session.status();
  }
  std::cout << palette.faint(session.shown(tree->path)) << '\n';
  if (campaign) std::cout << palette.faint("PIXIT values from " + session.shown(campaign->pixitFile)) << '\n';
  std::cout << '\n';
  if (arguments.paths) {
    printer.printPaths(tree->root);
  } else {
    printer.print(tree->root);
  }
  if (line.has_value()) std::cout << '\n' << palette.faint("flattened: ") << line->text << '\n';
  return session.status();
}

}  // namespace

void addShowCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<ShowArguments>();
  CLI::App* command = app.add_subcommand("show", "Print a template as a tree, then its flattened line");
  command->add_option("FILE", arguments->file, "The template: a file name, a path in the framework, or -")->required();
  command->add_flag("--paths", arguments->paths,
                    "List each value with the dotted path that get and set take, instead of the tree");
  context.output.addJsonFlag(*command);
  command->footer(
      "Marks: (choice), [optional], {SEQUENCE}. A PIXIT reference shows the value it resolves to when the "
      "framework has a PIXIT file (--pixit, or the one at the framework root).\n\n"
      "Examples:\n"
      "  l3xml --system examples/framework show SecurityModeCommand.xml\n"
      "  l3xml --system examples/framework show --paths MasterInformationBlock.xml");
  table[command] = [&context, arguments] { return show(context, *arguments); };
}

}  // namespace l3xml_cli
