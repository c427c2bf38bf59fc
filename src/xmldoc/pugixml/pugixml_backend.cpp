// The document creation of the pugixml backend.
#include <new>

#include "xmldoc/document_factory.h"
#include "xmldoc/pugixml/dom_objects.h"

namespace l3xml {
namespace dom {

Status createBackendDocument(ComPtr<IXMLDOMDocument>& document) {
  document.Reset();
  try {
    document.Attach(new pugixml_backend::Document());
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  return kOk;
}

}  // namespace dom
}  // namespace l3xml
