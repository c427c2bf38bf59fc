// A campaign applied to a temporary copy of a framework's templates.
#include "api/applied_copy.h"

#include <algorithm>

#include "params/association_file.h"
#include "params/parameter_load.h"
#include "parser/value_setting.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"
#include "platform/file_system.h"

namespace l3xml {
namespace api {

namespace {

constexpr const char* kAssociationFile = "AssociationFile.xml";

}  // namespace

AppliedCopy::AppliedCopy(std::vector<TemplateEntry> entries)
    : folder_(platform::makeTemporaryFolder("l3xml-applied-")) {
  if (folder_.empty()) return;
  for (TemplateEntry& entry : entries) {
    std::string folder = entry.location.folder;
    std::replace(folder.begin(), folder.end(), '/', platform::kSeparator);
    folder = folder_ + platform::kSeparator + folder;
    if (platform::makeDirectories(folder) &&
        platform::copyFileReplacing(entry.location.path, folder + platform::kSeparator + entry.name)) {
      labels_.insert(entry.label());
      copied_.push_back(std::move(entry));
    }
  }
}

AppliedCopy::~AppliedCopy() { (void)platform::removeTree(folder_); }

void AppliedCopy::apply(Call& call, const Campaign& campaign) {
  state::ModuleState& state = call.state();
  if (!campaign.associationFile.empty() && params::appliesAssociation(campaign.pixitFile) &&
      platform::copyFileReplacing(campaign.associationFile, folder_ + platform::kSeparator + kAssociationFile)) {
    std::map<std::string, ParamStructure> asRead = campaign.values;
    for (const Parameter& parameter : campaign.parameters) asRead[parameter.name].value = parameter.value;
    (void)params::applyAssociationFile(state, kAssociationFile, campaign.typeList, asRead);
  }
  values_ = campaign.values;
  pixit::registerParameterList(state, &values_);
  dom::ComPtr<dom::IXMLDOMDocument> document;
  dom::ComPtr<dom::IXMLDOMDocument> fragment;
  for (const TemplateEntry& entry : copied_) {
    state.settings.cell = entry.cell;
    parser::setIndexedValues(state, {document, fragment}, entry.name);
  }
}

std::string AppliedCopy::pathOf(const TemplateEntry& entry) const {
  if (labels_.count(entry.label()) == 0) return std::string();
  return paths::findFrameworkFile(settingsOf(folders(entry.cell)), entry.name);
}

}  // namespace api
}  // namespace l3xml
