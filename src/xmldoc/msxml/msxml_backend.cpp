// The document creation of the Windows backend: an in-process instance of the service's document.
#include <new>

#include "xmldoc/document_factory.h"
#include "xmldoc/msxml/dom_objects.h"

namespace l3xml {
namespace dom {

namespace {

// Spelled out: the toolkit headers give CLSID_DOMDocument the value of another class.
constexpr CLSID kDocumentClass = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kDocumentInterface = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

}  // namespace

// The caller has initialised COM on this thread; the service's failure status is passed on.
Status createBackendDocument(ComPtr<IXMLDOMDocument>& document) {
  document.Reset();
  ComPtr<msxml_backend::ServiceDocument> service;
  const HRESULT result = ::CoCreateInstance(kDocumentClass, nullptr, CLSCTX_INPROC_SERVER, kDocumentInterface,
                                            reinterpret_cast<void**>(service.GetAddressOf()));
  if (FAILED(result)) return msxml_backend::statusOf(result);
  if (!service) return kFail;
  document.Attach(new (std::nothrow) msxml_backend::Document(std::move(service)));
  return document ? kOk : kOutOfMemory;
}

}  // namespace dom
}  // namespace l3xml
