// Writing every PIXIT parameter indexed for one message file into it.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "pixit/pixit_maps.h"

long CXMLParser::isFileNamePresentinMultiMap(std::string fileName) {
  const auto [first, last] = l3xml::pixitFileMultiMap.equal_range(fileName);
  std::vector<std::string> parameters;
  for (auto entry = first; entry != last; ++entry) parameters.push_back(entry->second);
  l3xml::logging::debug({"IsFileNamePresentinMultiMap::The occurence of the ", fileName,
                         " are as much: ", std::to_string(parameters.size())});
  if (parameters.empty()) return l3xml::pixit::kNotFound;

  for (std::string& parameter : parameters) {
    // A parameter that left the registered list is skipped: it has no value of its own.
    std::string value;
    if (getPixitValueForParser(parameter, value) != 0) continue;
    l3xml::logging::debug({"isFileNamePresentinMultiMap::SetVal is called for Pixit parameter: ", parameter,
                           " and The pixit value is ", value});
    SetVal(fileName, parameter.data(), value.data());
  }
  return 0;
}
