// A campaign: the PIXIT file, its type file and the association file, read as the load entry
// reads them, with where each entry stands.
#include <algorithm>

#include <l3xml/framework.h>

#include "api/call.h"
#include "api/value_rules.h"
#include "params/parameter_load.h"
#include "parser/document_access.h"
#include "pixit/pixit_maps.h"
#include "platform/file_system.h"

namespace l3xml {

const Parameter* Campaign::parameter(const std::string& name) const {
  for (const Parameter& parameter : parameters) {
    if (parameter.name == name) return &parameter;
  }
  return nullptr;
}

const TypeDefinition* Campaign::type(const std::string& name) const {
  for (const TypeDefinition& type : types) {
    if (type.record.name == name) return &type;
  }
  return nullptr;
}

std::optional<std::string> Campaign::valueOf(const std::string& reference) const {
  const auto found = values.find(reference);
  if (found == values.end()) return std::nullopt;
  return found->second.value;
}

bool Campaign::set(const std::string& name, const std::string& value) {
  const auto found = values.find(name);
  if (found == values.end()) return false;
  found->second.value = value;
  for (Parameter& parameter : parameters) {
    if (parameter.name == name) parameter.converted = value;
  }
  return true;
}

std::multimap<std::string, std::string> Campaign::parametersByFile() const { return pixit::parameterFiles(values); }

namespace api {

namespace {

Position positionOf(dom::IXMLDOMNode& element, const std::string& file) {
  Position position{file, 0, 0};
  (void)element.get_sourcePosition(position.line, position.column);
  return position;
}

// Collects the entries of the PIXIT file or of the type file, with their positions.
class EntryReading final : public params::EntryObserver {
 public:
  EntryReading(Call& call, Campaign& campaign, const std::string& file, bool types)
      : call_(call), campaign_(campaign), file_(file), types_(types) {}

  void entry(const ParamStructure& record, bool stored, dom::IXMLDOMNode& element) override {
    const Position position = positionOf(element, file_);
    if (types_) {
      if (stored) campaign_.types.push_back({record, position});
      return;
    }
    if (stored) {
      firstLines_[record.name] = position.line;
      campaign_.parameters.push_back({record.name, record.type, record.value, record.value, record.group, record.unit,
                                      record.comment, record.cell, pixit::messageFilesOf(record.comment), position});
      return;
    }
    call_.setFile(file_);
    call_.setPosition(position.line, position.column);
    const long first = firstLines_[record.name];
    call_.add(Severity::kWarning, codes::kDuplicateParameter,
              record.name + " is defined again; the first definition" +
                  (first > 0 ? " (line " + std::to_string(first) + ")" : std::string()) + " is the one used");
  }

 private:
  Call& call_;
  Campaign& campaign_;
  const std::string& file_;
  bool types_;
  std::map<std::string, long> firstLines_;
};

class BindingReading final : public params::AssociationObserver {
 public:
  explicit BindingReading(Campaign& campaign) : campaign_(campaign) {}

  void binding(const std::string& parameter, const params::AssociationBinding& binding, const std::string& converted,
               dom::IXMLDOMNode& element, bool written) override {
    campaign_.bindings.push_back({parameter, binding.nodeName, binding.typeName, binding.fileName, binding.cellName,
                                  converted, written, positionOf(element, campaign_.associationFile)});
  }

