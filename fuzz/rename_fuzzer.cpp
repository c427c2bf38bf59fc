// Lines: the node name to replace, its new name, then a template. Renaming in that template and in
// a real one must neither crash nor write anywhere but the working copies.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto input = l3xml_fuzz::fields(data, size, 3);
  l3xml_fuzz::writeInput("RRCMessage/PrimaryCell/M.xml", input[2]);
  l3xml_fuzz::startRun();
  CXMLParser parser;
  for (std::string file : {"M.xml", "RRCConnectionRelease.xml"}) {
    parser.UpdateNodeName(file, input[0].data(), input[1].data());
    parser.ParseXML(file);
  }
  l3xml_fuzz::checkUntouched();
  return 0;
}
