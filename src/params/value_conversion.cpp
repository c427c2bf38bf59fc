// The numeric forms of Boolean and enumerated PIXIT values.
#include "params/value_conversion.h"

namespace l3xml {
namespace params {

std::string booleanNumber(const std::string& value) { return value == "FALSE" || value == "false" ? "0" : "1"; }

std::string populationBooleanNumber(const std::string& value) { return value == "FALSE" ? "0" : "1"; }

std::optional<std::size_t> enumPosition(const ParamStructure& type, const std::string& value) {
  for (std::size_t position = 0; position < type.enumValues.size(); ++position) {
    if (type.enumValues[position] == value) return position;
  }
  return std::nullopt;
}

std::string enumNumber(const ParamStructure& type, const std::string& value, const std::string& unchanged) {
  const std::optional<std::size_t> position = enumPosition(type, value);
  return position && *position < type.enumNumericValues.size() ? type.enumNumericValues[*position] : unchanged;
}

}  // namespace params
}  // namespace l3xml
