// The XML document conformance suite: fixtures, helpers and the macro that runs it on a backend.
#ifndef L3XML_TESTS_XMLDOC_DOM_CONFORMANCE_H
#define L3XML_TESTS_XMLDOC_DOM_CONFORMANCE_H

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "xmldoc/document_factory.h"
#include "xmldoc/xml_dom.h"

namespace l3xml_test {

using l3xml::dom::ComPtr;
using l3xml::dom::DocumentFactory;
using l3xml::dom::IXMLDOMDocument;
using l3xml::dom::IXMLDOMNamedNodeMap;
using l3xml::dom::IXMLDOMNode;
using l3xml::dom::IXMLDOMNodeList;
using l3xml::dom::IXMLDOMParseError;
using l3xml::dom::Status;

// The service's line end in saved files.
inline std::string lineEnd() {
#if defined(_WIN32)
  return "\r\n";
#else
  return "\n";
#endif
}

// text with each "\n" written as the platform's line end.
inline std::string withLineEnds(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? lineEnd() : std::string(1, c);
  return out;
}

// A saved file as the suite compares it: byte for byte, or by its markup alone under the
// emulated service, whose save keeps no layout (see underEmulatedService).
std::string layoutOf(const std::string& saved);
// What saving a document laid out as text (with "\n" for the line end) writes, compared so.
inline std::string savedForm(const std::string& text) { return layoutOf(withLineEnds(text)); }

// What the parse error object tells about the last load.
struct ParseErrorReport {
  Status code;
  long line;
  long linepos;
  std::string url;
  std::string reason;
};

std::string nameOf(IXMLDOMNode* node);
// The base name; a node without one must say so with status 1.
std::string baseNameOf(IXMLDOMNode* node);
std::string textOf(IXMLDOMNode* node);
std::string valueOf(IXMLDOMNode* node);
long lengthOf(IXMLDOMNodeList* list);
// The node names of a list, in order.
std::vector<std::string> namesOf(IXMLDOMNodeList* list);
std::vector<std::string> textsOf(IXMLDOMNodeList* list);
ComPtr<IXMLDOMNodeList> childrenOf(IXMLDOMNode* node);
ComPtr<IXMLDOMNode> childOf(IXMLDOMNode* node, long index);
ComPtr<IXMLDOMNode> rootOf(IXMLDOMDocument* document);
ParseErrorReport lastErrorOf(IXMLDOMDocument* document);

// A fresh document of the backend under test, with the settings the library uses.
class DomTestBase {
 protected:
  explicit DomTestBase(DocumentFactory factory) : factory_(factory) {}

  ComPtr<IXMLDOMDocument> newDocument();
  // A document loaded from text or from a file; the test fails when it does not load.
  ComPtr<IXMLDOMDocument> parse(const std::string& xml);
  ComPtr<IXMLDOMDocument> loadFile(const std::string& path);
  // The nodes a query selects; the test fails when the query is refused.
  ComPtr<IXMLDOMNodeList> select(IXMLDOMDocument* document, const std::string& query);
  ComPtr<IXMLDOMNode> selectOne(IXMLDOMDocument* document, const std::string& query);

 private:
  DocumentFactory factory_;
};

class XmlDomTest : public ::testing::TestWithParam<DocumentFactory>, public DomTestBase {
 protected:
  XmlDomTest() : DomTestBase(GetParam()) {}
};

// A table-driven suite: each row runs against the backend.
template <class Row>
class XmlDomTableTest : public ::testing::TestWithParam<std::tuple<DocumentFactory, Row>>, public DomTestBase {
 protected:
  XmlDomTableTest() : DomTestBase(std::get<0>(this->GetParam())) {}
  const Row& row() const { return std::get<1>(this->GetParam()); }
};

template <class Row>
std::string rowName(const ::testing::TestParamInfo<std::tuple<DocumentFactory, Row>>& info) {
  return std::get<1>(info.param).name;
}

// The text of the root element of xml.
struct TextRow {
  const char* name;
  std::string xml;
  std::string text;
};
// A file and the code its load fails with; 0 stands for any code of the service's parse range.
struct ParseFailureRow {
  const char* name;
  std::string content;
  Status code;
};
// A file and the bytes that saving it writes (with "\n" for the line end).
struct SaveRow {
  const char* name;
  std::string content;
  std::string saved;
};

inline void PrintTo(const TextRow& row, std::ostream* out) { *out << ::testing::PrintToString(row.xml); }
inline void PrintTo(const ParseFailureRow& row, std::ostream* out) { *out << ::testing::PrintToString(row.content); }
inline void PrintTo(const SaveRow& row, std::ostream* out) { *out << ::testing::PrintToString(row.content); }

using XmlDomTextTest = XmlDomTableTest<TextRow>;
using XmlDomParseFailureTest = XmlDomTableTest<ParseFailureRow>;
using XmlDomSaveTest = XmlDomTableTest<SaveRow>;

const std::vector<TextRow>& textRows();
const std::vector<ParseFailureRow>& parseFailureRows();
const std::vector<SaveRow>& saveRows();

}  // namespace l3xml_test

// Runs the whole conformance suite against the documents that factory makes.
#define L3XML_INSTANTIATE_DOM_CONFORMANCE(Backend, factory)                                                         \
  INSTANTIATE_TEST_SUITE_P(Backend, XmlDomTest, ::testing::Values(factory));                                        \
  INSTANTIATE_TEST_SUITE_P(Backend, XmlDomTextTest,                                                                 \
                           ::testing::Combine(::testing::Values(factory), ::testing::ValuesIn(textRows())),         \
                           rowName<TextRow>);                                                                       \
  INSTANTIATE_TEST_SUITE_P(Backend, XmlDomParseFailureTest,                                                         \
                           ::testing::Combine(::testing::Values(factory), ::testing::ValuesIn(parseFailureRows())), \
                           rowName<ParseFailureRow>);                                                               \
  INSTANTIATE_TEST_SUITE_P(Backend, XmlDomSaveTest,                                                                 \
                           ::testing::Combine(::testing::Values(factory), ::testing::ValuesIn(saveRows())),         \
                           rowName<SaveRow>)

#endif  // L3XML_TESTS_XMLDOC_DOM_CONFORMANCE_H
