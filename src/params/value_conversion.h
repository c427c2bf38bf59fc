// The numeric forms of Boolean and enumerated PIXIT values.
#ifndef L3XML_PARAMS_VALUE_CONVERSION_H
#define L3XML_PARAMS_VALUE_CONVERSION_H

#include <cstddef>
#include <optional>
#include <string>

#include <l3xml/l3xml.h>

namespace l3xml {
namespace params {

// The parameter load and the association step: "0" for exactly "FALSE" or "false", "1" for
// anything else.
std::string booleanNumber(const std::string& value);

// The population of one value: "0" for exactly "FALSE", "1" for anything else.
std::string populationBooleanNumber(const std::string& value);

// The position of value's first occurrence among the type's enumerators; none when absent.
std::optional<std::size_t> enumPosition(const ParamStructure& type, const std::string& value);

// The numeric value at the position of value's first occurrence among the type's enumerators;
// unchanged when value is not an enumerator or its position has no numeric value.
std::string enumNumber(const ParamStructure& type, const std::string& value, const std::string& unchanged);

}  // namespace params
}  // namespace l3xml

#endif  // L3XML_PARAMS_VALUE_CONVERSION_H
