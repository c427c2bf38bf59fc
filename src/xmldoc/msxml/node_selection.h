// The node selections handed to the service: only the two forms the library makes.
#ifndef L3XML_XMLDOC_MSXML_NODE_SELECTION_H
#define L3XML_XMLDOC_MSXML_NODE_SELECTION_H

#include <optional>
#include <string>

namespace l3xml {
namespace dom {
namespace msxml_backend {

// The query rewritten in one canonical spelling for the service; nothing when it is not one of
// the two forms, so that the service never sees a query it might not survive.
std::optional<std::string> serviceQuery(const std::string& query);

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_MSXML_NODE_SELECTION_H
