// The host's one-call parameter load: PIXIT file, its type file, the association file and the
// conversion of Boolean and Enum values.
#include "params/parameter_load.h"

#include "logging/logging.h"
#include "params/association_file.h"
#include "params/value_conversion.h"
#include "paths/framework_paths.h"
#include "platform/file_system.h"

namespace l3xml {
namespace params {

// Two case-sensitive tests on the PIXIT file's name.
const char* typeFileFor(const std::string& pixitFileName) {
  const bool callbox = pixitFileName.find("Callbox") != std::string::npos;
  const bool wcdma = pixitFileName.find("WCDMA") != std::string::npos;
  if (wcdma) return "L3_Wcdma_Types.xml";
  return callbox ? "Types_Callbox.xml" : "Types.xml";
}

bool appliesAssociation(const std::string& pixitFileName) { return pixitFileName.find("Callbox") == std::string::npos; }

void convertValues(std::map<std::string, ParamStructure>& pixitList,
                   const std::map<std::string, ParamStructure>& typeList) {
  for (auto& [name, parameter] : pixitList) {
    const auto type = typeList.find(parameter.type);
    if (type == typeList.end()) continue;
    if (type->second.basetype == "Boolean") {
      parameter.value = booleanNumber(parameter.value);
    } else if (type->second.basetype == "Enum") {
      parameter.value = enumNumber(type->second, parameter.value, parameter.value);
    }
  }
}

bool loadParameters(state::ModuleState& state, const ParameterLoad& load,
                    std::map<std::string, ParamStructure>& pixitList, std::map<std::string, ParamStructure>& typeList,
                    ParameterReaders* readers) {
  ParameterFileReader pixitReader;
  ParameterFileReader typeReader;
  std::string pixitFile = load.pixitFile;
  const std::string typeFile = load.typeFile.empty() ? typeFileFor(pixitFile) : load.typeFile;

  if (!readParameterEntries(pixitReader, pixitFile, PIXIT_FILE, readers != nullptr ? readers->pixit : nullptr)) {
    return false;
  }
  pixitList = takeEntries(pixitReader);
  if (readers != nullptr) readers->pixitRead = true;

  // A type file named by the caller may be a path of its own; a chosen one is looked up.
  std::string typePath = !load.typeFile.empty() && platform::pathExists(load.typeFile)
                             ? load.typeFile
                             : paths::findFrameworkFile(state.settings, typeFile, "ReadParameterFileWrapper");
  if (typePath.empty()) {
    logging::error(logging::kCodeMissingFile, {"RETURNING ERROR FROM ReadParameterFileWrapper - error for Types.xml"});
    return false;
  }
  logging::debug({"ReadParameterFileWrapper:: getFrameworkCompleteFilePath_WCDMA_ok PATH RETURNED=", typePath, "."});
  if (readers != nullptr) readers->typePath = typePath;
  if (!readParameterEntries(typeReader, typePath, TYPE_FILE, readers != nullptr ? readers->types : nullptr)) {
    return false;
  }
  typeList = takeEntries(typeReader);

  // Message files receive the values as the PIXIT file writes them; the association step
  // converts for itself.
  if (appliesAssociation(pixitFile) && load.applyAssociation) {
    AssociationObserver* observer = readers != nullptr ? readers->association : nullptr;
    if (applyAssociationFile(state, "AssociationFile.xml", typeList, pixitList, observer, load.writeAssociation) == 0) {
      logging::debug({"\n Association File Parsed Successfully "});
    } else {
      logging::error({"Association File Parsing Failed "});
    }
  }
  convertValues(pixitList, typeList);
  return true;
}

}  // namespace params
}  // namespace l3xml

bool L3XML_STDCALL ReadParameterFileWrapper_WCDMA(const char* pixitFileName,
                                                  std::map<std::string, ParamStructure>* pixitList,
                                                  std::map<std::string, ParamStructure>* typeList,
                                                  bool applyAssociation) {
  if (pixitFileName == nullptr || pixitList == nullptr || typeList == nullptr) {
    l3xml::logging::error(
        {"ReadParameterFileWrapper_WCDMA: the PIXIT file name and both parameter maps must be given"});
    return false;
  }
  l3xml::params::ParameterLoad load;
  load.pixitFile = pixitFileName;
  load.applyAssociation = applyAssociation;
  return l3xml::params::loadParameters(l3xml::state::module(), load, *pixitList, *typeList);
}
