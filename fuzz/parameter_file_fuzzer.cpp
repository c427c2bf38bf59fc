// Any bytes as a PIXIT, type or synchronisation file: reading must neither crash nor overrun a
// buffer, whatever kind the caller names.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string path = l3xml_fuzz::writeInput("Parameters.xml", data, size);
  l3xml_fuzz::startRun();
  for (int kind = 0; kind <= 3; ++kind) {
    ParameterFileReader reader;
    reader.readParameterFile(path, static_cast<File>(kind));
    reader.getparamList();
    reader.getparamList_Sync();
    reader.getparamStructure_sync();
    ParameterFileReader copy(reader);
    copy.readParameterFile(path, static_cast<File>(kind));
  }
  l3xml_fuzz::checkUntouched();
  return 0;
}
