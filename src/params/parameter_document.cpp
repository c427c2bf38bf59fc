// The XML document that parameter files are read into.
#include "params/parameter_document.h"

#include "logging/logging.h"
#include "xmldoc/document_factory.h"

namespace l3xml {
namespace params {

namespace {
constexpr const char* kParseFailure = "Failed to parse parameter file";
}

dom::ComPtr<dom::IXMLDOMDocument> createParameterDocument(dom::Status& status) {
  dom::ComPtr<dom::IXMLDOMDocument> document;
  status = dom::createDocument(document);
  if (dom::failed(status) || !document) {
    logging::error({kParseFailure});
    return nullptr;
  }
  status = document->put_async(false);
  if (dom::failed(status)) logging::error({kParseFailure});
  status = document->put_validateOnParse(false);
  if (dom::failed(status)) logging::error({kParseFailure});
  status = document->put_resolveExternals(false);
  if (dom::failed(status)) logging::error({kParseFailure});
  return document;
}

}  // namespace params
}  // namespace l3xml
