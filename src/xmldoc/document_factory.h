// Creation of an empty document of the platform's XML service.
#ifndef L3XML_XMLDOC_DOCUMENT_FACTORY_H
#define L3XML_XMLDOC_DOCUMENT_FACTORY_H

#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {

// The service's document creation (CoCreateInstance of the document class, in-process).
Status createDocument(ComPtr<IXMLDOMDocument>& document);

// Replaces the document creation and returns the one in use before. Tests only.
using DocumentFactory = Status (*)(ComPtr<IXMLDOMDocument>& document);
DocumentFactory setDocumentFactoryForTesting(DocumentFactory factory);

// The backend of this build.
Status createBackendDocument(ComPtr<IXMLDOMDocument>& document);

}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_DOCUMENT_FACTORY_H
