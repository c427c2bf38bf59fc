// type: the kind of message a template holds, which is the name of its root element.
#include <iostream>
#include <memory>

#include <l3xml/l3xml.h>

#include "command.h"
#include "file_check.h"

namespace l3xml_cli {

namespace {

int printType(Context& context, const std::string& file) {
  context.settings.applyToLibrary();
  CXMLParser parser;
  const std::string type = parser.getXmlType(file);
  if (type.empty()) throw CommandFailure(whyUnreadable(context.settings, requireFrameworkFile(context.settings, file)));
  if (context.output.json()) {
    context.output.printJson(Json{{"file", file}, {"path", getFrameworkCompleteFilePath_WCDMA(file)}, {"type", type}});
  } else {
    std::cout << type << '\n';
  }
  return 0;
}

}  // namespace

void addTypeCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto file = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("type", "Print the message type of a template (its root element)");
  command->add_option("FILE", *file, "Template file name, as the framework knows it")->required();
  context.output.addJsonFlag(*command);
  command->footer(
      "Example:\n"
      "  l3xml --system examples/framework type SecurityModeCommand.xml");
  table[command] = [&context, file] { return printType(context, *file); };
}

}  // namespace l3xml_cli
