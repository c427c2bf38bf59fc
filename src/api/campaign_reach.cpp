// What a campaign reaches: the fields a parameter gets into, and what changes field by field
// between two campaigns. Both apply campaigns on temporary copies, never on the framework.
#include <l3xml/framework.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "api/applied_copy.h"
#include "api/call.h"
#include "api/template_tree.h"
#include "api/value_rules.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"
#include "platform/file_system.h"

namespace l3xml {

namespace api {

namespace {

// A template that the parameter may reach, with its tree.
struct Candidate {
  TemplateEntry entry;
  Template tree;
};

// The template that the lookup reads for name in a cell: the cell's own, else a NAS message.
const Candidate* lookUp(const std::vector<Candidate>& candidates, const std::string& cell, const std::string& name) {
  const Candidate* nas = nullptr;
  for (const Candidate& candidate : candidates) {
    if (candidate.entry.name != name) continue;
    if (candidate.entry.area == paths::cellFolderFor(cell)) return &candidate;
    if (candidate.entry.area == kNasMessage) nas = &candidate;
  }
  return nas;
}

Reach reachOf(const TemplateEntry* entry, const std::string& name, const char* how, std::string path,
              const Position& position) {
  return Reach{entry != nullptr ? entry->name : name,
               entry != nullptr ? entry->cell : std::string(),
               entry != nullptr ? entry->area : std::string(),
               how,
               std::move(path),
               std::string(),
               position};
}

Position positionIn(const Template& tree, long line, long column) { return Position{tree.path, line, column}; }

// The field that holds a placeholder, where a write puts the value.
Reach fieldReach(const Candidate& candidate, const char* how, const Reference& reference) {
  const Node& holder = holderOf(candidate.tree, reference);
  return reachOf(&candidate.entry, candidate.entry.name, how, holder.path,
                 positionIn(candidate.tree, holder.line, holder.column));
}

// The piece of a flattened line that the field at path and the elements under it give; when the
// flattening took an element above it for the reference, what that element gives.
std::string partOf(const FlatLine& line, const std::string& path) {
  for (std::string at = path;;) {
    std::size_t begin = std::string::npos;
    std::size_t end = 0;
    for (const Token& token : line.tokens) {
      if (token.path != at && (at != path || token.path.compare(0, at.size() + 1, at + ".") != 0)) continue;
      begin = std::min(begin, token.begin);
      end = std::max(end, token.end);
    }
    if (begin != std::string::npos) {
      std::string part = line.text.substr(begin, end - begin);
      while (!part.empty() && part.back() == ' ') part.pop_back();
      return part;
    }
    const std::string::size_type dot = at.rfind('.');
    if (dot == std::string::npos) return std::string();
    at.erase(dot);
  }
}

// The fields of a template that the parameter reaches, each found by comment, by placeholder or by
// association binding.
std::vector<Reach> reachesOf(const std::vector<Candidate>& candidates, const Campaign& campaign,
                             const std::string& parameter, const std::string& cell) {
  std::vector<Reach> reaches;
  std::set<std::string> named;
  const Parameter* defined = campaign.parameter(parameter);
  // Only px_ parameters are written into the files their comment names.
  if (defined != nullptr && pixit::hasPixitPrefix(parameter)) {
    for (const std::string& file : templateNamesOf(defined->comment)) {
      named.insert(file);
      const std::size_t before = reaches.size();
      for (const Candidate& candidate : candidates) {
        if (candidate.entry.name != file) continue;
        const std::size_t fields = reaches.size();
        for (const Reference& reference : candidate.tree.references) {
          if (reference.parameter == parameter) reaches.push_back(fieldReach(candidate, "comment", reference));
        }
        if (reaches.size() == fields) {
          reaches.push_back(reachOf(&candidate.entry, file, "comment", std::string(), defined->position));
        }
      }
      if (reaches.size() == before) {
        reaches.push_back(reachOf(nullptr, file, "comment", std::string(), defined->position));
      }
    }
  }
  for (const Candidate& candidate : candidates) {
    if (named.count(candidate.entry.name) != 0) continue;
    for (const Reference& reference : candidate.tree.references) {
      if (reference.parameter == parameter) reaches.push_back(fieldReach(candidate, "placeholder", reference));
    }
  }
  for (const Binding& binding : campaign.bindings) {
    if (binding.parameter != parameter) continue;
    const Candidate* target = lookUp(candidates, binding.cell.empty() ? cell : binding.cell, binding.file);
    const std::size_t fields = reaches.size();
    if (target != nullptr) {
      forEachNode(target->tree.root, [&](const Node& node) {
        if (node.name != binding.node) return;
        reaches.push_back(reachOf(&target->entry, binding.file, "association", node.path,
                                  positionIn(target->tree, node.line, node.column)));
      });
    }
    if (reaches.size() == fields) {
      reaches.push_back(reachOf(target != nullptr ? &target->entry : nullptr, binding.file, "association",
                                std::string(), binding.position));
    }
  }
  return reaches;
}

// The parameters whose value, type or comment differs between two campaigns, or that one lacks.
std::set<std::string> differingParameters(const Campaign& before, const Campaign& after) {
  std::map<std::string, const Parameter*> others;
  for (const Parameter& parameter : after.parameters) others[parameter.name] = &parameter;
  std::set<std::string> changed;
  for (const Parameter& parameter : before.parameters) {
    const auto other = others.find(parameter.name);
    if (other == others.end() ||
        std::tie(parameter.value, parameter.converted, parameter.type, parameter.comment) !=
            std::tie(other->second->value, other->second->converted, other->second->type, other->second->comment)) {
      changed.insert(parameter.name);
    }
    if (other != others.end()) others.erase(other);
  }
  for (const auto& other : others) changed.insert(other.first);
  return changed;
}

// Whether a template's text holds a placeholder of one of the parameters; read whole, not parsed.
bool holdsPlaceholderOf(const std::string& path, const std::set<std::string>& parameters) {
  std::string bytes;
  if (!platform::readFileBytes(path, bytes)) return false;
  for (std::size_t at = bytes.find("px_"); at != std::string::npos; at = bytes.find("px_", at + 1)) {
    const std::size_t end = bytes.find_first_of("<>\"' \t\r\n", at);
    if (parameters.count(bytes.substr(at, end == std::string::npos ? end : end - at)) != 0) return true;
  }
  return false;
}

// Leaves that still hold a PIXIT reference take the value that the flattening would give them.
void resolveReferences(Template& tree, const Campaign& campaign) {
  std::vector<Node*> pending{&tree.root};
  while (!pending.empty()) {
    Node* node = pending.back();
    pending.pop_back();
    if (node->leaf() && pixit::isPixitReference(node->text)) {
      if (std::optional<std::string> value = campaign.valueOf(node->text)) node->text = std::move(*value);
    }
    for (Node& child : node->children) pending.push_back(&child);
  }
}

}  // namespace

}  // namespace api

Result<std::vector<Reach>> Framework::impact(const Campaign& campaign, const std::string& parameter) const {
  return api::guarded<std::vector<Reach>>(folders_, [&](api::Call& call) -> std::optional<std::vector<Reach>> {
    if (campaign.parameter(parameter) == nullptr) {
      call.setFile(campaign.pixitFile);
      call.add(Severity::kError, codes::kUnresolvedReference, parameter + " is not a parameter of the campaign");
    }
    // Only the templates that could hold the parameter are read: named, bound, or holding its name.
    std::set<std::string> likely;
    if (const Parameter* defined = campaign.parameter(parameter)) {
      for (std::string& file : api::templateNamesOf(defined->comment)) likely.insert(std::move(file));
    }
    for (const Binding& binding : campaign.bindings) {
      if (binding.parameter == parameter) likely.insert(binding.file);
    }
    std::vector<api::Candidate> candidates;
    for (TemplateEntry& entry : templates()) {
      if (likely.count(entry.name) == 0 && !api::holdsPlaceholderOf(entry.location.path, {parameter})) continue;
      if (std::optional<Template> tree = api::readTemplateTree(call, entry.location.path, entry.name)) {
        candidates.push_back({std::move(entry), std::move(*tree)});
      }
    }
    std::vector<Reach> reaches = api::reachesOf(candidates, campaign, parameter, folders_.cell);

    std::vector<TemplateEntry> reached;
    for (const api::Candidate& candidate : candidates) reached.push_back(candidate.entry);
    api::AppliedCopy copy(std::move(reached));
    if (copy.folder().empty()) return reaches;
    {
      api::Call applying(copy.folders(folders_.cell));
      copy.apply(applying, campaign);
    }
    std::map<std::string, FlatLine> lines;  // by template label
    for (Reach& reach : reaches) {
      if (reach.path.empty()) continue;
      const std::string label = reach.area + "/" + reach.templateName;
      auto line = lines.find(label);
      if (line == lines.end()) {
        Result<FlatLine> flattened = Framework(copy.folders(reach.cell)).flatten(reach.templateName, &campaign, true);
        line = lines.emplace(label, flattened.has_value() ? std::move(flattened).value() : FlatLine()).first;
      }
      reach.part = api::partOf(line->second, reach.path);
    }
    return reaches;
  });
}

Result<std::vector<FieldDifference>> Framework::compareCampaigns(const Campaign& before, const Campaign& after) const {
  return api::guarded<std::vector<FieldDifference>>(
      folders_, [&](api::Call& call) -> std::optional<std::vector<FieldDifference>> {
        // A template can differ only where a parameter that differs reaches it: through a write it
        // names (then both campaigns are applied to copies of it), or through a placeholder that
        // no write replaces.
        const std::set<std::string> changed = api::differingParameters(before, after);
        std::set<std::string> written;
        for (const Campaign* campaign : {&before, &after}) {
          for (const Parameter& parameter : campaign->parameters) {
            if (changed.count(parameter.name) == 0 || !pixit::hasPixitPrefix(parameter.name)) continue;
            for (std::string& file : pixit::messageFilesOf(parameter.comment)) written.insert(std::move(file));
          }
          for (const Binding& binding : campaign->bindings) {
            if (changed.count(binding.parameter) != 0 || before.associationFile != after.associationFile) {
              written.insert(binding.file);
            }
          }
        }
        std::vector<TemplateEntry> touched;
        std::vector<TemplateEntry> resolved;
        for (TemplateEntry& entry : templates()) {
          if (written.count(entry.name) != 0) {
            touched.push_back(std::move(entry));
          } else if (api::holdsPlaceholderOf(entry.location.path, changed)) {
            resolved.push_back(std::move(entry));
          }
        }
        api::AppliedCopy first(touched);
        api::AppliedCopy second(touched);
        if (first.folder().empty() || second.folder().empty()) {
          call.setFile(folders_.system);
          call.add(Severity::kError, codes::kInternal, "no temporary folder could be made to apply the campaigns in");
          return std::nullopt;
        }
        for (auto [copy, campaign] : {std::pair{&first, &before}, std::pair{&second, &after}}) {
          api::Call applying(copy->folders(folders_.cell));
          copy->apply(applying, *campaign);
        }

        std::vector<FieldDifference> differences;
        api::Call scratch(folders_);  // reads the copies: a failure there only repeats the template's own
        auto compare = [&](const TemplateEntry& entry, bool applied) {
          std::optional<Template> one = api::readTemplateTree(call, entry.location.path, entry.name);
          if (!one) return;
          std::optional<Template> two = one;
          if (applied) {
            one = api::readTemplateTree(scratch, first.pathOf(entry), entry.name);
            two = api::readTemplateTree(scratch, second.pathOf(entry), entry.name);
            if (!one || !two) return;
          }
          api::resolveReferences(*one, before);
          api::resolveReferences(*two, after);
          for (Change& change : compareTemplates(one->root, two->root)) {
            differences.push_back({entry.name, entry.cell, entry.area, std::move(change.path), std::move(change.before),
                                   std::move(change.after)});
          }
        };
        for (const TemplateEntry& entry : touched) compare(entry, true);
        for (const TemplateEntry& entry : resolved) compare(entry, false);
        return differences;
      });
}

}  // namespace l3xml
