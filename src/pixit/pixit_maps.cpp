// The module-wide PIXIT maps and the lookups over them.
#include "pixit/pixit_maps.h"

#include "logging/logging.h"

namespace l3xml {

std::map<std::string, std::string> nodeNamePixitParameterMap;
std::map<std::string, ParamStructure>* parserParamList = nullptr;
std::multimap<std::string, std::string> pixitFileMultiMap;

namespace pixit {

bool hasPixitPrefix(const std::string& text) { return text.compare(0, 3, "px_") == 0; }

void recordNodeParameter(const std::string& nodeName, const std::string& parameterName) {
  nodeNamePixitParameterMap.emplace(nodeName, parameterName);
}

long lookUpPixitValue(const std::string& paramName, std::string& value) {
  if (parserParamList != nullptr) {
    const auto found = parserParamList->find(paramName);
    if (found != parserParamList->end()) {
      value = found->second.value;
      logging::debug({"CXMLParser::getPixitValueForParser is called for ", paramName, ". It,s value is : ", value});
      return 0;
    }
  }
  logging::error({"The Required parameter is not present in the Pixit List : ", paramName});
  return kNotFound;
}

void resetForTesting() {
  nodeNamePixitParameterMap.clear();
  pixitFileMultiMap.clear();
  parserParamList = nullptr;
}

}  // namespace pixit
}  // namespace l3xml
