// report: one self-contained HTML page of a campaign, for reviewers: every template as a tree beside
// its flattened line, the parameters, and what check found, each at its place.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>

#include "diagnostic_report.h"
#include "progress.h"
#include "report_page.h"
#include "session.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

namespace {

struct ReportArguments {
  std::string framework;
  std::string output;
};

// Every element of a tree in document order, with its depth, without recursion.
std::vector<std::pair<const l3xml::Node*, int>> documentOrder(const l3xml::Node& root) {
  std::vector<std::pair<const l3xml::Node*, int>> order;
  std::vector<std::pair<const l3xml::Node*, int>> pending{{&root, 0}};
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    order.emplace_back(node, depth);
    for (std::size_t i = node->children.size(); i > 0; --i) pending.emplace_back(&node->children[i - 1], depth + 1);
  }
  return order;
}

std::string timeMade() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  char text[32] = "";
  if (const std::tm* utc = std::gmtime(&now)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", utc);
  return text;
}

std::string rangeOf(const l3xml::Campaign& campaign, const std::string& type) {
  const l3xml::TypeDefinition* definition = campaign.type(type);
  if (definition == nullptr) return std::string();
  const ParamStructure& record = definition->record;
  if (!record.enumValues.empty()) {
    std::string list;
    for (const std::string& enumerator : record.enumValues) list += (list.empty() ? "" : ", ") + enumerator;
    return list;
  }
  if (record.minValue.empty() && record.maxValue.empty()) return record.basetype;
  return record.minValue + " .. " + record.maxValue;
}

// What the report shows of one template, and where its fields are.
struct TemplatePage {
  Json json;
  Json tree = Json::object();             // nodes, line and tokens: read by the page when it is opened
  std::vector<std::string> paths;         // each node's path, in document order
  std::vector<std::size_t> names;         // each node's name in the name table
  std::string file;                       // as diagnostics name it
  std::vector<long> lines;                // each node's line, in document order
  std::map<std::string, std::size_t> at;  // node path -> index
};

class ReportBuilder {
 public:
  ReportBuilder(Session& session, const std::optional<l3xml::Campaign>& campaign, const GlobalOptions& options)
      : session_(session), campaign_(campaign), options_(options) {
    if (!campaign_) return;
    for (std::size_t i = 0; i < campaign_->parameters.size(); ++i) parameterIndex_[campaign_->parameters[i].name] = i;
    reaches_.assign(campaign_->parameters.size(), Json::array());
  }

