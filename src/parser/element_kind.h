// What the flattening makes of an element, decided on its name as written.
#ifndef L3XML_PARSER_ELEMENT_KIND_H
#define L3XML_PARSER_ELEMENT_KIND_H

#include <string_view>

namespace l3xml {
namespace parser {

enum class ElementKind { kChoice, kOptional, kSequence, kOther };

// Tested in this order on the name as the service reports it, prefix included: "c" and a decimal
// digit is a choice, "opt" an optional part, "SEQUENCE" an item of a run.
inline ElementKind kindOf(std::string_view name) {
  if (name.size() >= 2 && name[0] == 'c' && name[1] >= '0' && name[1] <= '9') return ElementKind::kChoice;
  if (name.substr(0, 3) == "opt") return ElementKind::kOptional;
  if (name.substr(0, 8) == "SEQUENCE") return ElementKind::kSequence;
  return ElementKind::kOther;
}

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_ELEMENT_KIND_H
