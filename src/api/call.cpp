// One call of the modern interface.
#include "api/call.h"

#include <algorithm>

#include "platform/com_runtime.h"

namespace l3xml {
namespace api {

paths::FrameworkFolders settingsOf(const Folders& folders) {
  paths::FrameworkFolders settings{folders.user, folders.system, folders.cell,
                                   folders.work.empty() ? folders.system : folders.work};
  settings.searchUnsetBases = false;  // the lookup never searches the file system's root
  return settings;
}

Call::Call(const Folders& folders) : observing_(*this) {
  platform::initializeCom();
  state_.settings = settingsOf(folders);
}

// The call's documents go before COM is shut down for the thread.
Call::~Call() {
  state_.associationDocument.Reset();
  platform::uninitializeCom();
}

void Call::setFile(const std::string& file) {
  file_ = file;
  line_ = 0;
  column_ = 0;
}

void Call::setPosition(long line, long column) {
  line_ = line;
  column_ = column;
}

void Call::setPosition(dom::IXMLDOMNode& node) {
  long line = 0;
  long column = 0;
  (void)node.get_sourcePosition(line, column);
  setPosition(line, column);
}

void Call::add(Severity severity, const char* code, const std::string& message) {
  diagnostics_.push_back(Diagnostic{severity, code, file_, line_, column_, message});
}

void Call::logged(logging::Level level, logging::Code code, std::string_view message) {
  if (level == logging::kError) {
    add(Severity::kError, code, std::string(message));
  } else if (level == logging::kWarning) {
    add(Severity::kWarning, code, std::string(message));
  }
}

Diagnostics Call::take() {
  bool explained = false;
  for (const Diagnostic& diagnostic : diagnostics_) {
    explained = explained || (diagnostic.severity == Severity::kError && diagnostic.code != codes::kLibrary);
  }
  if (explained) {
    for (Diagnostic& diagnostic : diagnostics_) {
      if (diagnostic.code == codes::kLibrary && diagnostic.severity == Severity::kError) {
        diagnostic.severity = Severity::kNote;
      }
    }
  }
  // A file has one parse error: the library's line that it failed to load repeats the one that
  // says where.
  for (Diagnostic& vague : diagnostics_) {
    const bool placed = std::any_of(diagnostics_.begin(), diagnostics_.end(), [&vague](const Diagnostic& other) {
      return other.code == codes::kMalformedXml && other.file == vague.file && other.line > 0;
    });
    if (vague.code == codes::kMalformedXml && vague.line == 0 && placed) vague.severity = Severity::kNote;
  }
  return std::move(diagnostics_);
}

Diagnostic parseErrorOf(dom::IXMLDOMDocument& document, const std::string& file) {
  Diagnostic diagnostic{Severity::kError, codes::kMalformedXml, file, 0, 0, "the file does not parse"};
  dom::ComPtr<dom::IXMLDOMParseError> error;
  if (dom::failed(document.get_parseError(error)) || !error) return diagnostic;
  std::string reason;
  (void)error->get_line(diagnostic.line);
  (void)error->get_linepos(diagnostic.column);
  if (!dom::failed(error->get_reason(reason)) && !reason.empty()) {
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
      reason.pop_back();
    }
    diagnostic.message = "not well-formed XML: " + reason;
  }
  return diagnostic;
}

}  // namespace api
}  // namespace l3xml
