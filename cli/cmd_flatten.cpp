// flatten: templates as the one-line value strings that the framework sends.
#include <iostream>
#include <memory>
#include <vector>

#include <l3xml/l3xml.h>

#include "command.h"
#include "file_check.h"
#include "pixit_session.h"

namespace l3xml_cli {

namespace {

struct FlattenArguments {
  std::vector<std::string> files;
};

int flatten(Context& context, const FlattenArguments& arguments) {
  Settings& settings = context.settings;
  const Output& output = context.output;
  settings.applyToLibrary();
  CXMLParser parser;
  PixitSession pixit;
  loadPixitForReading(settings, output, pixit, parser, false);

  Json results = Json::array();
  int failures = 0;
  const bool labelled = arguments.files.size() > 1;
  for (const std::string& file : arguments.files) {
    const std::string line = parser.ParseXML(file);
    if (line.empty()) {
      // The library returns an empty line for every failure; the lookup and the file tell which.
      std::string reason;
      try {
        reason = whyUnreadable(settings, requireFrameworkFile(settings, file));
      } catch (const CommandFailure& failure) {
        reason = failure.what();
      }
      output.note(reason);
      results.push_back({{"file", file}, {"error", reason}});
      ++failures;
      continue;
    }
    if (output.json()) {
      results.push_back({{"file", file}, {"path", getFrameworkCompleteFilePath_WCDMA(file)}, {"flattened", line}});
    } else {
      std::cout << (labelled ? file + ": " : std::string()) << line << '\n';
    }
  }
  if (output.json()) output.printJson(Json{{"files", results}});
  return failures == 0 ? 0 : 1;
}

}  // namespace

void addFlattenCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<FlattenArguments>();
  CLI::App* command = app.add_subcommand("flatten", "Print templates as one-line value strings");
  command->add_option("FILE", arguments->files, "Template file names, as the framework knows them")->required();
  context.output.addJsonFlag(*command);
  command->footer(
      "Choices are shown as ( ), optional parts as [ ], SEQUENCE runs as { , }; PIXIT references take the value "
      "of the framework's PIXIT file.\n\n"
      "Example:\n"
      "  l3xml --system examples/framework flatten RRCConnectionSetup.xml SecurityModeCommand.xml");
  table[command] = [&context, arguments] { return flatten(context, *arguments); };
}

}  // namespace l3xml_cli
