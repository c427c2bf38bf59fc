// impact and compare: what a parameter reaches, and what changes between two campaigns.
#include <iostream>
#include <memory>

#include "diagnostic_report.h"
#include "session.h"
#include "suggest.h"

namespace l3xml_cli {

namespace {

std::string label(const std::string& cell, const std::string& templateName) {
  return cell.empty() ? templateName : cell + "/" + templateName;
}

int impact(Context& context, const std::string& parameter) {
  Session session(context.options);
  session.open();
  const std::optional<l3xml::Campaign> campaign = session.campaign(l3xml::AssociationMode::kRead, true);
  if (!campaign) return 1;
  if (campaign->parameter(parameter) == nullptr) {
    std::vector<std::string> names;
    for (const l3xml::Parameter& known : campaign->parameters) names.push_back(known.name);
    session.error(campaign->pixitFile, "no parameter is named " + parameter + didYouMean(parameter, names));
    return 1;
  }
  const l3xml::Result<std::vector<l3xml::Reach>> reaches = session.framework().impact(*campaign, parameter);
  if (!session.accept(reaches)) return 1;
  Json list = Json::array();
  for (const l3xml::Reach& reach : *reaches) {
    if (context.output.json()) {
      list.push_back({{"template", reach.templateName},
                      {"cell", reach.cell},
                      {"how", reach.how},
                      {"path", reach.path},
                      {"part", reach.part},
                      {"file", session.shown(reach.position.file)},
                      {"line", reach.position.line},
                      {"column", reach.position.column}});
    } else if (reach.path.empty()) {
      std::cout << label(reach.cell, reach.templateName) << ": (" << reach.how << ": no field takes the value)\n";
    } else {
      std::cout << label(reach.cell, reach.templateName) << ": " << reach.path << " (" << reach.how << ") -> \""
                << reach.part << "\"\n";
    }
  }
  if (context.output.json()) {
    context.output.printJson(Json{{"parameter", parameter},
                                  {"value", campaign->parameter(parameter)->converted},
                                  {"reaches", list},
                                  {"diagnostics", diagnosticsJson(session.diagnostics())}});
  }
  return session.status();
}

// Exit status as diff's: 0 the same, 1 different, 2 trouble.
int compare(Context& context, std::vector<std::string> pixitFiles) {
  if (pixitFiles.size() == 1 && !context.options.pixit.empty())
    pixitFiles.insert(pixitFiles.begin(), context.options.pixit);
  if (pixitFiles.size() != 2) throw UsageFailure("compare takes two PIXIT files: --pixit A --pixit B");
  Session session(context.options);
  session.open();
  const std::optional<l3xml::Campaign> before =
      session.campaign(l3xml::AssociationMode::kRead, true, nullptr, pixitFiles[0]);
  const std::optional<l3xml::Campaign> after =
      session.campaign(l3xml::AssociationMode::kRead, true, nullptr, pixitFiles[1]);
  if (!before || !after) return 2;
  const l3xml::Result<std::vector<l3xml::FieldDifference>> differences =
      session.framework().compareCampaigns(*before, *after);
  if (!session.accept(differences)) return 2;
  Json list = Json::array();
  const Palette palette = Palette::forStandardOutput(context.options.colour);
  for (const l3xml::FieldDifference& difference : *differences) {
    if (context.output.json()) {
      list.push_back({{"template", difference.templateName},
                      {"cell", difference.cell},
                      {"path", difference.path},
                      {"old", difference.before},
                      {"new", difference.after}});
    } else {
      std::cout << label(difference.cell, difference.templateName) << ": ";
      printChanges({{difference.path, difference.before, difference.after}}, palette);
    }
  }
  if (context.output.json()) {
    context.output.printJson(Json{{"before", session.shown(before->pixitFile)},
                                  {"after", session.shown(after->pixitFile)},
                                  {"differences", list},
                                  {"diagnostics", diagnosticsJson(session.diagnostics())}});
  }
  return session.errors() > 0 ? 2 : differences->empty() ? 0 : 1;
}

}  // namespace

void addImpactCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto parameter = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("impact", "List every template and field that a PIXIT parameter reaches");
  command->add_option("PARAM", *parameter, "The parameter's name, px_...")->required();
  context.output.addJsonFlag(*command);
  command->footer(
      "A parameter reaches a template through its comment's file list, through px_ placeholders, and through "
      "the association file's bindings; each line gives the field and the part of the flattened line it "
      "gives.\n\n"
      "Example:\n"
      "  l3xml --system examples/framework impact px_PrimaryScramblingCode");
  table[command] = [&context, parameter] { return impact(context, *parameter); };
}

void addCompareCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto files = std::make_shared<std::vector<std::string>>();
  CLI::App* command = app.add_subcommand("compare", "List, field by field, what changes between two campaigns");
  command->add_option("--pixit", *files, "A PIXIT file; give two: the campaign before, then after")->type_name("FILE");
  context.output.addJsonFlag(*command);
  command->footer(
      "Both campaigns are applied to the framework's templates and the fields that differ are listed: "
      "template: path: before -> after. Exit status as diff's: 0 no difference, 1 differences, 2 trouble.\n\n"
      "Example:\n"
      "  l3xml --system examples/framework compare --pixit L3_WCDMA_PIXIT.xml --pixit /tmp/lab_WCDMA_PIXIT.xml");
  table[command] = [&context, files] { return compare(context, *files); };
}

}  // namespace l3xml_cli