 private:
  Campaign& campaign_;
};

// Every value the message encoder could not take is an error of the campaign: it would reach the
// flattened lines as it stands.
void judgeValues(Call& call, const Campaign& campaign) {
  std::vector<std::string> typeNames;
  for (const auto& type : campaign.typeList) typeNames.push_back(type.first);
  const std::string typeFile = campaign.typeFile.substr(campaign.typeFile.find_last_of("\\/") + 1);
  for (const Parameter& parameter : campaign.parameters) {
    call.setFile(parameter.position.file);
    call.setPosition(parameter.position.line, parameter.position.column);
    const auto type = campaign.typeList.find(parameter.type);
    if (type == campaign.typeList.end()) {
      call.add(Severity::kError, codes::kUnknownType,
               "the type " + (parameter.type.empty() ? std::string("(none)") : parameter.type) + " of " +
                   parameter.name + " is not defined by " + typeFile + didYouMean(parameter.type, typeNames));
    } else if (const std::optional<ValueProblem> problem = judgeValue(parameter.value, type->second)) {
      call.add(Severity::kError, problem->code, parameter.name + ": " + problem->message);
    }
  }
}

// Why a parameter file could not be read, at the place the parse stopped.
void explainUnreadable(Call& call, const std::string& path) {
  call.setFile(path);
  if (!platform::pathExists(path)) {
    call.add(Severity::kError, codes::kMissingFile, "the file does not exist");
    return;
  }
  dom::ComPtr<dom::IXMLDOMDocument> document;
  bool loaded = false;
  if (parser::createParserDocument(document.GetAddressOf()) < 0) return;
  if (dom::failed(document->load(path, loaded))) {
    call.add(Severity::kError, codes::kMissingFile, "the file cannot be read");
  } else if (!loaded) {
    call.add(parseErrorOf(*document, path));
  }
}

std::optional<Campaign> loadCampaign(Call& call, const Framework& framework, const CampaignOptions& options) {
  Campaign campaign;
  campaign.pixitFile = options.pixitFile;
  if (campaign.pixitFile.empty()) {
    const std::vector<std::string> found = framework.pixitFiles();
    call.setFile(framework.folders().system);
    if (found.empty()) {
      call.add(Severity::kError, codes::kMissingFile, "there is no PIXIT file at the framework's root");
      return std::nullopt;
    }
    if (found.size() > 1) {
      std::string names;
      for (const std::string& path : found) names += (names.empty() ? "" : ", ") + path;
      call.add(Severity::kError, codes::kAmbiguousPixit,
               "there are several PIXIT files at the framework's root (" + names + "); choose one");
      return std::nullopt;
    }
    campaign.pixitFile = found.front();
  }
  const std::optional<Location> association = framework.associationFile();
  if (association && options.association != AssociationMode::kSkip) campaign.associationFile = association->path;

  params::ParameterLoad load;
  load.pixitFile = campaign.pixitFile;
  load.typeFile = options.typeFile;
  load.applyAssociation = options.association != AssociationMode::kSkip;
  load.writeAssociation = options.association == AssociationMode::kApply;
  params::ParameterReaders readers;
  EntryReading parameters(call, campaign, campaign.pixitFile, false);
  EntryReading types(call, campaign, readers.typePath, true);
  BindingReading bindings(campaign);
  readers.pixit = &parameters;
  readers.types = &types;
  readers.association = &bindings;
  call.setFile(campaign.pixitFile);

  const bool read = params::loadParameters(call.state(), load, campaign.values, campaign.typeList, &readers);
  campaign.typeFile = readers.typePath;
  if (!read) {
    // The reader logs a failed load under the PIXIT file's name and without a position; the
    // explanation below gives the file and the place of the error.
    for (Diagnostic& diagnostic : call.take()) {
      if (diagnostic.code != codes::kMalformedXml) call.add(std::move(diagnostic));
    }
    if (readers.pixitRead && campaign.typeFile.empty()) {
      call.setFile(framework.folders().system);
      call.add(Severity::kError, codes::kMissingFile,
               "the type file " +
                   (load.typeFile.empty() ? std::string(params::typeFileFor(campaign.pixitFile)) : load.typeFile) +
                   " that goes with " + campaign.pixitFile + " is not in the framework");
    } else {
      explainUnreadable(call, readers.pixitRead ? campaign.typeFile : campaign.pixitFile);
    }
    return std::nullopt;
  }
  for (Parameter& parameter : campaign.parameters) parameter.converted = campaign.values[parameter.name].value;
  judgeValues(call, campaign);
  std::sort(campaign.parameters.begin(), campaign.parameters.end(),
            [](const Parameter& a, const Parameter& b) { return a.name < b.name; });
  return campaign;
}

}  // namespace

}  // namespace api

Result<Campaign> Framework::loadCampaign(const CampaignOptions& options) const {
  return api::guarded<Campaign>(folders_, [&](api::Call& call) { return api::loadCampaign(call, *this, options); });
}

}  // namespace l3xml
