// The character-level rules that pugixml leaves to its caller: which characters names, text and
// markup may hold, and references, which pugixml is told to leave as written so that broken
// ones can be told from the characters they stand for.
#ifndef L3XML_XMLDOC_PUGIXML_CONTENT_CHECKS_H
#define L3XML_XMLDOC_PUGIXML_CONTENT_CHECKS_H

#include <cstddef>
#include <optional>
#include <string_view>

#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// Where a value stands, which decides what it may hold.
enum class Content { kText, kAttribute, kCdata, kComment, kInstruction };

// A broken rule: the service's code, and the index in the value (as it was) where it is.
struct ContentFault {
  Status code;
  std::size_t at;
};

// Checks the characters of value, a text of the parsed buffer, in one pass. In text and
// attribute values each reference is replaced by its character in place (never longer);
// references to entities that the internal subset declares stay as written.
std::optional<ContentFault> checkContent(char* value, Content content, std::string_view subset);

// kOk for an XML name with at most one colon, neither first nor last; the service's code otherwise.
Status nameFault(const char* name);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_CONTENT_CHECKS_H
