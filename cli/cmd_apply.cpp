// apply: every PIXIT parameter that names a template written into its working copy.
#include <filesystem>
#include <iostream>
#include <memory>

#include <l3xml/l3xml.h>

#include "change_list.h"
#include "command.h"
#include "file_check.h"
#include "framework.h"
#include "pixit_session.h"

namespace l3xml_cli {

namespace {

struct ApplyArguments {
  std::string file;
  ColourWhen colour = ColourWhen::kAuto;
};

int apply(Context& context, const ApplyArguments& arguments) {
  Settings& settings = context.settings;
  settings.applyToLibrary();
  const std::string source = requireFrameworkFile(settings, arguments.file);
  const PixitChoice choice = choosePixitFile(settings.systemFolder(), settings.pixitOption());
  if (!choice.problem.empty()) throw CommandFailure(choice.problem);

  CXMLParser parser;
  PixitSession pixit;
  pixit.load(settings, context.output, choice.path, false);
  pixit.registerWith(parser);

  // Compared with what the library is about to edit, so that only this command's writes show.
  const std::string workingCopy = workingCopyPath(settings.workFolder(), source, arguments.file);
  const TemplateNode before = requireTemplate(std::filesystem::exists(workingCopy) ? workingCopy : source);
  if (parser.isFileNamePresentinMultiMap(arguments.file) != 0) {
    throw CommandFailure("no parameter of " + choice.path + " names " + arguments.file + " in its Comment");
  }
  const std::vector<ValueChange> changes = compareTemplates(before, requireTemplate(workingCopy));

  if (context.output.json()) {
    context.output.printJson(Json{{"file", arguments.file},
                                  {"cell", settings.cell()},
                                  {"pixitFile", choice.path},
                                  {"template", source},
                                  {"workingCopy", workingCopy},
                                  {"changes", changesJson(changes)}});
  } else {
    printChanges(changes, Palette::forStandardOutput(arguments.colour));
    context.output.note(std::to_string(changes.size()) + (changes.size() == 1 ? " value" : " values") + " written to " +
                        workingCopy);
  }
  return 0;
}

}  // namespace

void addApplyCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<ApplyArguments>();
  CLI::App* command =
      app.add_subcommand("apply", "Write every PIXIT parameter that names a template into its working copy");
  command->add_option("FILE", arguments->file, "Template file name, as the framework knows it")->required();
  addColourOption(*command, arguments->colour);
  context.output.addJsonFlag(*command);
  command->footer(
      "The framework's PIXIT file is loaded (--pixit, or the one at the root of the system folder); each parameter "
      "whose Comment names FILE replaces its px_ placeholder in FILE's working copy. Prints the values written.\n\n"
      "Example:\n"
      "  l3xml --system /tmp/fw apply RRCConnectionSetup.xml\n"
      "  l3xml --system /tmp/fw --cell SecondaryCell apply ActiveSetUpdate.xml");
  table[command] = [&context, arguments] { return apply(context, *arguments); };
}

}  // namespace l3xml_cli
