// The parser's PIXIT operations: the node-name map, the value lookup, the registration of the
// host's list and the writing of every parameter indexed for a file.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/value_setting.h"
#include "pixit/pixit_maps.h"

namespace pixit = l3xml::pixit;
using l3xml::state::module;

std::string CXMLParser::isNodeNamepresentInMap(std::string nodeName) {
  const std::map<std::string, std::string>& map = module().nodeNamePixitParameterMap;
  const auto found = map.find(nodeName);
  if (found == map.end()) {
    l3xml::logging::debug({"The Node Name : ", nodeName, " is not Present in the map of nodeNamePixitParameterMap "});
    return std::string();
  }
  l3xml::logging::debug({"The Node Name : ", nodeName, " is present in the map of nodeNamePixitParameterMap "});
  return found->second;
}

long CXMLParser::getPixitValueForParser(std::string paramName, std::string& value) {
  return pixit::lookUpPixitValue(module(), paramName, value);
}

void CXMLParser::updateParparameterList(std::map<std::string, ParamStructure>* list) {
  pixit::registerParameterList(module(), list);
}

void CXMLParser::createMultiMapofPixitFile(std::string paramName, std::string fileList) {
  for (const std::string& file : pixit::messageFilesOf(fileList)) module().pixitFileMultiMap.emplace(file, paramName);
}

long CXMLParser::isFileNamePresentinMultiMap(std::string fileName) {
  return pixit::writeIndexedParameters(module(), fileName, [&](const std::string& parameter, const std::string& value) {
    (void)l3xml::parser::setValue(module(), {pXMLDom, pXMLFragmentDom}, fileName, parameter, value, std::nullopt);
  });
}
