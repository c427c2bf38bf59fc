// Creation, loading and parse-error reporting of the parser's XML documents.
#include "parser/document_access.h"

#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "platform/com_runtime.h"
#include "xmldoc/document_factory.h"

namespace dom = l3xml::dom;
namespace logging = l3xml::logging;

namespace l3xml {
namespace parser {

long createParserDocument(dom::IXMLDOMDocument** ppDoc) {
  if (ppDoc == nullptr) return dom::kPointer;
  if (*ppDoc != nullptr) return 0;
  platform::initializeCom();

  // Each step counts as failed on any status but 0; the first failure ends the creation.
  dom::ComPtr<dom::IXMLDOMDocument> document;
  dom::Status status = dom::createDocument(document);
  const char* failedCall = "CoCreateInstance failed, HR = %d";
  if (status == 0 && !document) status = dom::kPointer;
  if (status == 0) {
    failedCall = "put_async failed, HR = %d";
    status = document->put_async(false);
  }
  if (status == 0) {
    failedCall = "put_validateOnParse failed, HR = %d";
    status = document->put_validateOnParse(false);
  }
  if (status == 0) {
    failedCall = "put_resolveExternals failed, HR = %d";
    status = document->put_resolveExternals(false);
  }
  if (status != 0) {
    logging::logFormatted(logging::kError, failedCall, static_cast<int>(status));
    return status;  // the document, if one was made, is released here
  }
  *ppDoc = document.Detach();
  return 0;
}

long checkDocumentLoad(dom::IXMLDOMDocument* pDoc) {
  if (pDoc == nullptr) return dom::kFail;
  dom::ComPtr<dom::IXMLDOMParseError> parseError;
  if (dom::failed(pDoc->get_parseError(parseError)) || !parseError) return dom::kFail;
  dom::Status code = 0;
  if (dom::failed(parseError->get_errorCode(code))) return dom::kFail;
  if (code == 0) return 0;
  (void)reportParseErrorCode(parseError.Get());
  return code;
}

// Reads line, position, code, URL and reason in this order; a failing read ends the reading.
long reportParseErrorCode(dom::IXMLDOMParseError* pXMLError) {
  dom::Status code = dom::kFail;
  long line = 0;
  long position = 0;
  dom::Status readCode = 0;
  std::string url;
  std::string reason;
  bool complete = pXMLError != nullptr;
  complete = complete && !dom::failed(pXMLError->get_line(line));
  complete = complete && !dom::failed(pXMLError->get_linepos(position));
  complete = complete && !dom::failed(pXMLError->get_errorCode(readCode));
  if (complete) code = readCode;
  complete = complete && !dom::failed(pXMLError->get_url(url));
  complete = complete && !dom::failed(pXMLError->get_reason(reason));
  logging::error({complete ? "ReportError:Failed to load DOM from given xml" : "ReportError:Failed to get Error Code"});
  return code;
}

}  // namespace parser
}  // namespace l3xml

long CXMLParser::DomFromCOM(l3xml::dom::IXMLDOMDocument** ppDoc) { return l3xml::parser::createParserDocument(ppDoc); }

// The document loaded is always pXMLDom: every caller passes it as pDoc.
long CXMLParser::LoadXmlToDom(const char* fileName, l3xml::dom::IXMLDOMDocument* /*pDoc*/) {
  if (!pXMLDom || fileName == nullptr) return dom::kPointer;
  bool successful = false;
  return pXMLDom->load(fileName, successful);
}

long CXMLParser::CheckLoad(l3xml::dom::IXMLDOMDocument* pDoc) { return l3xml::parser::checkDocumentLoad(pDoc); }

long CXMLParser::ReportError(l3xml::dom::IXMLDOMParseError* pXMLError) {
  return l3xml::parser::reportParseErrorCode(pXMLError);
}

void CXMLParser::ReportParseError(l3xml::dom::IXMLDOMDocument* pDoc, char* errorText) {
  std::string reason;
  bool haveReason = false;
  if (pDoc != nullptr) {
    dom::ComPtr<dom::IXMLDOMParseError> parseError;
    if (!dom::failed(pDoc->get_parseError(parseError)) && parseError) {
      haveReason = !dom::failed(parseError->get_reason(reason));
    }
  }
  // A reason that cannot be read is formatted as a null string.
  logging::logFormatted(logging::kError, "\nReportParseError: XMLPARSER ERROR: %s \t REASON:%s \n  ",
                        errorText != nullptr ? errorText : "(null)", haveReason ? reason.c_str() : "(null)");
}
