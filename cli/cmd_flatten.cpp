// flatten: templates as the one-line value strings that the framework sends.
#include <iostream>
#include <memory>
#include <vector>

#include "diagnostic_report.h"
#include "session.h"

namespace l3xml_cli {

namespace {

int flatten(Context& context, const std::vector<std::string>& files) {
  Session session(context.options);
  session.open();
  const std::vector<TemplateRef> refs = session.resolveAll(files, true);
  const std::optional<l3xml::Campaign> campaign = session.campaign(l3xml::AssociationMode::kSkip, false);

  Json results = Json::array();
  for (const TemplateRef& ref : refs) {
    const l3xml::Result<l3xml::FlatLine> line = ref.framework.flatten(ref.name, campaign ? &*campaign : nullptr);
    const bool flattened = session.accept(line);
    const std::optional<l3xml::Location> found = ref.framework.find(ref.name);
    if (context.output.json()) {
      results.push_back({{"file", ref.argument},
                         {"path", found ? Json(session.shown(found->path)) : Json()},
                         {"flattened", flattened ? Json(line->text) : Json()}});
    } else if (flattened) {
      std::cout << (files.size() > 1 ? ref.argument + ": " : std::string()) << line->text << '\n';
    }
  }
  if (context.output.json()) {
    context.output.printJson(Json{{"files", results}, {"diagnostics", diagnosticsJson(session.diagnostics())}});
  }
  return session.status();
}

}  // namespace

void addFlattenCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto files = std::make_shared<std::vector<std::string>>();
  CLI::App* command = app.add_subcommand("flatten", "Print templates as one-line value strings");
  command->add_option("FILE", *files, "Templates: file names, paths in the framework, or - for standard input")
      ->required();
  context.output.addJsonFlag(*command);
  command->footer(
      "Choices are shown as ( ), optional parts as [ ], SEQUENCE runs as { , }; PIXIT references take the value "
      "of the PIXIT file (--pixit, or the one at the framework root). A reference that no parameter defines, a "
      "line cut at 4095 characters or a template nested too deep is an error: exit status 1.\n\n"
      "Examples:\n"
      "  l3xml --system examples/framework flatten RRCConnectionSetup.xml SecurityModeCommand.xml\n"
      "  l3xml --system examples/framework flatten RRCMessage/SecondaryCell/ActiveSetUpdate.xml");
  table[command] = [&context, files] { return flatten(context, *files); };
}

}  // namespace l3xml_cli