  void add(const l3xml::TemplateEntry& entry) {
    const std::size_t index = pages_.size();
    TemplatePage page;
    page.file = session_.shown(entry.location.path);
    Json hidden = Json::array();
    for (const l3xml::Location& location : entry.hidden) hidden.push_back(session_.shown(location.path));
    page.json = Json{{"label", entry.label()}, {"name", entry.name}, {"cell", entry.cell},
                     {"area", entry.area},     {"file", page.file},  {"hidden", hidden}};
    const l3xml::Framework cell = session_.framework().withCell(entry.cell);
    const l3xml::Result<l3xml::Template> original = cell.readTemplate(entry.location.path);
    if (!original.has_value()) {
      page.json["error"] = firstError(original.diagnostics(), "the template could not be read");
      pages_.push_back(std::move(page));
      return;
    }
    // The working copy holds what the campaign wrote; the template, where the values came from.
    std::map<std::string, const l3xml::Node*> written;
    const l3xml::Result<l3xml::Template> applied = cell.loadTemplate(entry.name);
    if (applied.has_value()) {
      for (const auto& [node, depth] : documentOrder(applied->root)) written[node->path] = node;
    }
    const bool named = namedIn(entry.name);
    Json nodes = Json::array();
    for (const auto& [node, depth] : documentOrder(original->root)) {
      page.at[node->path] = nodes.size();
      page.lines.push_back(node->line);
      page.paths.push_back(node->path);
      // [depth, name (from the name table), kind, line, {the rest}]: thousands of templates stay small.
      page.names.push_back(nameIndex(node->name));
      Json json = Json::array({depth, page.names.back(), kindCode(node->kind), node->line});
      Json rest = Json::object();
      // A path is its parent's and one more part, written only where that part is not the name.
      const std::string::size_type dot = node->path.rfind('.');
      const std::string part = dot == std::string::npos ? node->path : node->path.substr(dot + 1);
      if (part != node->name) rest["p"] = part;
      if (node->leaf()) addValue(rest, *node, written, entry, named, index, nodes.size());
      if (!rest.empty()) json.push_back(std::move(rest));
      nodes.push_back(std::move(json));
    }
    std::size_t fields = 0;
    for (const Json& node : nodes) fields += node.size() > 4 && node[4].contains("x") ? 1 : 0;
    page.json["fields"] = fields;
    page.tree["nodes"] = std::move(nodes);
    const l3xml::Result<l3xml::FlatLine> line = cell.flatten(entry.name, campaign_ ? &*campaign_ : nullptr, true);
    if (line.has_value()) {
      Json tokens = Json::array();
      // Three numbers a token: the gap since the last one ended, its length, its node (-1: none).
      std::size_t end = 0;
      for (const l3xml::Token& token : line->tokens) {
        // The root stands as the empty path.
        const auto node = token.path.empty() ? page.at.find(original->root.path) : page.at.find(token.path);
        tokens.push_back(static_cast<long>(token.begin) - static_cast<long>(end));
        tokens.push_back(token.end - token.begin);
        tokens.push_back(node == page.at.end() ? -1L : static_cast<long>(node->second));
        end = token.end;
      }
      page.tree["line"] = line->text;
      page.tree["tokens"] = std::move(tokens);
    }
    if (!line.ok()) page.json["error"] = firstError(line.diagnostics(), "the template could not be flattened");
    if (named && campaign_) {
      // A template that a parameter's comment names but where no field takes the value.
      for (const l3xml::Parameter& parameter : campaign_->parameters) {
        if (std::find(parameter.files.begin(), parameter.files.end(), entry.name) == parameter.files.end()) continue;
        if (!reachedIn(parameterIndex_[parameter.name], index)) {
          reaches_[parameterIndex_[parameter.name]].push_back({index, Json(), "comment"});
        }
      }
    }
    pages_.push_back(std::move(page));
  }

  Json parameters() const {
    Json list = Json::array();
    if (!campaign_) return list;
    for (std::size_t i = 0; i < campaign_->parameters.size(); ++i) {
      const l3xml::Parameter& parameter = campaign_->parameters[i];
      list.push_back({{"name", parameter.name},
                      {"type", parameter.type},
                      {"value", parameter.value},
                      {"converted", parameter.converted},
                      {"range", rangeOf(*campaign_, parameter.type)},
                      {"unit", parameter.unit},
                      {"group", parameter.group},
                      {"comment", parameter.comment},
                      {"line", parameter.position.line},
                      {"reaches", parameterReaches(i)}});
    }
    return list;
  }

  Json bindings() const {
    Json list = Json::array();
    if (!campaign_) return list;
    for (const l3xml::Binding& binding : campaign_->bindings) {
      list.push_back({{"parameter", binding.parameter},
                      {"node", binding.node},
                      {"type", binding.type},
                      {"file", binding.file},
                      {"cell", binding.cell},
                      {"value", binding.converted},
                      {"written", binding.written},
                      {"line", binding.position.line}});
    }
    return list;
  }

  Json templates() const {
    Json list = Json::array();
    for (const TemplatePage& page : pages_) list.push_back(page.json);
    return list;
  }

  const std::vector<std::string>& names() const { return names_; }

  Json parameterReaches(std::size_t parameter) const {
    Json list = reaches_[parameter];
    for (Json& reach : list) {
      // The field's name (from the name table); its whole path is in the template's tree.
      if (!reach[1].is_null()) reach.push_back(pages_[reach[0].get<std::size_t>()].names[reach[1].get<std::size_t>()]);
    }
    return list;
  }

