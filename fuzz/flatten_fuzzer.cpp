// Any bytes as a message template: flattening, reading, writing and renaming must neither crash
// nor overrun a buffer.
#include <filesystem>

#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  l3xml_fuzz::writeInput("RRCMessage/PrimaryCell/M.xml", data, size);
  std::filesystem::remove_all(l3xml_fuzz::frameworkFolder() + "/temp/PrimaryCell");
  CXMLParser parser;
  parser.ParseXML("M.xml");
  parser.getXmlType("M.xml");
  char name[] = "a";
  char path[] = "M.a.[2].b";
  parser.GetVals("M.xml", name);
  parser.GetVals("M.xml", path);
  std::string file = "M.xml";
  char placeholder[] = "px_A";
  char value[] = "v";
  parser.SetVal(file, placeholder, value);
  parser.SetVal(file, name, value, 1);
  parser.SetVal(file, path, value);
  char newName[] = "bb";
  parser.UpdateNodeName(file, name, newName);
  return 0;
}
