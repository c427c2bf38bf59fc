// The exported change of a value in the registered PIXIT list.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "state/module_state.h"

long updateMapParser_WCDMA(std::string paramName, std::string newValue) {
  if (paramName.empty() && newValue.empty()) {
    l3xml::logging::error({"updateMapParser::Entered parameter is not present in map : ", paramName});
    return 0;
  }
  std::map<std::string, ParamStructure>* list = l3xml::state::module().parserParamList;
  if (list == nullptr) return 0;
  const auto found = list->find(paramName);
  if (found == list->end()) return 0;
  const std::string oldValue = found->second.value;
  found->second.value = newValue;
  l3xml::logging::debug(
      {"updateMapParser::Setting Value:", newValue, " for Parameter: ", paramName, ". It's old value was :", oldValue});
  return 0;
}
