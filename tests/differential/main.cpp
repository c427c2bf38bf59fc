// The differential test's program: dumps what the XML document interface makes of each template
// of a folder (generate.py makes them; compare.py compares two dumps).
//   l3xml_differential FOLDER OUTPUT
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "differential.h"
#include "platform/com_runtime.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: l3xml_differential FOLDER OUTPUT\n";
    return 2;
  }
  l3xml::platform::initializeCom();
  const std::string folder = std::filesystem::absolute(argv[1]).string();
  const std::string dump = l3xml_differential::dumpFolder(folder, std::string(argv[2]) + ".saved.xml");
  l3xml::platform::uninitializeCom();
  std::ofstream out(argv[2], std::ios::binary);
  return out << dump ? 0 : 1;
}
