// Lines of "name|value|comment" as the host's PIXIT list: registering it, asking which parameter a
// node held, changing values and writing the parameters indexed for real templates into them.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto lines = l3xml_fuzz::fields(data, size, 16);
  l3xml_fuzz::startRun();
  std::map<std::string, ParamStructure> list;
  for (const std::string& line : lines) {
    const std::size_t value = line.find('|');
    const std::size_t comment = value == std::string::npos ? value : line.find('|', value + 1);
    ParamStructure& parameter = list[line.substr(0, value)];
    if (value != std::string::npos) parameter.value = line.substr(value + 1, comment - value - 1);
    if (comment != std::string::npos) parameter.comment = line.substr(comment + 1);
  }
  CXMLParser parser;
  parser.ParseXML("RRCConnectionSetup.xml");
  parser.updateParparameterList(&list);
  for (const auto& [name, parameter] : list) {
    parser.isNodeNamepresentInMap(name);
    parser.isNodeNamepresentInMap(parameter.value);
    updateMapParser_WCDMA(name, parameter.value + "0");
  }
  parser.isFileNamePresentinMultiMap("RRCConnectionSetup.xml");
  parser.isFileNamePresentinMultiMap("AttachAccept.xml");
  updateMapParser_WCDMA("px_Unregistered", "0");
  parser.updateParparameterList(nullptr);
  updateMapParser_WCDMA("px_AfterUnregistering", "0");
  l3xml_fuzz::checkUntouched();
  return 0;
}
