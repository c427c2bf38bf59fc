// Parsing a document into its tree and the outcome the service reports for it.
#ifndef L3XML_XMLDOC_PUGIXML_PARSE_OUTCOME_H
#define L3XML_XMLDOC_PUGIXML_PARSE_OUTCOME_H

#include <string>

#include "xmldoc/pugixml/tree.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// What the parse error object tells about the last load.
struct ParseErrorInfo {
  Status code = kOk;  // 0, a negative parse code, or the failure to read the file
  long line = 0;      // from 1; 0 when there is no position
  long linepos = 0;   // character in the line, from 1
  std::string url;
  std::string reason;
};

// Where the bytes come from: a file declares or marks its encoding, a text is UTF-8 already.
enum class TextSource { kFile, kString };

// Parses bytes into tree, replacing what it held, and keeps the parsed text for source
// positions. On failure the tree is left empty.
ParseErrorInfo parseDocument(Tree& tree, std::string bytes, TextSource source);

// Line and column (from 1, in characters) of an offset into the tree's parsed text; false when
// the offset lies outside it.
bool positionOf(Tree& tree, std::size_t offset, long& line, long& column);

// The service's explanation of a parse code or of a failure to read a file.
std::string reasonFor(Status code);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_PARSE_OUTCOME_H
