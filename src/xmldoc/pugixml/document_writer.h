// The bytes that saving a document writes.
#ifndef L3XML_XMLDOC_PUGIXML_DOCUMENT_WRITER_H
#define L3XML_XMLDOC_PUGIXML_DOCUMENT_WRITER_H

#include <string>

#include "xmldoc/pugixml/tree.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// The document as the service saves it: a line end after each top-level node, a line end and
// one TAB per level where whitespace stood, in the encoding the declaration names.
std::string serializeDocument(const Tree& tree);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_DOCUMENT_WRITER_H
