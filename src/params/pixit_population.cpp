// Writing one PIXIT value, converted for Boolean or enumerated types, into a message file.
#include <l3xml/l3xml.h>

#include "logging/logging.h"

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
    text = record.value == "FALSE" ? "0" : "1";
  } else if (kind == kEnumKind) {
    const auto type = typeList.find(record.type);
    if (type == typeList.end()) {
      logging::error({"PopulateFromPixitFile: the type ", record.type, " of the parameter ", paramName,
                      " is not in the type list"});
      return false;
    }
    const std::vector<std::string>& names = type->second.enumValues;
    const std::vector<std::string>& numbers = type->second.enumNumericValues;
    for (std::size_t position = 0; position < names.size(); ++position) {
      if (names[position] != record.value) continue;
      if (position >= numbers.size()) {
        logging::error({"PopulateFromPixitFile: the enumerator ", record.value, " of the type ", record.type,
                        " has no numeric value"});
        return false;
      }
      text = numbers[position];
      break;
    }
  } else {
    text = record.value;
  }

  CXMLParser parser;
  return parser.SetVal(xmlFileName, nodeName.data(), text.data());
}
