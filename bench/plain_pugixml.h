// The floor the library is measured against: the same document work written directly with
// pugixml, the way one would write it for these files without the library. Each function loads
// the file with the parse options the library's backend uses, walks or selects, changes and
// saves (through a temporary file and a rename) and gives the same result as the library's
// operation on the generated inputs (the benchmarks check that once before timing).
#ifndef L3XML_BENCH_PLAIN_PUGIXML_H
#define L3XML_BENCH_PLAIN_PUGIXML_H

#include <map>
#include <string>
#include <vector>

#include <l3xml/l3xml.h>

namespace l3xml_bench {
namespace plain {

using Parameters = std::map<std::string, ParamStructure>;

// The flattened line of the template at path, PIXIT references resolved from parameters;
// openBraces carries the SEQUENCE braces left open from call to call, as the library's does.
std::string flatten(const std::string& path, const Parameters& parameters, int& openBraces);

// The values of every element named name, or of the one at a dotted path.
std::vector<std::string> valuesByName(const std::string& path, const std::string& name, const Parameters& parameters);
std::vector<std::string> valuesByPath(const std::string& path, const std::string& dottedPath,
                                      const Parameters& parameters);

// Writes value into every element that holds the placeholder as a text child or that has the
// name, or into the one at a dotted path, records which element held a placeholder, and saves.
bool setValue(const std::string& path, const std::string& selector, const std::string& value,
              std::map<std::string, std::string>& placeholders);

// The PIXIT file and its type file read into the two lists, Boolean and Enum values converted.
bool readParameters(const std::string& pixitPath, const std::string& typePath, Parameters& pixit, Parameters& types);

// The type file alone.
bool readTypes(const std::string& path, Parameters& types);

// True when the two lists hold the same records.
bool sameParameters(const Parameters& a, const Parameters& b);

}  // namespace plain
}  // namespace l3xml_bench

#endif  // L3XML_BENCH_PLAIN_PUGIXML_H
