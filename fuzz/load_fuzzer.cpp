// Any bytes as the campaign's PIXIT file, loaded with the example types and association file, then
// registered and written into the templates its parameters name.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string pixit = l3xml_fuzz::writeInput("L3_WCDMA_PIXIT.xml", data, size);
  l3xml_fuzz::startRun();
  std::map<std::string, ParamStructure> pixitList;
  std::map<std::string, ParamStructure> typeList;
  if (ReadParameterFileWrapper_WCDMA(pixit.c_str(), &pixitList, &typeList, true)) {
    CXMLParser parser;
    parser.updateParparameterList(&pixitList);
    parser.isFileNamePresentinMultiMap("RRCConnectionSetup.xml");
    parser.updateParparameterList(nullptr);
  }
  l3xml_fuzz::checkUntouched();
  return 0;
}
