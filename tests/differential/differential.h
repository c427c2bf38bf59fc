// The differential test between the two XML backends: generated templates, the canonical dump of
// loading them through the XML document interface, and the comparison of two dumps.
#ifndef L3XML_TESTS_DIFFERENTIAL_DIFFERENTIAL_H
#define L3XML_TESTS_DIFFERENTIAL_DIFFERENTIAL_H

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace l3xml_differential {

// The templates (file name, bytes): the same on every platform and every run.
std::vector<std::pair<std::string, std::string>> generateTemplates();

// The dump of every *.xml file of folder, in file name order. scratch is a file that saving
// may write and that is removed afterwards.
std::string dumpFolder(const std::string& folder, const std::string& scratch);

// text as a dump holds it: printable ASCII as it is, '\\' and '|' escaped, other characters
// of UTF-8 text as \u{hex}, and other bytes (all bytes beyond ASCII when utf8 is false) as
// \n, \r, \t or \xhh.
std::string escaped(const std::string& text, bool utf8);

// Compares the dumps of the two backends and reports on out; false when a difference is not
// one that an allowance rule explains.
bool compareDumps(const std::string& native, const std::string& windows, std::ostream& out);

}  // namespace l3xml_differential

#endif  // L3XML_TESTS_DIFFERENTIAL_DIFFERENTIAL_H
