// diff: the values that differ between a template and its working copy.
#include <filesystem>
#include <iostream>
#include <memory>

#include "change_list.h"
#include "command.h"
#include "file_check.h"
#include "framework.h"

namespace l3xml_cli {

namespace {

struct DiffArguments {
  std::string file;
  ColourWhen colour = ColourWhen::kAuto;
};

int diff(Context& context, const DiffArguments& arguments) {
  Settings& settings = context.settings;
  settings.applyToLibrary();
  const std::string source = findReadOnlyTemplate(settings, settings.cell(), arguments.file);
  if (source.empty()) {
    throw CommandFailure(arguments.file + " was not found in the read-only folders of " + settings.systemFolder() +
                         (settings.userFolder().empty() ? std::string() : " or " + settings.userFolder()) + " (cell " +
                         settings.cell() + ")");
  }
  const std::string workingCopy = workingCopyPath(settings.workFolder(), source, arguments.file);
  if (!std::filesystem::exists(workingCopy)) {
    throw CommandFailure(arguments.file + " has no working copy: nothing has been written to it (looked for " +
                         workingCopy + ")");
  }
  const std::vector<ValueChange> changes = compareTemplates(requireTemplate(source), requireTemplate(workingCopy));

  if (context.output.json()) {
    context.output.printJson(Json{{"file", arguments.file},
                                  {"template", source},
                                  {"workingCopy", workingCopy},
                                  {"changes", changesJson(changes)}});
  } else if (changes.empty()) {
    context.output.note("the working copy " + workingCopy + " holds the template's values");
  } else {
    printChanges(changes, Palette::forStandardOutput(arguments.colour));
  }
  return 0;
}

}  // namespace

void addDiffCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<DiffArguments>();
  CLI::App* command =
      app.add_subcommand("diff", "Print the values that differ between a template and its working copy");
  command->add_option("FILE", arguments->file, "Template file name, as the framework knows it")->required();
  addColourOption(*command, arguments->colour);
  context.output.addJsonFlag(*command);
  command->footer(
      "The template is the file the lookup finds outside the temp folders; its working copy is the one the "
      "library writes under the work folder. One line per difference: path: old -> new.\n\n"
      "Example:\n"
      "  l3xml --system /tmp/fw set RRCConnectionSetup.xml utran-DRX-CycleLengthCoeff 9\n"
      "  l3xml --system /tmp/fw diff RRCConnectionSetup.xml");
  table[command] = [&context, arguments] { return diff(context, *arguments); };
}

}  // namespace l3xml_cli