  // Each template's tree as its own JSON document, parsed by the page only when it is opened.
  std::vector<Json> trees() const {
    std::vector<Json> list;
    for (const TemplatePage& page : pages_) list.push_back(page.tree);
    return list;
  }

  // Each diagnostic with the template and field, or the parameter, it is about.
  Json diagnostics(const l3xml::Diagnostics& diagnostics) const {
    std::map<std::string, std::size_t> byFile;
    for (std::size_t i = 0; i < pages_.size(); ++i) byFile.emplace(pages_[i].file, i);
    const std::string pixit = campaign_ ? session_.shown(campaign_->pixitFile) : std::string();
    Json list = diagnosticsJson(diagnostics);
    for (std::size_t i = 0; i < diagnostics.size(); ++i) {
      const l3xml::Diagnostic& diagnostic = diagnostics[i];
      const auto page = byFile.find(diagnostic.file);
      if (page != byFile.end()) {
        list[i]["template"] = page->second;
        list[i]["node"] = fieldAt(pages_[page->second], diagnostic.line);
        if (!list[i]["node"].is_null())
          list[i]["path"] = pages_[page->second].paths[list[i]["node"].get<std::size_t>()];
      } else if (campaign_ && !pixit.empty() && diagnostic.file == pixit) {
        for (std::size_t p = 0; p < campaign_->parameters.size(); ++p) {
          if (diagnostic.line > 0 && campaign_->parameters[p].position.line == diagnostic.line)
            list[i]["parameter"] = p;
        }
      }
    }
    return list;
  }

 private:
  // The kind's first letter: c(hoice), o(ptional), s(equence), e(lement).
  static std::string kindCode(l3xml::NodeKind kind) { return std::string(1, l3xml::kindName(kind)[0]); }

  static std::string firstError(const l3xml::Diagnostics& diagnostics, const char* otherwise) {
    for (const l3xml::Diagnostic& diagnostic : diagnostics) {
      if (diagnostic.severity == l3xml::Severity::kError) return diagnostic.message;
    }
    return otherwise;
  }

  // The last element that starts on the line; the template itself when none does.
  static Json fieldAt(const TemplatePage& page, long line) {
    if (line <= 0) return Json();
    for (std::size_t i = page.lines.size(); i > 0; --i) {
      if (page.lines[i - 1] == line) return i - 1;
    }
    return Json();
  }

  std::size_t nameIndex(const std::string& name) {
    const auto known = nameIndex_.emplace(name, names_.size());
    if (known.second) names_.push_back(name);
    return known.first->second;
  }

  bool namedIn(const std::string& name) const {
    if (!campaign_) return false;
    return std::any_of(campaign_->parameters.begin(), campaign_->parameters.end(), [&](const l3xml::Parameter& p) {
      return std::find(p.files.begin(), p.files.end(), name) != p.files.end();
    });
  }

  bool reachedIn(std::size_t parameter, std::size_t page) const {
    return std::any_of(reaches_[parameter].begin(), reaches_[parameter].end(),
                       [&](const Json& reach) { return reach[0] == page; });
  }

  // A leaf's value as the encoder gets it, and the parameter or binding it came from.
  void addValue(Json& json, const l3xml::Node& node, const std::map<std::string, const l3xml::Node*>& written,
                const l3xml::TemplateEntry& entry, bool named, std::size_t page, std::size_t index) {
    const auto copy = written.find(node.path);
    std::string value = copy != written.end() && copy->second->leaf() ? copy->second->text : node.text;
    json["t"] = node.text;
    std::string parameter;
    const char* how = nullptr;
    if (l3xml::isPixitReference(node.text)) {
      parameter = node.text;
      how = named && value != node.text ? "comment" : "placeholder";
    }
    if (l3xml::isPixitReference(value) && campaign_) {
      const std::optional<std::string> resolved = campaign_->valueOf(value);
      if (!resolved) json["unresolved"] = true;
      if (resolved) value = *resolved;
    }
    if (value != node.text) json["v"] = value;
    if (campaign_) {
      const std::string cell = entry.cell;
      for (std::size_t b = 0; b < campaign_->bindings.size(); ++b) {
        const l3xml::Binding& binding = campaign_->bindings[b];
        const std::string bound = binding.cell.empty() ? options_.cell : binding.cell;
        if (binding.file != entry.name || binding.node != node.name || bound != cell) continue;
        parameter = binding.parameter;
        how = "association";
        json["b"] = b;
      }
    }
    if (how == nullptr) return;
    json["x"] = parameter;
    json["h"] = how;
    const auto known = parameterIndex_.find(parameter);
    if (known != parameterIndex_.end()) reaches_[known->second].push_back({page, index, how});
  }

