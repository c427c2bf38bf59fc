// rename: an element renamed by the library's text rewrite into the work folder's temp folder.
#include <filesystem>
#include <iostream>
#include <memory>

#include <l3xml/l3xml.h>

#include "command.h"
#include "file_check.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

struct RenameArguments {
  std::string file;
  std::string oldName;
  std::string newName;
};

int rename(Context& context, RenameArguments arguments) {
  Settings& settings = context.settings;
  settings.applyToLibrary();
  const std::string source = requireFrameworkFile(settings, arguments.file);
  const std::size_t before = findByName(requireTemplate(source), arguments.oldName).size();
  if (before == 0) throw CommandFailure(source + " has no element named " + arguments.oldName);
  if (!isSelectableName(arguments.newName)) throw CommandFailure("'" + arguments.newName + "' is not an element name");

  // The library writes into the temp folder but does not make it.
  const fs::path tempFolder = fs::path(settings.workFolder()) / "temp";
  fs::create_directories(tempFolder);
  const std::string output = (tempFolder / arguments.file).generic_string();

  CXMLParser parser;
  if (parser.UpdateNodeName(arguments.file, arguments.oldName.data(), arguments.newName.data()) != 0) {
    throw CommandFailure("the library could not write " + output + "; its log is at " + settings.logDescription());
  }
  // The rewrite changes the first occurrence on each line in place; check what it made.
  const TemplateReading result = readTemplate(output);
  if (!result.ok || findByName(result.root, arguments.newName).empty()) {
    throw CommandFailure(output + (result.ok ? " holds no element " + arguments.newName : " " + result.problem) +
                         " after the rename: the rewrite overwrites the first " + arguments.oldName +
                         " of each line in place, so it needs a new name as long as the old one and elements "
                         "that open and close on lines of their own");
  }
  const std::size_t renamed = before - std::min(before, findByName(result.root, arguments.oldName).size());

  if (context.output.json()) {
    context.output.printJson(Json{{"file", arguments.file},
                                  {"old", arguments.oldName},
                                  {"new", arguments.newName},
                                  {"elements", renamed},
                                  {"template", source},
                                  {"output", output}});
  } else {
    std::cout << arguments.file << ": " << arguments.oldName << " -> " << arguments.newName << " (" << renamed
              << (renamed == 1 ? " element" : " elements") << ") in " << output << '\n';
  }
  return 0;
}

}  // namespace

void addRenameCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<RenameArguments>();
  CLI::App* command = app.add_subcommand("rename", "Rename an element, writing the result into the temp folder");
  command->add_option("FILE", arguments->file, "Template file name, as the framework knows it")->required();
  command->add_option("OLD", arguments->oldName, "The element name to replace")->required();
  command->add_option("NEW", arguments->newName, "The new element name")->required();
  context.output.addJsonFlag(*command);
  command->footer(
      "The result goes to the work folder's temp folder under the file's own name. The rename is a text "
      "rewrite of the first occurrence on each line, made for names of equal length.\n\n"
      "Example:\n"
      "  l3xml --system /tmp/fw rename RRCConnectionRelease.xml optRplmn-Information optRplmn-Informatio2");
  table[command] = [&context, arguments] { return rename(context, *arguments); };
}

}  // namespace l3xml_cli
