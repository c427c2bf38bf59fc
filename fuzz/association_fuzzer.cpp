// Any bytes as the association file, applied by the load entry with the example campaign: the
// bindings write into working copies of real templates, and nowhere else.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Without confinement asserted, a binding that names a parent folder is left out (see lookup_fuzzer.cpp).
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!L3XML_FUZZ_ASSERT_CONFINEMENT && l3xml_fuzz::maySpellParent(text)) return 0;
  l3xml_fuzz::writeInput("AssociationFile.xml", data, size);
  l3xml_fuzz::startRun();
  const std::string pixit = l3xml_fuzz::sandbox().framework + "/L3_WCDMA_PIXIT.xml";
  std::map<std::string, ParamStructure> pixitList;
  std::map<std::string, ParamStructure> typeList;
  ReadParameterFileWrapper_WCDMA(pixit.c_str(), &pixitList, &typeList, true);
  l3xml_fuzz::checkUntouched();
  return 0;
}
