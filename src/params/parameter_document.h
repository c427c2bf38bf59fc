// The XML document that parameter files are read into.
#ifndef L3XML_PARAMS_PARAMETER_DOCUMENT_H
#define L3XML_PARAMS_PARAMETER_DOCUMENT_H

#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace params {

// Makes a document for reading parameter files: loaded synchronously, unvalidated, without
// fetching external resources. Each failing step logs "Failed to parse parameter file"; a failing
// setting does not stop the others. status receives the result of the last step. Null when the
// document cannot be made.
dom::ComPtr<dom::IXMLDOMDocument> createParameterDocument(dom::Status& status);

}  // namespace params
}  // namespace l3xml

#endif  // L3XML_PARAMS_PARAMETER_DOCUMENT_H
