// The document creation in use: the build's backend unless a test replaced it.
#include "xmldoc/document_factory.h"

namespace l3xml {
namespace dom {

namespace {
DocumentFactory factoryInUse = &createBackendDocument;
}

Status createDocument(ComPtr<IXMLDOMDocument>& document) {
  document.Reset();
  return factoryInUse(document);
}

DocumentFactory setDocumentFactoryForTesting(DocumentFactory factory) {
  DocumentFactory previous = factoryInUse;
  factoryInUse = factory != nullptr ? factory : &createBackendDocument;
  return previous;
}

}  // namespace dom
}  // namespace l3xml
