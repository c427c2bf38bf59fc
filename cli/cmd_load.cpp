// load: a PIXIT file's parameters as read and as the framework uses them after conversion.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "diagnostic_report.h"
#include "writing.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

struct LoadArguments {
  std::string pixitFile;
  bool associate = false;
  bool dryRun = false;
};

void printTable(const std::vector<l3xml::Parameter>& parameters) {
  const std::vector<std::string> headings{"NAME", "TYPE", "AS READ", "CONVERTED", "UNIT", "COMMENT"};
  std::vector<std::size_t> widths;
  for (const std::string& heading : headings) widths.push_back(heading.size());
  auto cells = [](const l3xml::Parameter& p) {
    return std::vector<std::string>{p.name, p.type, p.value, p.converted, p.unit, p.comment};
  };
  for (const l3xml::Parameter& parameter : parameters) {
    const std::vector<std::string> row = cells(parameter);
    for (std::size_t i = 0; i + 1 < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
  }
  auto printRow = [&](const std::vector<std::string>& row) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - row[i].size() + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::cout << line << '\n';
  };
  printRow(headings);
  for (const l3xml::Parameter& parameter : parameters) printRow(cells(parameter));
}

using TemplateKey = std::pair<std::string, std::string>;  // cell, file name

int load(Context& context, const LoadArguments& arguments) {
  if (arguments.dryRun && !arguments.associate) {
    throw UsageFailure("--dry-run goes with --associate: without it, load writes nothing");
  }
  Session session(context.options);
  // The type and association files are looked up in the framework: by default, the folder the
  // PIXIT file lies in.
  const bool besideIt = context.options.system.empty() && arguments.pixitFile != "-";
  session.open(besideIt ? fs::path(folderText(arguments.pixitFile)).parent_path().string() : std::string());
  const std::string pixit = session.pixitPath(arguments.pixitFile);

  // What the association will write into, as it stands before anything is written.
  const l3xml::Framework& framework = session.framework();
  std::map<TemplateKey, l3xml::Template> before;
  if (arguments.associate) {
    const l3xml::Result<l3xml::Campaign> planned =
        framework.loadCampaign(session.campaignOptions(l3xml::AssociationMode::kRead, pixit));
    for (const l3xml::Binding& binding : planned.has_value() ? planned->bindings : std::vector<l3xml::Binding>()) {
      if (binding.converted.empty() || before.count({binding.cell, binding.file}) > 0) continue;
      l3xml::Result<l3xml::Template> tree = framework.withCell(binding.cell).loadTemplate(binding.file);
      if (tree.has_value()) before.emplace(TemplateKey{binding.cell, binding.file}, std::move(tree).value());
    }
  }
  const l3xml::Framework target = arguments.dryRun ? session.dryRun(framework) : framework;
  const std::optional<l3xml::Campaign> campaign = session.campaign(
      arguments.associate ? l3xml::AssociationMode::kApply : l3xml::AssociationMode::kRead, true, &target, pixit);
  if (!campaign) return 1;

  Json written = Json::array();
  std::vector<std::string> lines;
  for (const auto& [key, tree] : before) {
    const l3xml::Framework cell = target.withCell(key.first);
    const std::string copy = cell.workingCopyPath(key.second);
    const l3xml::Result<l3xml::Template> after = cell.readTemplate(copy);
    if (!fs::exists(copy) || !session.accept(after)) continue;
    const std::vector<l3xml::Change> changes = l3xml::compareTemplates(tree.root, after->root);
    checkReferences(session, target, &*campaign, copy);
    if (!framework.withCell(key.first).readsBack(key.second, session.realPath(copy))) {
      session.warning(session.shown(copy), "the association wrote a working copy that the lookup never reads");
    }
    written.push_back({{"workingCopy", session.shown(copy)}, {"changes", changesJson(changes)}});
    for (const l3xml::Change& change : changes) {
      lines.push_back(session.shown(copy) + ": " + change.path + ": " + change.before + " -> " + change.after);
    }
  }

  if (context.output.json()) {
    Json parameters = Json::array();
    for (const l3xml::Parameter& parameter : campaign->parameters) {
      const l3xml::TypeDefinition* type = campaign->type(parameter.type);
      parameters.push_back({{"name", parameter.name},
                            {"type", parameter.type},
                            {"basetype", type != nullptr ? Json(type->record.basetype) : Json()},
                            {"valueAsRead", parameter.value},
                            {"value", parameter.converted},
                            {"unit", parameter.unit},
                            {"group", parameter.group},
                            {"cell", parameter.cell},
                            {"comment", parameter.comment},
                            {"line", parameter.position.line}});
    }
    context.output.printJson(Json{{"pixitFile", session.shown(campaign->pixitFile)},
                                  {"typeFile", session.shown(campaign->typeFile)},
                                  {"associated", arguments.associate},
                                  {"dryRun", arguments.dryRun},
                                  {"parameters", parameters},
                                  {"association", written},
                                  {"diagnostics", diagnosticsJson(session.diagnostics())}});
    return session.status();
  }
  printTable(campaign->parameters);
  if (arguments.associate) {
    if (!lines.empty()) std::cout << '\n';
    for (const std::string& line : lines) std::cout << line << '\n';
    context.output.note(
        std::string(arguments.dryRun ? "dry run: the association would write " : "the association wrote ") +
        std::to_string(lines.size()) + " values into " + std::to_string(written.size()) + " working copies" +
        (arguments.dryRun ? "; nothing was written" : ""));
  }
  return session.status();
}

}  // namespace

void addLoadCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<LoadArguments>();
  CLI::App* command =
      app.add_subcommand("load", "Print a PIXIT file's parameters as read and after the framework's conversion");
  command->add_option("PIXIT_FILE", arguments->pixitFile, "The PIXIT file, or - for standard input (with --types)")
      ->required();
  command->add_flag("--associate", arguments->associate,
                    "Also apply the framework's AssociationFile.xml, which writes the bound values into working "
                    "copies of the templates");
  addDryRunFlag(*command, arguments->dryRun);
  context.output.addJsonFlag(*command);
  command->footer(
      "The type file is --types, else the one the PIXIT file's name chooses (L3_Wcdma_Types.xml for a name with "
      "WCDMA, Types_Callbox.xml with Callbox, Types.xml otherwise), found in the framework's folders (by default "
      "the PIXIT file's own folder). Boolean values convert to 0 or 1, enumerations to their numeric values.\n\n"
      "Examples:\n"
      "  l3xml load examples/framework/L3_WCDMA_PIXIT.xml\n"
      "  l3xml --system /tmp/fw load /tmp/fw/lab_campaign.xml --types L3_Wcdma_Types.xml --associate --dry-run");
  table[command] = [&context, arguments] { return load(context, *arguments); };
}

}  // namespace l3xml_cli
