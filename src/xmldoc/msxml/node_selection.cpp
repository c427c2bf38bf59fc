// Node selection: queries checked against the library's grammar before the service sees them.
#include "xmldoc/msxml/node_selection.h"

#include "xmldoc/node_query.h"

namespace l3xml {
namespace dom {
namespace msxml_backend {

std::optional<std::string> serviceQuery(const std::string& query) {
  const std::optional<NodeQuery> parsed = readNodeQuery(query);
  if (!parsed) return std::nullopt;
  std::string rewritten = "//" + parsed->name;
  if (parsed->text) {
    // The literal holds no quote of the kind it was written with; quote it with one it lacks.
    const char quote = parsed->text->find('\'') == std::string::npos ? '\'' : '"';
    rewritten += "[text() = ";
    rewritten += quote;
    rewritten += *parsed->text;
    rewritten += quote;
    rewritten += ']';
  }
  return rewritten;
}

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml
