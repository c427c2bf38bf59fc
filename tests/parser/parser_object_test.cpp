// The parser object's life and its document access: COM start-up, copies sharing documents,
// document creation failures, loads and parse-error reports.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "faulty_dom.h"
#include "library_test.h"
#include "platform/com_runtime.h"
#include "platform_expectations.h"
#include "private_members.h"

namespace l3xml_test {
namespace {

using l3xml::dom::ComPtr;
using l3xml::dom::IXMLDOMDocument;
using l3xml::platform::comInitializationCount;

class ParserObjectTest : public FrameworkTest {};

TEST_F(ParserObjectTest, ConstructionInitialisesComOnceAndDestructionUndoesIt) {
  const int before = comInitializationCount();
  {
    CXMLParser parser;
    EXPECT_EQ(comInitializationCount(), before + 1);
    CXMLParser copy(parser);  // copies do not initialise
    EXPECT_EQ(comInitializationCount(), before + 1);
  }
  EXPECT_EQ(comInitializationCount(), before - 1);
}

struct CreationFailure {
  const char* operation;
  l3xml::dom::Status status;
  const char* message;
};

class DocumentCreationTest : public ParserObjectTest, public ::testing::WithParamInterface<CreationFailure> {};

TEST_P(DocumentCreationTest, FailingStepIsLoggedWithItsStatusAndLeavesNoDocument) {
  useFaultyDocuments();
  faultPlan().fail(GetParam().operation, 1, GetParam().status);
  CXMLParser parser;
  ComPtr<IXMLDOMDocument> document;
  EXPECT_EQ(call<DomFromCom>(parser, document.GetAddressOf()), GetParam().status);
  EXPECT_FALSE(document);
  EXPECT_EQ(logs(), (std::vector<LogRecord>{{kError, GetParam().message}}));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DocumentCreationTest,
    ::testing::Values(CreationFailure{"create", l3xml::dom::kFail, "CoCreateInstance failed, HR = -2147467259"},
                      CreationFailure{"put_async", l3xml::dom::kInvalidArg, "put_async failed, HR = -2147024809"},
                      CreationFailure{"put_validateOnParse", l3xml::dom::kFalse, "put_validateOnParse failed, HR = 1"},
                      CreationFailure{"put_resolveExternals", l3xml::dom::kFail,
                                      "put_resolveExternals failed, HR = -2147467259"}));

TEST_F(ParserObjectTest, LoadAndCheckTellMissingFromMalformedFiles) {
  const std::string malformed = place("bad.xml", "<a><b></a>");
  CXMLParser parser;
  ComPtr<IXMLDOMDocument>& document = member<XmlDom>(parser);
  ASSERT_EQ(call<DomFromCom>(parser, document.GetAddressOf()), 0);

  EXPECT_LT(call<LoadXmlToDom>(parser, (system + "/absent.xml").c_str(), document.Get()), 0);
  EXPECT_TRUE(logs().empty());

  EXPECT_GE(call<LoadXmlToDom>(parser, malformed.c_str(), document.Get()), 0);
  EXPECT_LT(call<CheckLoad>(parser, document.Get()), 0);
  EXPECT_EQ(logs(), (std::vector<LogRecord>{{kError, "ReportError:Failed to load DOM from given xml"}}));

  clearLogs();
  const std::string good = place("good.xml", "<a/>");
  EXPECT_EQ(call<LoadXmlToDom>(parser, good.c_str(), document.Get()), 0);
  EXPECT_EQ(call<CheckLoad>(parser, document.Get()), 0);
  EXPECT_TRUE(logs().empty());
}

TEST_F(ParserObjectTest, UnreadableParseErrorIsReported) {
  useFaultyDocuments();
  const std::string malformed = place("bad.xml", "<a>");
  CXMLParser parser;
  ComPtr<IXMLDOMDocument>& document = member<XmlDom>(parser);
  ASSERT_EQ(call<DomFromCom>(parser, document.GetAddressOf()), 0);
  call<LoadXmlToDom>(parser, malformed.c_str(), document.Get());
  ComPtr<l3xml::dom::IXMLDOMParseError> error;
  l3xml::dom::Status code = 0;
  ASSERT_EQ(document->get_parseError(error), 0);
  ASSERT_EQ(error->get_errorCode(code), 0);
  // The emulated service gives one code for every parse error.
  if (!underEmulatedService()) {
    EXPECT_EQ(code, l3xml::dom::kParseUnclosedAtEnd);
  }

  faultPlan().fail("get_url", 1);
  EXPECT_EQ(call<CheckLoad>(parser, document.Get()), static_cast<long>(code));
  EXPECT_EQ(messagesAt(kError), (std::vector<std::string>{"ReportError:Failed to get Error Code"}));

  faultPlan().fail("get_line", 2);
  document->get_parseError(error);
  EXPECT_EQ(call<ReportError>(parser, error.Get()), static_cast<long>(l3xml::dom::kFail));

  faultPlan().fail("get_parseError", 0);
  EXPECT_EQ(call<CheckLoad>(parser, document.Get()), static_cast<long>(l3xml::dom::kFail));
}

}  // namespace
}  // namespace l3xml_test
