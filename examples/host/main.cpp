// A host of the library: flattens one message template of a framework folder.
#include <l3xml/l3xml.h>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: host FRAMEWORK_DIR TEMPLATE\n";
    return 2;
  }
  setFrameworkSourcepath_WCDMA(argv[1]);  // where RRCMessage/, NASMessage/... live
  SetXMLParserSourcePath_WCDMA(argv[1]);  // where working copies go
  CXMLParser parser;
  const std::string line = parser.ParseXML(argv[2]);  // empty when the template cannot be read
  std::cout << line << '\n';
  return line.empty() ? 1 : 0;
}
