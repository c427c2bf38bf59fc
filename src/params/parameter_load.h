// The parameter load: a PIXIT file, its type file, the association file and the conversion of
// Boolean and Enum values, as the host's one call does it.
#ifndef L3XML_PARAMS_PARAMETER_LOAD_H
#define L3XML_PARAMS_PARAMETER_LOAD_H

#include <map>
#include <string>

#include <l3xml/l3xml.h>

#include "params/association_file.h"
#include "params/parameter_file_reading.h"
#include "state/module_state.h"

namespace l3xml {
namespace params {

// The type file that goes with a PIXIT file, chosen by its name: "L3_Wcdma_Types.xml" when it
// holds "WCDMA", else "Types_Callbox.xml" when it holds "Callbox", else "Types.xml".
const char* typeFileFor(const std::string& pixitFileName);

// Whether the load applies the association file for this PIXIT file: not for "Callbox" ones.
bool appliesAssociation(const std::string& pixitFileName);

// Converts the Boolean and Enum values of pixitList, as read, by their types: a Boolean is "0" for
// exactly "FALSE" or "false" and "1" otherwise; an Enum value found among its type's enumerators
// becomes the numeric value at its position.
void convertValues(std::map<std::string, ParamStructure>& pixitList,
                   const std::map<std::string, ParamStructure>& typeList);

struct ParameterLoad {
  std::string pixitFile;          // used as given
  std::string typeFile;           // a path or a name to look up; empty: the one the PIXIT file's name chooses
  bool applyAssociation = false;  // honoured only where appliesAssociation()
  bool writeAssociation = true;   // unset: the association run converts and follows but writes nothing
};

// What follows a load, when the caller wants more than the two lists.
struct ParameterReaders {
  EntryObserver* pixit = nullptr;
  EntryObserver* types = nullptr;
  AssociationObserver* association = nullptr;
  bool pixitRead = false;  // the PIXIT file was read
  std::string typePath;    // the type file, set once it is found and before it is read
};

// Reads the PIXIT and type files into the two lists, applies the association file when asked and
// converts the values; false when either file could not be read.
bool loadParameters(state::ModuleState& state, const ParameterLoad& load,
                    std::map<std::string, ParamStructure>& pixitList, std::map<std::string, ParamStructure>& typeList,
                    ParameterReaders* readers = nullptr);

}  // namespace params
}  // namespace l3xml

#endif  // L3XML_PARAMS_PARAMETER_LOAD_H
