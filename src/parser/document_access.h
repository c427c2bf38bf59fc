// Creation of a parser document and the check of a load, shared by the parser's operations.
#ifndef L3XML_PARSER_DOCUMENT_ACCESS_H
#define L3XML_PARSER_DOCUMENT_ACCESS_H

#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace parser {

// Makes a document in *ppDoc unless it already holds one; initialises COM once more for it.
// 0, or the failing status with *ppDoc left empty and the failing call logged.
long createParserDocument(dom::IXMLDOMDocument** ppDoc);

// 0 when the document's last load parsed; otherwise its parse error code (reported), or E_FAIL
// when the parse-error object cannot be read.
long checkDocumentLoad(dom::IXMLDOMDocument* pDoc);

// Logs a parse error and returns its code, or E_FAIL when it cannot be read.
long reportParseErrorCode(dom::IXMLDOMParseError* pXMLError);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_DOCUMENT_ACCESS_H
