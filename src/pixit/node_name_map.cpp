// Which PIXIT parameter a node held, and the parser's PIXIT value lookup.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "pixit/pixit_maps.h"

std::string CXMLParser::isNodeNamepresentInMap(std::string nodeName) {
  const auto found = l3xml::nodeNamePixitParameterMap.find(nodeName);
  if (found == l3xml::nodeNamePixitParameterMap.end()) {
    l3xml::logging::debug({"The Node Name : ", nodeName, " is not Present in the map of nodeNamePixitParameterMap "});
    return std::string();
  }
  l3xml::logging::debug({"The Node Name : ", nodeName, " is present in the map of nodeNamePixitParameterMap "});
  return found->second;
}

long CXMLParser::getPixitValueForParser(std::string paramName, std::string& value) {
  return l3xml::pixit::lookUpPixitValue(paramName, value);
}
