// The PIXIT bookkeeping: which node held which PIXIT placeholder, the registered parameter list,
// and which message files use which parameter.
#ifndef L3XML_PIXIT_PIXIT_MAPS_H
#define L3XML_PIXIT_PIXIT_MAPS_H

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <l3xml/l3xml.h>

#include "state/module_state.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace pixit {

inline constexpr long kNotFound = -1000;

// True when text starts with the PIXIT placeholder prefix "px_".
bool hasPixitPrefix(const std::string& text);

// A text that stands for a PIXIT value: the prefix and no space.
bool isPixitReference(const std::string& text);

// Whether the node's text, cut to its first limit characters, is a PIXIT reference; text is that
// cut text when it is. Asks the document only as much as the answer needs.
bool readsAsPixitReference(dom::IXMLDOMNode& node, std::size_t limit, std::string& text);

// Records that nodeName held parameterName, unless nodeName is already recorded.
void recordNodeParameter(state::ModuleState& state, const std::string& nodeName, const std::string& parameterName);

// Sets value to the registered value of paramName and returns 0, or logs and returns kNotFound
// leaving value as it was.
long lookUpPixitValue(state::ModuleState& state, const std::string& paramName, std::string& value);

// The pieces of a comment's file list that name message files: the list is cut at every
// backslash and comma, and the pieces that contain "xml" are kept, in order.
std::vector<std::string> messageFilesOf(const std::string& fileList);

// Message file -> every "px_" parameter whose comment names it, in name order, once for each
// time the comment names it.
using ParameterFiles = std::multimap<std::string, std::string>;
ParameterFiles parameterFiles(const std::map<std::string, ParamStructure>& list);

// Keeps the list by pointer, empties both maps and indexes every "px_" parameter by the
// message files its comment names.
void registerParameterList(state::ModuleState& state, std::map<std::string, ParamStructure>* list);

// As registerParameterList, with only the parameters that name fileName indexed: all that
// writeIndexedParameters needs for that file, without the cost of indexing every file. With
// files (the list's parameterFiles), the entries are taken from there.
void registerParameterListFor(state::ModuleState& state, std::map<std::string, ParamStructure>* list,
                              const std::string& fileName, const ParameterFiles* files = nullptr);

// Writes the value of every parameter indexed for fileName with setValue(parameter, value), in
// index order; a parameter that left the registered list is skipped. kNotFound when none is
// indexed or when fileName would lead out of the framework (an error says so), else 0.
long writeIndexedParameters(state::ModuleState& state, const std::string& fileName,
                            const std::function<void(const std::string&, const std::string&)>& setValue);

}  // namespace pixit
}  // namespace l3xml

#endif  // L3XML_PIXIT_PIXIT_MAPS_H
