// The outcome of the last load: the service's parse error object, or the backend's own record.
#include "xmldoc/msxml/com_text.h"
#include "xmldoc/msxml/dom_objects.h"

namespace l3xml {
namespace dom {
namespace msxml_backend {

namespace {

// A number of the service's parse error. The service answers "false" for an error code of 0 and
// (emulated) "not implemented" for the position: both are a value here, 0 for the position.
template <class Value>
Status readNumber(ServiceParseError* error, HRESULT (STDMETHODCALLTYPE ServiceParseError::*getter)(LONG*),
                  Value& value) {
  LONG read = 0;
  const HRESULT result = (error->*getter)(&read);
  value = static_cast<Value>(read);
  if (result == E_NOTIMPL) {
    value = 0;
    return kOk;
  }
  return FAILED(result) ? statusOf(result) : kOk;
}

// A text of the service's parse error; "false" (no text) reads as an empty text.
Status readText(ServiceParseError* error, HRESULT (STDMETHODCALLTYPE ServiceParseError::*getter)(BSTR*),
                std::string& text) {
  OwnedBstr value;
  const HRESULT result = (error->*getter)(value.out());
  text = narrow(value.get());
  return FAILED(result) ? statusOf(result) : kOk;
}

}  // namespace

Status ParseError::get_errorCode(Status& code) {
  if (outcome_) {
    code = outcome_->code;
    return kOk;
  }
  return readNumber(error_.Get(), &ServiceParseError::get_errorCode, code);
}

Status ParseError::get_line(long& line) {
  if (outcome_) {
    line = 0;
    return kOk;
  }
  return readNumber(error_.Get(), &ServiceParseError::get_line, line);
}

Status ParseError::get_linepos(long& position) {
  if (outcome_) {
    position = 0;
    return kOk;
  }
  return readNumber(error_.Get(), &ServiceParseError::get_linepos, position);
}

Status ParseError::get_url(std::string& url) {
  if (outcome_) {
    url = outcome_->url;
    return kOk;
  }
  const Status status = readText(error_.Get(), &ServiceParseError::get_url, url);
  if (failed(status) && status != statusOf(E_NOTIMPL)) return status;
  if (url.empty()) url = url_;
  return kOk;
}

Status ParseError::get_reason(std::string& reason) {
  if (outcome_) {
    reason = outcome_->reason;
    return kOk;
  }
  return readText(error_.Get(), &ServiceParseError::get_reason, reason);
}

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml
