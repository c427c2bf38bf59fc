// The exported change of a value in the registered PIXIT list.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "pixit/pixit_maps.h"

long updateMapParser_WCDMA(std::string paramName, std::string newValue) {
  if (paramName.empty() && newValue.empty()) {
    l3xml::logging::error({"updateMapParser::Entered parameter is not present in map : ", paramName});
    return 0;
  }
  if (l3xml::parserParamList == nullptr) return 0;
  const auto found = l3xml::parserParamList->find(paramName);
  if (found == l3xml::parserParamList->end()) return 0;
  const std::string oldValue = found->second.value;
  found->second.value = newValue;
  l3xml::logging::debug(
      {"updateMapParser::Setting Value:", newValue, " for Parameter: ", paramName, ". It's old value was :", oldValue});
  return 0;
}
