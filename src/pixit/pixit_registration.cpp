// Registration of the host's PIXIT list and the index of message files to PIXIT parameters.
#include "pixit/pixit_maps.h"

namespace l3xml {
namespace pixit {

// Cut at every separator: for paths joined by commas this gives the file names in order, and a
// comma-separated list of bare file names gives each of them rather than one unusable key.
std::vector<std::string> messageFilesOf(const std::string& fileList) {
  std::vector<std::string> files;
  std::string::size_type start = 0;
  while (start <= fileList.size()) {
    const std::string::size_type end = fileList.find_first_of("\\,", start);
    const std::string piece = fileList.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (piece.find("xml") != std::string::npos) files.push_back(piece);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return files;
}

}  // namespace pixit
}  // namespace l3xml

// The list is kept by pointer: the host keeps it alive and in place while it is registered.
void CXMLParser::updateParparameterList(std::map<std::string, ParamStructure>* list) {
  l3xml::parserParamList = list;
  l3xml::nodeNamePixitParameterMap.clear();
  l3xml::pixitFileMultiMap.clear();
  if (list == nullptr) return;
  for (const auto& [name, parameter] : *list) {
    if (l3xml::pixit::hasPixitPrefix(name)) createMultiMapofPixitFile(name, parameter.comment);
  }
}

void CXMLParser::createMultiMapofPixitFile(std::string paramName, std::string fileList) {
  for (const std::string& file : l3xml::pixit::messageFilesOf(fileList)) {
    l3xml::pixitFileMultiMap.emplace(file, paramName);
  }
}