  Session& session_;
  const std::optional<l3xml::Campaign>& campaign_;
  const GlobalOptions& options_;
  std::map<std::string, std::size_t> parameterIndex_;
  std::vector<Json> reaches_;  // per parameter: [template, node or null, how]
  std::vector<TemplatePage> pages_;
  std::vector<std::string> names_;  // every element name once
  std::map<std::string, std::size_t> nameIndex_;
};

// JSON that can stand in a script element: no "</" closes it early.
std::string scriptJson(const Json& data) {
  std::string json = data.dump(-1, ' ', false, Json::error_handler_t::replace);
  for (std::size_t at = json.find("</"); at != std::string::npos; at = json.find("</", at + 3))
    json.insert(at + 1, "\\");
  return json;
}

// The trees come after the page's script, so that the template list is drawn while the browser
// still reads them.
std::string pageText(const Json& data, const std::vector<Json>& trees) {
  std::string page = reportPageTemplate();
  std::string text;
  for (std::size_t i = 0; i < trees.size(); ++i) {
    text += "<script type=\"application/json\" id=\"tree" + std::to_string(i) + "\">" + scriptJson(trees[i]) +
            "</script>\n";
  }
  for (const auto& [slot, json] : {std::pair<std::string, std::string>{"@L3XML_REPORT_TREES@", text},
                                   std::pair<std::string, std::string>{"@L3XML_REPORT_DATA@", scriptJson(data)}}) {
    const std::size_t at = page.find(slot);
    if (at == std::string::npos) throw CommandFailure("the report page has no place for its data");
    page.replace(at, slot.size(), json);
  }
  return page;
}

