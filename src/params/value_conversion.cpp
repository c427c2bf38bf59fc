// The numeric forms of Boolean and enumerated PIXIT values used by the parameter load.
#include "params/value_conversion.h"

namespace l3xml {
namespace params {

std::string booleanNumber(const std::string& value) { return value == "FALSE" || value == "false" ? "0" : "1"; }

std::string enumNumber(const ParamStructure& type, const std::string& value, const std::string& unchanged) {
  for (std::size_t position = 0; position < type.enumValues.size(); ++position) {
    if (type.enumValues[position] == value) {
      return position < type.enumNumericValues.size() ? type.enumNumericValues[position] : unchanged;
    }
  }
  return unchanged;
}

}  // namespace params
}  // namespace l3xml
