// A selector (a node name or a dotted path) on its first line, a template after it: reading values
// from that template and from a real one must neither crash nor modify either.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto input = l3xml_fuzz::fields(data, size, 2);
  l3xml_fuzz::writeInput("RRCMessage/PrimaryCell/M.xml", input[1]);
  l3xml_fuzz::startRun();
  CXMLParser parser;
  parser.GetVals("M.xml", input[0].data());
  parser.GetVals("RRCConnectionSetup.xml", input[0].data());
  l3xml_fuzz::checkUntouched();
  return 0;
}
