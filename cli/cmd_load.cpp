// load: a PIXIT file's parameters as read and as the framework uses them after conversion.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

#include <l3xml/l3xml.h>

#include "command.h"
#include "file_check.h"
#include "pixit_session.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

struct LoadArguments {
  std::string pixitFile;
  bool associate = false;
};

struct Row {
  std::string name;
  std::string type;
  std::string asRead;
  std::string converted;
  std::string unit;
  std::string comment;
};

void printTable(const std::vector<Row>& rows) {
  const std::vector<std::string> headings{"NAME", "TYPE", "AS READ", "CONVERTED", "UNIT", "COMMENT"};
  std::vector<std::size_t> widths;
  for (const std::string& heading : headings) widths.push_back(heading.size());
  for (const Row& row : rows) {
    const std::string* cells[] = {&row.name, &row.type, &row.asRead, &row.converted, &row.unit};
    for (std::size_t i = 0; i < 5; ++i) widths[i] = std::max(widths[i], cells[i]->size());
  }
  auto printRow = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      line += cells[i];
      if (i + 1 < cells.size()) line += std::string(widths[i] - cells[i].size() + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::cout << line << '\n';
  };
  printRow(headings);
  for (const Row& row : rows) printRow({row.name, row.type, row.asRead, row.converted, row.unit, row.comment});
}

int load(Context& context, const LoadArguments& arguments) {
  Settings& settings = context.settings;
  std::error_code error;
  if (!fs::is_regular_file(arguments.pixitFile, error)) {
    throw CommandFailure("the PIXIT file " + arguments.pixitFile + " does not exist");
  }
  const std::string pixitPath = fs::absolute(arguments.pixitFile).lexically_normal().generic_string();
  // The type and association files are looked up in the framework; by default that is the folder
  // the PIXIT file sits in.
  if (!settings.systemGiven()) settings.setSystemFolder(fs::path(pixitPath).parent_path().string());
  settings.applyToLibrary();

  ParameterFileReader reader;
  std::string readerPath = pixitPath;
  if (!reader.readParameterFile(readerPath, PIXIT_FILE)) {
    throw CommandFailure("the PIXIT file " + whyUnreadable(settings, pixitPath));
  }
  const std::map<std::string, ParamStructure> asRead = reader.getparamList();
  PixitSession session;
  session.load(settings, context.output, pixitPath, arguments.associate);

  std::vector<Row> rows;
  for (const auto& [name, parameter] : asRead) {
    const auto converted = session.parameters().find(name);
    rows.push_back({name, parameter.type, parameter.value,
                    converted != session.parameters().end() ? converted->second.value : parameter.value, parameter.unit,
                    parameter.comment});
  }

  if (context.output.json()) {
    Json parameters = Json::array();
    for (const Row& row : rows) {
      const auto type = session.types().find(row.type);
      const ParamStructure& parameter = asRead.at(row.name);
      parameters.push_back({{"name", row.name},
                            {"type", row.type},
                            {"basetype", type != session.types().end() ? Json(type->second.basetype) : Json()},
                            {"valueAsRead", row.asRead},
                            {"value", row.converted},
                            {"unit", row.unit},
                            {"group", parameter.group},
                            {"cell", parameter.cell},
                            {"comment", row.comment}});
    }
    context.output.printJson(Json{{"pixitFile", pixitPath},
                                  {"typeFile", getFrameworkCompleteFilePath_WCDMA(typeFileFor(pixitPath))},
                                  {"associated", arguments.associate},
                                  {"parameters", parameters}});
  } else {
    printTable(rows);
  }
  if (arguments.associate && !context.output.json()) {
    context.output.note("the association file was applied: working copies are under " + settings.workFolder() +
                        "/temp");
  }
  return 0;
}

}  // namespace

void addLoadCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<LoadArguments>();
  CLI::App* command =
      app.add_subcommand("load", "Print a PIXIT file's parameters as read and after the framework's conversion");
  command->add_option("PIXIT_FILE", arguments->pixitFile, "Path of the PIXIT file")->required();
  command->add_flag("--associate", arguments->associate,
                    "Also apply the framework's AssociationFile.xml, which writes the bound values into working "
                    "copies of the templates");
  context.output.addJsonFlag(*command);
  command->footer(
      "The type file is L3_Wcdma_Types.xml when the PIXIT file's name holds WCDMA, Types_Callbox.xml when it holds "
      "Callbox, Types.xml otherwise, found in the framework's folders (by default the PIXIT file's own folder). "
      "Boolean values convert to 0 or 1, enumerations to their numeric values.\n\n"
      "Example:\n"
      "  l3xml load examples/framework/L3_WCDMA_PIXIT.xml");
  table[command] = [&context, arguments] { return load(context, *arguments); };
}

}  // namespace l3xml_cli
