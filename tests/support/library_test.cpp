// The base fixtures of tests that call into the library.
#include "library_test.h"

#include <l3xml/l3xml.h>

#include "faulty_dom.h"
#include "platform/dynamic_library.h"
#include "platform/file_system.h"
#include "platform_expectations.h"
#include "state/module_state.h"
#include "xmldoc/document_factory.h"

namespace l3xml_test {

void resetLibraryState() {
  l3xml::state::resetModuleForTesting();
  l3xml::dom::setDocumentFactoryForTesting(nullptr);
  l3xml::platform::fileOperations() = l3xml::platform::systemFileOperations();
  l3xml::platform::libraryOperations() = l3xml::platform::systemLibraryOperations();
  faultPlan().clear();
}

void LibraryTest::SetUp() {
  resetLibraryState();
  clearRecordedLogs();
}

void LibraryTest::TearDown() { resetLibraryState(); }

std::vector<std::string> LibraryTest::messagesAt(int level) {
  std::vector<std::string> texts;
  for (const LogRecord& record : recordedLogs()) {
    if (record.level == level) texts.push_back(record.message);
  }
  return texts;
}

bool LibraryTest::logged(int level, const std::string& message) {
  for (const LogRecord& record : recordedLogs()) {
    if (record.level == level && record.message == message) return true;
  }
  return false;
}

void FrameworkTest::SetUp() {
  LibraryTest::SetUp();
  setFrameworkSourcepath_WCDMA(system.c_str());
  setFrameworkUserSourcepath_WCDMA(user.c_str());
  std::string work = system;
  SetXMLParserSourcePath_WCDMA(work.data());
}

std::string FrameworkTest::place(const std::string& relativePath, const std::string& content) {
  const std::string path = nativePath(system + "/" + relativePath);
  writeFile(path, content);
  return path;
}

void FrameworkTest::useFaultyDocuments() { l3xml::dom::setDocumentFactoryForTesting(&createFaultyDocument); }

}  // namespace l3xml_test
