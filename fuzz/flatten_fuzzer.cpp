// Any bytes as a message template: flattening and naming its type must neither crash nor overrun
// a buffer, and never modify the template.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  l3xml_fuzz::writeInput("RRCMessage/PrimaryCell/M.xml", data, size);
  l3xml_fuzz::startRun();
  CXMLParser parser;
  parser.ParseXML("M.xml");
  parser.getXmlType("M.xml");
  l3xml_fuzz::checkUntouched();
  return 0;
}
