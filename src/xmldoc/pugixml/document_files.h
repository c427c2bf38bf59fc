// Reading and writing whole document files through the platform layer.
#ifndef L3XML_XMLDOC_PUGIXML_DOCUMENT_FILES_H
#define L3XML_XMLDOC_PUGIXML_DOCUMENT_FILES_H

#include <string>

#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

// The bytes of the file at path. kResourceNotFound when there is none, kAccessDenied for a
// folder or a file that may not be read, kFail when reading fails.
Status readWholeFile(const std::string& path, std::string& bytes);

// Writes bytes to path through a temporary file beside it, so that a failure at any step
// leaves the destination as it was and no temporary file behind. Negative on failure.
Status writeFileReplacing(const std::string& path, const std::string& bytes);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_DOCUMENT_FILES_H
