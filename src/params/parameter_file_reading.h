// Reading PIXIT, type-definition and synchronisation files into a reader's lists.
#ifndef L3XML_PARAMS_PARAMETER_FILE_READING_H
#define L3XML_PARAMS_PARAMETER_FILE_READING_H

#include <map>
#include <string>

#include <l3xml/l3xml.h>

#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace params {

// Follows the reading of a PIXIT or type file: every entry element with the record made of it.
class EntryObserver {
 public:
  // stored is false when the record was dropped: its name was already stored, or a type
  // element's "Basetype" is none of the known ones.
  virtual void entry(const ParamStructure& record, bool stored, dom::IXMLDOMNode& element) = 0;

 protected:
  ~EntryObserver() = default;
};

// Adds the entries of the file (a path, used as given) to the reader's lists; false when the
// name is empty or the file cannot be loaded.
bool readParameterEntries(ParameterFileReader& reader, std::string& fileName, File kind, EntryObserver* observer);

// The list the reader has read, moved out of it: what getparamList copies.
std::map<std::string, ParamStructure> takeEntries(ParameterFileReader& reader);

}  // namespace params
}  // namespace l3xml

#endif  // L3XML_PARAMS_PARAMETER_FILE_READING_H
