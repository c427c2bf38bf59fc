// The document object: settings, loading from files and text, saving, the outcome of the last
// load, the root and node selection. Where the service does not behave as the library needs
// (a missing file, a query it cannot evaluate, a save that fails halfway), the backend decides
// before or after the call.
#include <new>

#include "platform/file_system.h"
#include "xmldoc/msxml/com_text.h"
#include "xmldoc/msxml/dom_objects.h"
#include "xmldoc/msxml/node_selection.h"

namespace l3xml {
namespace dom {
namespace msxml_backend {

namespace {

// Written beside the destination first, so that a failed save leaves the destination as it was.
constexpr const char* kSaveSuffix = ".l3xml-save";

}  // namespace

Status Document::put_async(bool async) { return statusOf(document_->put_async(variantBool(async))); }

Status Document::put_validateOnParse(bool validate) {
  return statusOf(document_->put_validateOnParse(variantBool(validate)));
}

Status Document::put_resolveExternals(bool resolve) {
  return statusOf(document_->put_resolveExternals(variantBool(resolve)));
}

Status Document::refuseLoad(LoadOutcome outcome) {
  // An empty text never parses: the service drops the previous tree.
  OwnedBstr empty;
  VARIANT_BOOL loaded = VARIANT_FALSE;
  if (!failed(makeBstr(std::string(), empty))) (void)document_->loadXML(empty.get(), &loaded);
  const Status code = outcome.code;
  refusedLoad_ = std::move(outcome);
  return code;
}

// The service answers a missing file or a folder with "loaded, did not parse" (status 1); the
// library needs a failing status for a file that cannot be read, so those are refused here.
Status Document::load(const std::string& path, bool& successful) {
  successful = false;
  refusedLoad_.reset();
  loadedUrl_ = path;
  if (!platform::pathExists(path)) {
    return refuseLoad({kResourceNotFound, path, "The system cannot locate the resource specified."});
  }
  if (platform::pathExists(path + platform::kSeparator) || !platform::canRead(path)) {
    return refuseLoad({kAccessDenied, path, "Access is denied."});
  }
  OwnedVariant source;
  const Status made = makePathVariant(path, source);
  if (failed(made)) return refuseLoad({made, path, "The path cannot be passed to the service."});
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const HRESULT result = document_->load(source.get(), &loaded);
  successful = result == S_OK && loaded == VARIANT_TRUE;
  return statusOf(result);
}

Status Document::loadXML(const std::string& xml, bool& successful) {
  successful = false;
  refusedLoad_.reset();
  loadedUrl_.clear();
  OwnedBstr text;
  const Status made = makeBstr(xml, text);
  if (failed(made)) return refuseLoad({made, std::string(), "The text cannot be passed to the service."});
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const HRESULT result = document_->loadXML(text.get(), &loaded);
  successful = result == S_OK && loaded == VARIANT_TRUE;
  return statusOf(result);
}

Status Document::save(const std::string& path) {
  if (platform::pathExists(path) && !platform::canWrite(path)) return kAccessDenied;
  const std::string temporary = platform::uniqueSibling(path, kSaveSuffix);
  (void)platform::removeFile(temporary);  // a link is removed, never followed
  OwnedVariant destination;
  const Status made = makePathVariant(temporary, destination);
  if (failed(made)) return made;
  const HRESULT result = document_->save(destination.get());
  if (FAILED(result)) {
    if (platform::pathExists(temporary)) platform::removeFile(temporary);
    return statusOf(result);
  }
  if (!platform::replaceFile(temporary, path)) {
    platform::removeFile(temporary);
    return kFail;
  }
  return kOk;
}

Status Document::get_parseError(ComPtr<IXMLDOMParseError>& error) {
  error.Reset();
  if (refusedLoad_) {
    error.Attach(new (std::nothrow) ParseError(*refusedLoad_));
    return error ? kOk : kOutOfMemory;
  }
  ComPtr<ServiceParseError> service;
  const HRESULT result = document_->get_parseError(service.GetAddressOf());
  if (FAILED(result)) return statusOf(result);
  if (!service) return kFail;
  error.Attach(new (std::nothrow) ParseError(std::move(service), loadedUrl_));
  return error ? kOk : kOutOfMemory;
}

Status Document::get_documentElement(ComPtr<IXMLDOMNode>& root) {
  root.Reset();
  ComPtr<ServiceElement> element;
  const HRESULT result = document_->get_documentElement(element.GetAddressOf());
  if (FAILED(result)) return statusOf(result);
  if (!element) return kFalse;
  root = wrapNode(element.Get());
  return root ? kOk : kOutOfMemory;
}

Status Document::selectNodes(const std::string& query, ComPtr<IXMLDOMNodeList>& nodes) {
  nodes.Reset();
  const std::optional<std::string> checked = serviceQuery(query);
  if (!checked) return kFail;
  OwnedBstr text;
  const Status made = makeBstr(*checked, text);
  if (failed(made)) return made;
  ComPtr<ServiceNodeList> list;
  const HRESULT result = document_->selectNodes(text.get(), list.GetAddressOf());
  if (FAILED(result)) return statusOf(result);
  if (!list) return kFail;
  nodes.Attach(new (std::nothrow) NodeList(std::move(list)));
  return nodes ? kOk : kOutOfMemory;
}

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml
