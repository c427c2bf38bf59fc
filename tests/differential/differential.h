// The differential test between the two XML backends: the canonical dump of loading the generated
// templates through the XML document interface (generate.py makes them, compare.py compares dumps).
#ifndef L3XML_TESTS_DIFFERENTIAL_DIFFERENTIAL_H
#define L3XML_TESTS_DIFFERENTIAL_DIFFERENTIAL_H

#include <string>

namespace l3xml_differential {

// The dump of every *.xml file of folder, in file name order. scratch is a file that saving
// may write and that is removed afterwards.
std::string dumpFolder(const std::string& folder, const std::string& scratch);

}  // namespace l3xml_differential

#endif  // L3XML_TESTS_DIFFERENTIAL_DIFFERENTIAL_H
