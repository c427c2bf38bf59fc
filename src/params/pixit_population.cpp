// Writing one PIXIT value, converted for Boolean or enumerated types, into a message file.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "params/value_conversion.h"
#include "parser/value_setting.h"

namespace logging = l3xml::logging;

namespace {

constexpr int kBooleanKind = 1;
constexpr int kEnumKind = 2;

}  // namespace

// Every datum comes from the arguments; the reader this is called on plays no part.
bool ParameterFileReader::PopulateFromPixitFile(ParameterFileReader& pixitReader, std::string& paramName,
                                                std::string& nodeName, std::string& xmlFileName, int kind,
                                                std::map<std::string, ParamStructure>& typeList) {
  const auto parameter = pixitReader.paramList.find(paramName);
  if (parameter == pixitReader.paramList.end()) {
    logging::error({"PopulateFromPixitFile: the parameter ", paramName, " is not in the PIXIT list"});
    return false;
  }
  const ParamStructure& record = parameter->second;

  std::string text;
  if (kind == kBooleanKind) {
    text = l3xml::params::populationBooleanNumber(record.value);
  } else if (kind == kEnumKind) {
    const auto type = typeList.find(record.type);
    if (type == typeList.end()) {
      logging::error({"PopulateFromPixitFile: the type ", record.type, " of the parameter ", paramName,
                      " is not in the type list"});
      return false;
    }
    // A value that is no enumerator writes the empty text.
    const std::optional<std::size_t> position = l3xml::params::enumPosition(type->second, record.value);
    if (position && *position >= type->second.enumNumericValues.size()) {
      logging::error({"PopulateFromPixitFile: the enumerator ", record.value, " of the type ", record.type,
                      " has no numeric value"});
      return false;
    }
    if (position) text = type->second.enumNumericValues[*position];
  } else {
    text = record.value;
  }

  return l3xml::parser::setValueWithNewParser(l3xml::state::module(), xmlFileName, nodeName, text);
}
