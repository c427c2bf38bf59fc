// The module-wide PIXIT bookkeeping: which node held which PIXIT placeholder, the registered
// parameter list, and which message files use which parameter.
#ifndef L3XML_PIXIT_PIXIT_MAPS_H
#define L3XML_PIXIT_PIXIT_MAPS_H

#include <map>
#include <string>
#include <vector>

#include <l3xml/l3xml.h>

namespace l3xml {

// Node name -> the PIXIT parameter name its text held; the first record of a name stays.
extern std::map<std::string, std::string> nodeNamePixitParameterMap;
// The host's registered parameter list; null until registered. Not owned.
extern std::map<std::string, ParamStructure>* parserParamList;
// Message file name -> PIXIT parameter name, equal keys in insertion order.
extern std::multimap<std::string, std::string> pixitFileMultiMap;

namespace pixit {

inline constexpr long kNotFound = -1000;

// True when text starts with the PIXIT placeholder prefix "px_".
bool hasPixitPrefix(const std::string& text);

// Records that nodeName held parameterName, unless nodeName is already recorded.
void recordNodeParameter(const std::string& nodeName, const std::string& parameterName);

// Sets value to the registered value of paramName and returns 0, or logs and returns kNotFound
// leaving value as it was.
long lookUpPixitValue(const std::string& paramName, std::string& value);

// The pieces of a comment's file list that name message files: the list is cut at every
// backslash and comma, and the pieces that contain "xml" are kept, in order.
std::vector<std::string> messageFilesOf(const std::string& fileList);

// Empties the maps and forgets the registered list. Tests only.
void resetForTesting();

}  // namespace pixit
}  // namespace l3xml

#endif  // L3XML_PIXIT_PIXIT_MAPS_H
