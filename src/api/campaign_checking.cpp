// Campaign checking: every problem of a framework's templates, PIXIT, type and association files,
// each at its file, line and column. The rules are those of checkingRules().
#include <l3xml/framework.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "api/applied_copy.h"
#include "api/call.h"
#include "api/template_tree.h"
#include "api/value_rules.h"
#include "params/parameter_load.h"
#include "parser/document_access.h"
#include "parser/message_flattening.h"
#include "paths/framework_paths.h"
#include "platform/file_system.h"

namespace l3xml {

namespace api {

namespace {

std::string baseName(const std::string& path) {
  const std::string::size_type separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::vector<const Node*> elementsNamed(const Node& root, const std::string& name) {
  std::vector<const Node*> found;
  forEachNode(root, [&](const Node& node) {
    if (node.name == name) found.push_back(&node);
  });
  return found;
}

// One template of the search folders as the check read it.
struct Checked {
  TemplateEntry entry;
  std::optional<Template> tree;  // none when it does not parse or is nested too deep
  std::set<std::string> referenced;
};

// An element under a parameter file's root, with its own attributes.
struct Entry {
  Position at;
  std::vector<std::pair<std::string, std::string>> attributes;
};

// Where the flattened line first reaches its limit: the place of the piece that fills it.
class CutFinder final : public parser::FlatteningObserver {
 public:
  void visiting(dom::IXMLDOMNode&, const std::vector<long>&) override {}
  void appended(std::size_t, std::size_t end, const std::vector<long>& place) override {
    if (found || end + 1 < parser::kTextBufferSize) return;
    found = true;
    this->place = place;
  }

  bool found = false;
  std::vector<long> place;
};

bool hasCode(const Diagnostics& diagnostics, const char* code) {
  return std::any_of(diagnostics.begin(), diagnostics.end(),
                     [&](const Diagnostic& diagnostic) { return diagnostic.code == code; });
}

class Checker {
 public:
  Checker(const Framework& framework, const CheckOptions& options) : framework_(framework), options_(options) {}

  Diagnostics run() {
    const Folders& folders = framework_.folders();
    if (folders.user.empty() && !platform::pathExists(folders.system)) {
      add(Severity::kError, codes::kNoFramework, {folders.system, 0, 0},
          folders.system.empty() ? "no framework folder is given" : "the framework folder does not exist");
      return std::move(out_);
    }
    readTemplates();
    if (const std::optional<Campaign> campaign = loadCampaign()) {
      std::vector<std::string> parameterNames;
      for (const Parameter& parameter : campaign->parameters) parameterNames.push_back(parameter.name);
      checkReferences(*campaign, parameterNames);
      checkAssociation(*campaign, parameterNames);
      checkParameters(*campaign);
      checkLines(*campaign);
    } else if (options_.campaign.association != AssociationMode::kSkip) {
      // Without a campaign the association file can still be read.
      if (const std::optional<Location> association = framework_.findTemplate("AssociationFile.xml")) {
        (void)entriesOf(association->path);
      }
    }
    std::stable_sort(out_.begin(), out_.end(), [](const Diagnostic& a, const Diagnostic& b) {
      return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
    });
    return std::move(out_);
  }

 private:
  void add(Severity severity, const char* code, const Position& at, std::string message) {
    out_.push_back({severity, code, at.file, at.line, at.column, std::move(message)});
  }

  void readTemplates();
  std::optional<Campaign> loadCampaign();
  void checkReferences(const Campaign& campaign, const std::vector<std::string>& parameterNames);
  std::optional<std::vector<Entry>> entriesOf(const std::string& file);
  void checkAssociation(const Campaign& campaign, const std::vector<std::string>& parameterNames);
  void checkBinding(const Campaign& campaign, const Binding& binding);
  void checkParameters(const Campaign& campaign);
  void checkLines(const Campaign& campaign);

  // The template that the lookup reads for name in a cell: the cell's own, else a NAS message.
  const Checked* find(const std::string& cell, const std::string& name) const {
    const auto named = byName_.find(name);
    if (named == byName_.end()) return nullptr;
    const Checked* nas = nullptr;
    for (const Checked* checked : named->second) {
      if (checked->entry.area == paths::cellFolderFor(cell)) return checked;
      if (checked->entry.area == kNasMessage) nas = checked;
    }
    return nas;
  }

  const Framework& framework_;
  const CheckOptions& options_;
  Diagnostics out_;
  std::vector<Checked> checked_;
  std::map<std::string, std::vector<const Checked*>> byName_;
  std::vector<std::string> templateNames_;
  std::set<std::string> referenced_;  // every parameter that a template refers to
  std::set<std::string> associated_;  // every parameter that an association entry names
};

void Checker::readTemplates() {
  Call call(framework_.folders());
  for (TemplateEntry& entry : framework_.templates()) {
    Checked& checked = checked_.emplace_back();
    checked.tree = readTemplateTree(call, entry.location.path, entry.name);
    if (checked.tree) {
      for (const Reference& reference : checked.tree->references) checked.referenced.insert(reference.parameter);
      referenced_.insert(checked.referenced.begin(), checked.referenced.end());
    }
    for (const Location& hidden : entry.hidden) {
      add(Severity::kWarning, codes::kShadowedTemplate, {entry.location.path, 0, 0},
          "hides " + hidden.path + ": it has the same name and comes later in the search list of cell " +
              paths::cellFolderFor(entry.cell) + ", so that the cell's lookups never read it");
    }
    checked.entry = std::move(entry);
  }
  for (Diagnostic& diagnostic : call.take()) out_.push_back(std::move(diagnostic));
  for (const Checked& checked : checked_) {
    std::vector<const Checked*>& named = byName_[checked.entry.name];
    if (named.empty()) templateNames_.push_back(checked.entry.name);
    named.push_back(&checked);
  }
}

std::optional<Campaign> Checker::loadCampaign() {
  CampaignOptions options = options_.campaign;
  if (options.pixitFile.empty()) {
    const std::vector<std::string> found = framework_.pixitFiles();
    if (found.empty()) {
      add(Severity::kError, codes::kMissingFile, {framework_.folders().system, 0, 0},
          "there is no PIXIT file at the framework's root: PIXIT references, values and comments are not checked");
      return std::nullopt;
    }
    if (found.size() > 1) {
      std::string names;
      for (const std::string& path : found) names += (names.empty() ? "" : ", ") + baseName(path);
      for (const std::string& path : found) {
        add(Severity::kError, codes::kAmbiguousPixit, {path, 0, 0},
            "one of " + std::to_string(found.size()) + " PIXIT files at the framework's root (" + names +
                ") and none is chosen: choose one; PIXIT references, values and comments are not checked");
      }
      return std::nullopt;
    }
    options.pixitFile = found.front();
  }
  // A framework without an association file binds nothing; that is no problem.
  if (options.association != AssociationMode::kSkip) {
    options.association =
        framework_.findTemplate("AssociationFile.xml") ? AssociationMode::kRead : AssociationMode::kSkip;
  }
  Result<Campaign> campaign = framework_.loadCampaign(options);
  // The load's own log lines are the association run's, which the check judges for itself.
  for (Diagnostic& diagnostic : campaign.diagnostics()) {
    if (diagnostic.code != codes::kLibrary) out_.push_back(std::move(diagnostic));
  }
  if (!campaign.has_value()) return std::nullopt;
  return std::move(campaign).value();
}

void Checker::checkReferences(const Campaign& campaign, const std::vector<std::string>& parameterNames) {
  for (const Checked& checked : checked_) {
    if (!checked.tree) continue;
    for (const Reference& reference : checked.tree->references) {
      if (campaign.values.count(reference.parameter) != 0) continue;
      const Node& holder = holderOf(*checked.tree, reference);
      add(Severity::kError, codes::kUnresolvedReference, {checked.tree->path, holder.line, holder.column},
          reference.parameter + " is defined by no parameter of " + baseName(campaign.pixitFile) +
              ": the flattened line gets no value of its own here" + didYouMean(reference.parameter, parameterNames));
    }
  }
}

// The elements under a file's root with their positions and their own attributes; nothing, with
// the reason, when the file cannot be read.
std::optional<std::vector<Entry>> Checker::entriesOf(const std::string& file) {
  dom::ComPtr<dom::IXMLDOMDocument> document;
  dom::ComPtr<dom::IXMLDOMNode> root;
  dom::ComPtr<dom::IXMLDOMNodeList> children;
  bool loaded = false;
  long count = 0;
  if (parser::createParserDocument(document.GetAddressOf()) < 0 || dom::failed(document->load(file, loaded))) {
    add(Severity::kError, codes::kMissingFile, {file, 0, 0}, "the file cannot be read");
    return std::nullopt;
  }
  if (!loaded || dom::failed(document->get_documentElement(root)) || !root) {
    out_.push_back(parseErrorOf(*document, file));
    return std::nullopt;
  }
  if (!dom::failed(root->get_childNodes(children)) && children) (void)children->get_length(count);
  std::vector<Entry> entries;
  for (long i = 0; i < count; ++i) {
    dom::ComPtr<dom::IXMLDOMNode> child;
    dom::ComPtr<dom::IXMLDOMNamedNodeMap> attributes;
    long attributeCount = 0;
    if (dom::failed(children->get_item(i, child)) || !child || child->get_attributes(attributes) != dom::kOk ||
        !attributes || dom::failed(attributes->get_length(attributeCount))) {
      continue;  // not an element
    }
    Entry& entry = entries.emplace_back();
    entry.at.file = file;
    (void)child->get_sourcePosition(entry.at.line, entry.at.column);
    for (long a = 0; a < attributeCount; ++a) {
      dom::ComPtr<dom::IXMLDOMNode> attribute;
      if (dom::failed(attributes->get_item(a, attribute)) || !attribute) continue;
      std::pair<std::string, std::string>& named = entry.attributes.emplace_back();
      (void)attribute->get_nodeName(named.first);
      (void)attribute->get_nodeValue(named.second);
    }
  }
  return entries;
}

void Checker::checkAssociation(const Campaign& campaign, const std::vector<std::string>& parameterNames) {
  if (campaign.associationFile.empty() || !params::appliesAssociation(campaign.pixitFile)) return;
  const std::optional<std::vector<Entry>> entries = entriesOf(campaign.associationFile);
  if (!entries) return;
  // The entries as the association run reads them: one attribute, Name, naming a PIXIT parameter.
  for (const Entry& entry : *entries) {
    if (entry.attributes.empty()) continue;
    const auto& [name, value] = entry.attributes.front();
    if (entry.attributes.size() > 1) {
      add(Severity::kError, codes::kAssociationUnbound, entry.at,
          "the entry has " + std::to_string(entry.attributes.size()) +
              " attributes where the association run takes only Name: the run stops here and writes none of "
              "the bindings from here on");
      break;
    }
    if (name != "Name") {
      add(Severity::kError, codes::kAssociationUnbound, entry.at,
          "the entry's attribute is " + name + ", not Name: it binds nothing");
      continue;
    }
    associated_.insert(value);
    if (campaign.values.count(value) == 0) {
      add(Severity::kError, codes::kAssociationUnbound, entry.at,
          value + " is defined by no parameter of " + baseName(campaign.pixitFile) + ": the entry binds nothing" +
              didYouMean(value, parameterNames));
    }
  }
  for (const Binding& binding : campaign.bindings) checkBinding(campaign, binding);
}

void Checker::checkBinding(const Campaign& campaign, const Binding& binding) {
  const Position& at = binding.position;
  if (binding.file.empty() || binding.node.empty()) {
    add(Severity::kError, codes::kAssociationUnbound, at,
        std::string("the binding of ") + binding.parameter + " names no " +
            (binding.file.empty() ? "template (AssociationField)" : "node (Name)") + ": it writes nothing");
    return;
  }
  if (!binding.type.empty() && campaign.typeList.count(binding.type) == 0) {
    add(Severity::kError, codes::kUnknownType, at,
        "the binding's type " + binding.type + " is not defined by " + baseName(campaign.typeFile) +
            ": the value is written unconverted");
  }
  const std::string cell = binding.cell.empty() ? framework_.folders().cell : binding.cell;
  const Checked* target = find(cell, binding.file);
  if (target == nullptr) {
    add(Severity::kError, codes::kAssociationUnbound, at,
        "no search folder of cell " + std::string(paths::cellFolderFor(cell)) + " holds " + binding.file +
            ": the binding of " + binding.parameter + " writes nothing" + didYouMean(binding.file, templateNames_));
    return;
  }
  // A dotted node is a path from the root, which the write follows on its own terms.
  if (!target->tree || binding.node.find('.') != std::string::npos ||
      !elementsNamed(target->tree->root, binding.node).empty()) {
    return;
  }
  std::set<std::string> names;
  forEachNode(target->tree->root, [&](const Node& node) { names.insert(node.name); });
  add(Severity::kError, codes::kAssociationUnbound, at,
      target->entry.label() + " has no element " + binding.node + ": the binding of " + binding.parameter +
          " writes nothing" + didYouMean(binding.node, std::vector<std::string>(names.begin(), names.end())));
}

void Checker::checkParameters(const Campaign& campaign) {
  std::set<std::pair<std::string, std::string>> bound;  // parameter and template that a binding writes
  for (const Binding& binding : campaign.bindings) {
    if (!binding.converted.empty()) bound.emplace(binding.parameter, binding.file);
  }
  // A Param that gives no Comment carries the one before it: the reader keeps its record from entry
  // to entry. The comment rules take the element's own, so that an inherited list is no finding.
  // The first element of a name is the one the load keeps.
  std::map<std::string, std::string> ownComments;
  if (const std::optional<std::vector<Entry>> entries = entriesOf(campaign.pixitFile)) {
    for (const Entry& entry : *entries) {
      std::string name;
      std::string comment;
      for (const auto& [attribute, value] : entry.attributes) {
        if (attribute == "Name") name = value;
        if (attribute == "Comment") comment = value;
      }
      if (!name.empty()) ownComments.emplace(name, comment);
    }
  }

  for (const Parameter& parameter : campaign.parameters) {
    const Position& at = parameter.position;
    const auto own = ownComments.find(parameter.name);
    const std::string& comment = own != ownComments.end() ? own->second : parameter.comment;
    for (const std::string& file : templateNamesOf(comment)) {
      const auto named = byName_.find(file);
      if (named == byName_.end()) {
        add(Severity::kError, codes::kMissingTemplate, at,
            "the Comment of " + parameter.name + " names " + file + ", which no search folder holds" +
                didYouMean(file, templateNames_));
        continue;
      }
      // A template that could not be read has its own error; what it refers to is unknown.
      const bool reached = bound.count({parameter.name, file}) != 0 ||
                           std::any_of(named->second.begin(), named->second.end(), [&](const Checked* checked) {
                             return !checked->tree || checked->referenced.count(parameter.name) != 0;
                           });
      if (!reached) {
        add(Severity::kError, codes::kNoTarget, at,
            "the Comment of " + parameter.name + " names " + file + ", but " + file + " holds no placeholder " +
                parameter.name + " and no association binding writes it there: applying it writes nothing");
      }
    }
    if (comment.find_first_not_of(" \t\r\n") == std::string::npos && referenced_.count(parameter.name) == 0 &&
        associated_.count(parameter.name) == 0) {
      add(Severity::kWarning, codes::kUnusedParameter, at,
          parameter.name + " has no Comment, and no template or association entry uses it");
    }
  }
}

// Each template flattened as the host would flatten it after applying the campaign; on a copy, so
// that neither the framework nor its working copies play a part.
void Checker::checkLines(const Campaign& campaign) {
  std::vector<TemplateEntry> readable;
  for (const Checked& checked : checked_) {
    if (checked.tree) readable.push_back(checked.entry);
  }
  AppliedCopy copy(std::move(readable));
  if (copy.folder().empty()) {
    add(Severity::kError, codes::kInternal, {framework_.folders().system, 0, 0},
        "no temporary folder could be made to apply the campaign in: the flattened lines are not checked");
    return;
  }
  Call call(copy.folders(framework_.folders().cell));
  copy.apply(call, campaign);
  (void)call.take();
  for (const Checked& checked : checked_) {
    if (!checked.tree) continue;
    call.state().settings.cell = checked.entry.cell;
    call.state().openSequenceBraces = 0;
    CutFinder cut;
    parser::FlatteningBuffers buffers;
    parser::Flattening work = buffers.over(call.state(), &cut);
    (void)parser::flattenFile(work, checked.entry.name);
    if (!hasCode(call.take(), codes::kLineTooLong)) continue;
    const Node& node = *nodeAtPlace(checked.tree->root, cut.place);
    add(Severity::kError, codes::kLineTooLong, {checked.tree->path, node.line, node.column},
        "with the campaign applied, the flattened line is longer than " + std::to_string(parser::kTextBufferSize - 1) +
            " characters: it is cut at " + node.path + ", and its brackets are left unbalanced");
  }
}

}  // namespace

}  // namespace api

Diagnostics Framework::check(const CheckOptions& options) const {
  try {
    return api::Checker(*this, options).run();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& failure) {
    return {Diagnostic{Severity::kError, codes::kInternal, folders_.system, 0, 0, failure.what()}};
  }
}

}  // namespace l3xml
