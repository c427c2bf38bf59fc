// The host's one-call parameter load: PIXIT file, its type file, the association file and the
// conversion of Boolean and Enum values.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "params/association_file.h"
#include "params/value_conversion.h"

namespace logging = l3xml::logging;

namespace {

// The type file that goes with a PIXIT file, by two case-sensitive tests on its name.
const char* typeFileFor(const std::string& pixitFileName) {
  const bool callbox = pixitFileName.find("Callbox") != std::string::npos;
  const bool wcdma = pixitFileName.find("WCDMA") != std::string::npos;
  if (wcdma) return "L3_Wcdma_Types.xml";
  return callbox ? "Types_Callbox.xml" : "Types.xml";
}

}  // namespace

bool L3XML_STDCALL ReadParameterFileWrapper_WCDMA(const char* pixitFileName,
                                                  std::map<std::string, ParamStructure>* pixitList,
                                                  std::map<std::string, ParamStructure>* typeList,
                                                  bool applyAssociation) {
  if (pixitFileName == nullptr || pixitList == nullptr || typeList == nullptr) {
    logging::error({"ReadParameterFileWrapper_WCDMA: the PIXIT file name and both parameter maps must be given"});
    return false;
  }
  ParameterFileReader pixitReader;
  ParameterFileReader typeReader;
  std::string pixitFile = pixitFileName;
  const std::string typeFile = typeFileFor(pixitFile);

  if (!pixitReader.readParameterFile(pixitFile, PIXIT_FILE)) return false;
  *pixitList = pixitReader.getparamList();

  std::string typePath = getFrameworkCompleteFilePath_WCDMA(typeFile);
  if (typePath.empty()) {
    logging::error({"RETURNING ERROR FROM ReadParameterFileWrapper - error for Types.xml"});
    return false;
  }
  logging::debug({"ReadParameterFileWrapper:: getFrameworkCompleteFilePath_WCDMA_ok PATH RETURNED=", typePath, "."});
  if (!typeReader.readParameterFile(typePath, TYPE_FILE)) return false;
  *typeList = typeReader.getparamList();

  // Message files receive the values as the PIXIT file writes them; the association step
  // converts for itself.
  if (pixitFile.find("Callbox") == std::string::npos && applyAssociation) {
    if (AssociationFileParse("AssociationFile.xml", *typeList, *pixitList) == 0) {
      logging::debug({"\n Association File Parsed Successfully "});
    } else {
      logging::error({"Association File Parsing Failed "});
    }
  }

  for (auto& [name, parameter] : *pixitList) {
    const auto type = typeList->find(parameter.type);
    if (type == typeList->end()) continue;
    if (type->second.basetype == "Boolean") {
      parameter.value = l3xml::params::booleanNumber(parameter.value);
    } else if (type->second.basetype == "Enum") {
      parameter.value =
          l3xml::params::enumNumber(type->second, pixitReader.getparamStructure(name).value, parameter.value);
    }
  }
  return true;
}
