// Lines: a file name ("%" stands for the sandbox's root), then a node name. Every call that takes a
// template by name finds only files of the framework's folders, and writes only working copies.
#include <l3xml/l3xml.h>

#include "fuzz_framework.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto input = l3xml_fuzz::fields(data, size, 2);
  std::string file = l3xml_fuzz::sandboxName(input[0]);
  char* node = input[1].data();
  // Without confinement asserted, names that leave the framework are left out: the library would
  // write through them into the templates (which the checks below would report).
  if (!L3XML_FUZZ_ASSERT_CONFINEMENT && !l3xml_fuzz::isPlainName(file)) return 0;
  l3xml_fuzz::startRun();

  const std::string found = getFrameworkCompleteFilePath_WCDMA(file);
  if (L3XML_FUZZ_ASSERT_CONFINEMENT && !found.empty()) {
    l3xml_fuzz::require(l3xml_fuzz::inFrameworkFolders(found), "the lookup left the framework", found);
  }
  CXMLParser parser;
  // Whether any call took the file: a result, or a write reported done.
  bool accepted = !parser.ParseXML(file).empty();
  accepted = !parser.getXmlType(file).empty() || accepted;
  accepted = !parser.GetVals(file, node).empty() || accepted;
  char placeholder[] = "px_Fuzz";
  char value[] = "1";
  accepted = parser.SetVal(file, node, value) || accepted;
  accepted = parser.SetVal(file, placeholder, value) || accepted;
  accepted = parser.SetVal(file, node, value, 1) || accepted;
  char newName[] = "renamed";
  accepted = parser.UpdateNodeName(file, node, newName) == 0 || accepted;

  std::map<std::string, ParamStructure> list;
  list["px_Fuzz"].value = "2";
  list["px_Fuzz"].comment = file;
  parser.updateParparameterList(&list);
  accepted = parser.isFileNamePresentinMultiMap(file) == 0 || accepted;
  parser.updateParparameterList(nullptr);
  ParameterFileReader reader;
  std::string parameter = "px_Fuzz";
  std::string nodeName = input[1];
  accepted = reader.PopulateFromPixitFile(reader, parameter, nodeName, file, 0, list) || accepted;

  if (L3XML_FUZZ_ASSERT_CONFINEMENT && !l3xml_fuzz::isPlainName(file)) {
    l3xml_fuzz::require(!accepted, "a name that leaves the framework was accepted", file);
  }
  l3xml_fuzz::checkUntouched();
  return 0;
}
