// Applying the association file: each PIXIT value written into the message files it is bound to.
#ifndef L3XML_PARAMS_ASSOCIATION_FILE_H
#define L3XML_PARAMS_ASSOCIATION_FILE_H

#include <cstddef>
#include <map>
#include <string>

#include <l3xml/l3xml.h>

#include "state/module_state.h"
#include "xmldoc/xml_dom.h"

// Reads the association file found by the lookup and, for every binding, makes the binding's
// cell current, converts the PIXIT value by the binding's type and writes it with SetVal.
// 0 when every entry was visited, 1 when the run stopped early. Works on the module's state.
long AssociationFileParse(const std::string& fileName, std::map<std::string, ParamStructure> typeList,
                          std::map<std::string, ParamStructure> pixitList);

namespace l3xml {
namespace params {

// The four binding values, carried from binding to binding for the whole run.
struct AssociationBinding {
  std::string nodeName;
  std::string typeName;
  std::string fileName;
  std::string cellName;
};

// Follows an association run: every binding element with the values it carries.
class AssociationObserver {
 public:
  // converted is what the binding writes (empty: nothing is written); written tells whether the
  // write was made and succeeded.
  virtual void binding(const std::string& parameter, const AssociationBinding& binding, const std::string& converted,
                       dom::IXMLDOMNode& element, bool written) = 0;

 protected:
  ~AssociationObserver() = default;
};

// The association run over state. With write unset the values are converted and the cells
// switched, but nothing is written.
long applyAssociationFile(state::ModuleState& state, const std::string& fileName,
                          const std::map<std::string, ParamStructure>& typeList,
                          const std::map<std::string, ParamStructure>& pixitList,
                          AssociationObserver* observer = nullptr, bool write = true);

// A decimal number written in base two, padded with "0" on the left to width; a number that needs
// more digits keeps its lowest width digits, and a number of 0 or less gives width zeros.
std::string binaryDigits(const std::string& decimal, std::size_t width);

}  // namespace params
}  // namespace l3xml

#endif  // L3XML_PARAMS_ASSOCIATION_FILE_H
