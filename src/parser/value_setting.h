// Writing values into the working copy of a template, by PIXIT placeholder, element name or
// dotted node path; the template that the lookup finds is only ever read.
#ifndef L3XML_PARSER_VALUE_SETTING_H
#define L3XML_PARSER_VALUE_SETTING_H

#include <optional>
#include <string>
#include <vector>

#include "state/module_state.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace parser {

// The two documents a write uses: the working copy and the one that parses value fragments.
struct WriteDocuments {
  dom::ComPtr<dom::IXMLDOMDocument>& document;
  dom::ComPtr<dom::IXMLDOMDocument>& fragment;
};

// The query that selects the nodes a placeholder or element name names: every element holding
// the placeholder as a text child, or every element of that qualified name.
std::string selectionQuery(const std::string& attribute);

// The position of the first byte of value that does not start a UTF-8 character XML 1.0 allows;
// none when the whole value is such text.
std::optional<std::size_t> firstNonXmlText(const std::string& value);

// Writes value at the nodes attribute selects in the working copy of fileName; true when done.
// With a matchIndex only the node at that position of the selection gets a new text, and the
// working copy is trimmed after its last '>'. A value that is not XML text is refused before
// anything is written; the work folder's lock is held throughout.
bool setValue(state::ModuleState& state, WriteDocuments documents, const std::string& fileName,
              const std::string& attribute, const std::string& value, std::optional<long> matchIndex);

// A value for the nodes a selector names.
struct ValueWrite {
  std::string attribute;
  std::string value;
};

// The writes of setValue (three-argument form) one after the other, with the outcome each would
// have on its own, but loading and saving the working copy once for all the writes that cannot
// fail halfway. A dotted path, or a selection holding a node that takes the value as an element,
// is written by setValue itself.
void setValues(state::ModuleState& state, WriteDocuments documents, const std::string& fileName,
               const std::vector<ValueWrite>& writes);

// Writes the value of every parameter indexed for fileName (pixit::writeIndexedParameters) with
// setValues: what isFileNamePresentinMultiMap writes, loading and saving the working copy once.
void setIndexedValues(state::ModuleState& state, WriteDocuments documents, const std::string& fileName);

// setValue (three-argument form) as a parser made for this one write does it: documents of its
// own, COM initialised for the thread while it lives.
bool setValueWithNewParser(state::ModuleState& state, const std::string& fileName, const std::string& attribute,
                           const std::string& value);

// Sets value in the one node that nodePath names in a loaded document and saves the document to
// savePath: 2 when set and saved, 0 otherwise.
long setValueAtPath(state::ModuleState& state, dom::IXMLDOMDocument* document, const std::vector<std::string>& nodePath,
                    const std::string& value, const std::string& savePath, dom::ComPtr<dom::IXMLDOMDocument>& fragment);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_VALUE_SETTING_H
