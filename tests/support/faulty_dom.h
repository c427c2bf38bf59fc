// XML documents whose operations fail on demand: the backend's documents wrapped so that the
// N-th call of a named operation returns a failing status, for tests of every failure branch.
#ifndef L3XML_TESTS_FAULTY_DOM_H
#define L3XML_TESTS_FAULTY_DOM_H

#include <map>
#include <string>

#include "xmldoc/xml_dom.h"

namespace l3xml_test {

class FaultPlan {
 public:
  // The occurrence-th call (counting from 1) of operation fails with status; 0 fails every call.
  void fail(const std::string& operation, int occurrence = 0, l3xml::dom::Status status = l3xml::dom::kFail);
  // Counts the call and tells whether it fails, with which status.
  bool failsNow(const std::string& operation, l3xml::dom::Status& status);
  int calls(const std::string& operation) const;
  void clear();

 private:
  struct Fault {
    int occurrence;
    l3xml::dom::Status status;
  };
  std::multimap<std::string, Fault> faults_;
  std::map<std::string, int> calls_;
};

// The plan that documents made by createFaultyDocument consult.
FaultPlan& faultPlan();

// A document factory: the backend's document, wrapped. Install it with
// l3xml::dom::setDocumentFactoryForTesting(&createFaultyDocument).
l3xml::dom::Status createFaultyDocument(l3xml::dom::ComPtr<l3xml::dom::IXMLDOMDocument>& document);

}  // namespace l3xml_test

#endif  // L3XML_TESTS_FAULTY_DOM_H
