// Loading and registering the PIXIT maps, with plain-words reasons when the library refuses.
#include "pixit_session.h"

#include "command.h"
#include "file_check.h"
#include "framework.h"

namespace l3xml_cli {

namespace {

constexpr const char* kAssociationFile = "AssociationFile.xml";

// The library only says that the load failed; the files tell why.
std::string whyLoadFailed(const Settings& settings, const std::string& pixitPath) {
  const TemplateReading pixit = readTemplate(pixitPath);
  if (!pixit.ok) return "the PIXIT file " + pixitPath + " " + pixit.problem;
  const std::string typeFile = typeFileFor(pixitPath);
  const std::string typePath = getFrameworkCompleteFilePath_WCDMA(typeFile);
  if (typePath.empty()) {
    return "the type file " + typeFile + " that goes with " + pixitPath + " was not found in the system folder " +
           settings.systemFolder() +
           (settings.userFolder().empty() ? "" : " or the user folder " + settings.userFolder());
  }
  const TemplateReading types = readTemplate(typePath);
  if (!types.ok) return "the type file " + typePath + " " + types.problem;
  return "the library could not load " + pixitPath + "; its log is at " + settings.logDescription();
}

}  // namespace

std::string typeFileFor(const std::string& pixitPath) {
  if (pixitPath.find("WCDMA") != std::string::npos) return "L3_Wcdma_Types.xml";
  return pixitPath.find("Callbox") != std::string::npos ? "Types_Callbox.xml" : "Types.xml";
}

void PixitSession::load(const Settings& settings, const Output& output, const std::string& pixitPath,
                        bool applyAssociation) {
  if (!ReadParameterFileWrapper_WCDMA(pixitPath.c_str(), &parameters_, &types_, applyAssociation)) {
    throw CommandFailure(whyLoadFailed(settings, pixitPath));
  }
  // The association step leaves the cell of its last binding behind.
  settings.selectCell(settings.cell());
  pixitPath_ = pixitPath;
  loaded_ = true;
  if (applyAssociation && pixitPath.find("Callbox") == std::string::npos) {
    const std::string associationPath = getFrameworkCompleteFilePath_WCDMA(kAssociationFile);
    if (associationPath.empty()) {
      output.warning(std::string("there is no ") + kAssociationFile +
                     " in the framework folders; nothing was associated");
    } else if (const TemplateReading reading = readTemplate(associationPath); !reading.ok) {
      output.warning("the association file " + associationPath + " " + reading.problem + "; nothing was associated");
    }
  }
}

void PixitSession::registerWith(CXMLParser& parser) { parser.updateParparameterList(&parameters_); }

std::optional<std::string> PixitSession::valueOf(const std::string& reference) const {
  const auto found = parameters_.find(reference);
  if (found == parameters_.end()) return std::nullopt;
  return found->second.value;
}

void loadPixitForReading(const Settings& settings, const Output& output, PixitSession& session, CXMLParser& parser,
                         bool quietly) {
  const PixitChoice choice = choosePixitFile(settings.systemFolder(), settings.pixitOption());
  if (!choice.problem.empty()) {
    // A PIXIT file asked for by name must be there; without one, references stay unresolved.
    if (!settings.pixitOption().empty()) throw CommandFailure(choice.problem);
    if (!quietly) output.note(choice.problem + "; PIXIT references are not resolved");
    return;
  }
  session.load(settings, output, choice.path, false);
  session.registerWith(parser);
}

}  // namespace l3xml_cli
