// type: the kind of message a template holds, which is the name of its root element.
#include <iostream>
#include <memory>

#include "diagnostic_report.h"
#include "session.h"

namespace l3xml_cli {

namespace {

int printType(Context& context, const std::string& file) {
  Session session(context.options);
  session.open();
  const std::optional<TemplateRef> ref = session.resolve(file, true);
  const l3xml::Result<std::string> type = ref ? ref->framework.messageType(ref->name) : l3xml::Result<std::string>();
  const bool known = ref && session.accept(type);
  if (context.output.json()) {
    context.output.printJson(Json{{"file", file},
                                  {"type", known ? Json(*type) : Json()},
                                  {"diagnostics", diagnosticsJson(session.diagnostics())}});
  } else if (known) {
    std::cout << *type << '\n';
  }
  return known ? session.status() : 1;
}

}  // namespace

void addTypeCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto file = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("type", "Print the message type of a template (its root element)");
  command->add_option("FILE", *file, "The template: a file name, a path in the framework, or -")->required();
  context.output.addJsonFlag(*command);
  command->footer(
      "Example:\n"
      "  l3xml --system examples/framework type SecurityModeCommand.xml");
  table[command] = [&context, file] { return printType(context, *file); };
}

}  // namespace l3xml_cli
