// Placeholder backend.
#include "xmldoc/document_factory.h"

namespace l3xml {
namespace dom {
Status createBackendDocument(ComPtr<IXMLDOMDocument>& document) {
  document.Reset();
  return kFail;
}
}  // namespace dom
}  // namespace l3xml
