// Lines: a selector (a "px_" placeholder, a node name or a dotted path), a value, a match index,
// then a template. Both ways of setting, into the working copies of that template and of a real
// one, must neither crash nor write anywhere but the working copies.
#include <cstdlib>

#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto input = l3xml_fuzz::fields(data, size, 4);
  l3xml_fuzz::writeInput("RRCMessage/PrimaryCell/M.xml", input[3]);
  l3xml_fuzz::startRun();
  const long index = std::strtol(input[2].c_str(), nullptr, 10);
  CXMLParser parser;
  for (std::string file : {"M.xml", "RRCConnectionSetup.xml"}) {
    parser.SetVal(file, input[0].data(), input[1].data());
    parser.SetVal(file, input[0].data(), input[1].data(), index);
    parser.GetVals(file, input[0].data());
  }
  l3xml_fuzz::checkUntouched();
  return 0;
}
