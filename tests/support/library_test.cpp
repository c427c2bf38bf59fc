// The base fixture of tests that call into the library.
#include "library_test.h"

#include "paths/framework_paths.h"
#include "xmldoc/document_factory.h"

namespace l3xml_test {

void resetLibraryState() {
  l3xml::paths::resetSettingsForTesting();
  l3xml::dom::setDocumentFactoryForTesting(nullptr);
}

void LibraryTest::SetUp() {
  resetLibraryState();
  clearRecordedLogs();
}

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

}  // namespace l3xml_test