int report(Context& context, const ReportArguments& arguments) {
  const GlobalOptions& options = context.options;
  if (!options.work.empty()) throw UsageFailure("report works on a copy of the framework: --work has no place here");
  Session session(options);
  session.open(arguments.framework);
  session.requireFramework();
  session.quiet();
  const std::string framework = session.frameworkFolder();

  // What check finds, judged on the framework itself (check writes nothing into it).
  l3xml::CheckOptions checkOptions;
  checkOptions.campaign = session.campaignOptions(l3xml::AssociationMode::kRead);
  session.collect(session.framework().check(checkOptions));
  const l3xml::Diagnostics found = session.diagnostics();
  const int errors = session.errors();
  const int warnings = session.warnings();

  // The campaign applied as run applies it, on a copy that is removed at the end.
  TemporaryFolder copy("l3xml-report-");
  copyFramework(framework, copy.path());
  session.workOn(copy.path());
  const l3xml::Framework& fw = session.framework();
  const std::optional<l3xml::Campaign> campaign = session.campaign(l3xml::AssociationMode::kApply, false);
  const std::vector<l3xml::TemplateEntry> entries = fw.templates();
  std::set<std::string> named;
  if (campaign) {
    for (const l3xml::Parameter& parameter : campaign->parameters)
      named.insert(parameter.files.begin(), parameter.files.end());
  }
  ProgressBar progress(entries.size() * 2);
  const std::multimap<std::string, std::string> parametersByFile =
      campaign ? campaign->parametersByFile() : std::multimap<std::string, std::string>();
  for (const l3xml::TemplateEntry& entry : entries) {
    checkpoint();
    progress.advance("writing " + entry.label());
    if (campaign && named.count(entry.name) > 0) {
      session.accept(fw.withCell(entry.cell).apply(*campaign, entry.name, parametersByFile));
    }
  }
  ReportBuilder builder(session, campaign, options);
  std::map<std::string, std::size_t> perArea;
  for (const l3xml::TemplateEntry& entry : entries) {
    checkpoint();
    progress.advance("reading " + entry.label());
    builder.add(entry);
    ++perArea[entry.area];
  }
  progress.finish();

  const Json data{
      {"framework", framework},
      {"pixitFile", campaign ? Json(session.shown(campaign->pixitFile)) : Json()},
      {"typeFile", campaign && !campaign->typeFile.empty() ? Json(session.shown(campaign->typeFile)) : Json()},
      {"associationFile",
       campaign && !campaign->associationFile.empty() ? Json(session.shown(campaign->associationFile)) : Json()},
      {"made", timeMade()},
      {"version", L3XML_VERSION_TEXT},
      {"counts",
       {{"templates", entries.size()},
        {"primary", perArea[l3xml::kPrimaryCell]},
        {"secondary", perArea[l3xml::kSecondaryCell]},
        {"nas", perArea[l3xml::kNasMessage]},
        {"parameters", campaign ? campaign->parameters.size() : 0},
        {"types", campaign ? campaign->types.size() : 0},
        {"bindings", campaign ? campaign->bindings.size() : 0}}},
      {"check", {{"errors", errors}, {"warnings", warnings}}},
      {"diagnostics", builder.diagnostics(found)},
      {"parameters", builder.parameters()},
      {"bindings", builder.bindings()},
      {"templates", builder.templates()},
      {"names", builder.names()}};

  const std::string page = pageText(data, builder.trees());
  {
    std::ofstream file(fs::u8path(arguments.output), std::ios::binary | std::ios::trunc);
    file.write(page.data(), static_cast<std::streamsize>(page.size()));
    file.close();
    if (!file) throw CommandFailure("the report could not be written to " + arguments.output);
  }
  for (const l3xml::Diagnostic& diagnostic : found) {
    if (diagnostic.severity != l3xml::Severity::kNote) std::cerr << "l3xml: " << diagnosticLine(diagnostic) << '\n';
  }
  context.output.note("report of " + std::to_string(entries.size()) + " templates written to " + arguments.output +
                      ": " + problemCounts(errors, warnings));
  return errors > 0 ? 1 : 0;
}

}  // namespace

void addReportCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<ReportArguments>();
  CLI::App* command = app.add_subcommand(
      "report", "Write one self-contained HTML page of a campaign: every template as a tree beside its flattened line");
  command->add_option("FRAMEWORK_DIR", arguments->framework, "The framework folder; default: --system, else here");
  command->add_option("-o,--output", arguments->output, "The HTML file to write")->required()->type_name("FILE");
  command->footer(
      "The campaign (--pixit, or the PIXIT file at the framework root, with its type and association files) is "
      "applied as run applies it, on a copy of the framework that is removed at the end; the framework is never "
      "written to. The page holds the campaign's header with the check summary, the parameter table (sortable, "
      "filterable), every template of both cells and of the user folder as a tree with its flattened line "
      "(pointing at a token shows its field and back), and check's diagnostics at their template and field. "
      "It needs no network and opens from a file share or an e-mail attachment.\n"
      "The report is written for a broken campaign too: that is what it is for.\n"
      "Exit status: 0 the report is written and check found no error, 1 check found errors (the report is "
      "written all the same) or the report could not be written, 2 a usage error.\n\n"
      "Examples:\n"
      "  l3xml report examples/framework -o campaign.html\n"
      "  l3xml report /srv/frameworks/wcdma --pixit lab_campaign.xml -o /srv/share/lab_campaign.html");
  table[command] = [&context, arguments] { return report(context, *arguments); };
}

}  // namespace l3xml_cli
