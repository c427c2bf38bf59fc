// Reading a template: values by element name or dotted path, and the kind of message it holds.
#ifndef L3XML_PARSER_TEMPLATE_READING_H
#define L3XML_PARSER_TEMPLATE_READING_H

#include <string>
#include <vector>

#include "state/module_state.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace parser {

// The values of every element named path, or of the one element at the dotted path from the
// root, PIXIT references resolved; the template is loaded into document.
std::vector<std::string> readValues(state::ModuleState& state, dom::ComPtr<dom::IXMLDOMDocument>& document,
                                    const std::string& fileName, const std::string& path);

// Walks a loaded document along the components of a dotted path. The result is the value when
// the last component is found, the first component when the root does not match, and the last
// component looked for when that one is not found.
std::string valueAtPath(state::ModuleState& state, dom::IXMLDOMDocument* document,
                        const std::vector<std::string>& pathComponents);

// The local name of the template's root element; empty on failure.
std::string rootNameOf(state::ModuleState& state, dom::ComPtr<dom::IXMLDOMDocument>& document,
                       const std::string& fileName);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_TEMPLATE_READING_H
