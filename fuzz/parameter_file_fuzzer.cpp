// Any bytes as a PIXIT, type, synchronisation or association file: reading and loading must
// neither crash nor overrun a buffer.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string path = l3xml_fuzz::writeInput("Pixit.xml", data, size);
  l3xml_fuzz::writeInput("AssociationFile.xml", data, size);
  for (int kind = 0; kind <= 3; ++kind) {
    ParameterFileReader reader;
    reader.readParameterFile(path, static_cast<File>(kind));
    reader.getparamList();
    reader.getparamStructure_sync();
  }
  std::map<std::string, ParamStructure> pixit;
  std::map<std::string, ParamStructure> types;
  ReadParameterFileWrapper_WCDMA(path.c_str(), &pixit, &types, true);
  CXMLParser parser;
  parser.updateParparameterList(&pixit);
  parser.isFileNamePresentinMultiMap("M.xml");
  parser.updateParparameterList(nullptr);
  return 0;
}
