// One call of the modern interface: state of its own, the diagnostics of what the library logs
// while it runs, COM for the thread, and no exception but bad_alloc leaving.
#ifndef L3XML_API_CALL_H
#define L3XML_API_CALL_H

#include <exception>
#include <new>
#include <optional>
#include <string>

#include <l3xml/framework.h>

#include "logging/logging.h"
#include "state/module_state.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace api {

class Call final : private logging::LogObserver {
 public:
  explicit Call(const Folders& folders);
  ~Call();
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;

  state::ModuleState& state() { return state_; }

  // The file that later diagnostics concern, and the place in it being worked on (0: unknown).
  void setFile(const std::string& file);
  void setPosition(long line, long column);
  // Takes the position of a node, where the backend knows it.
  void setPosition(dom::IXMLDOMNode& node);

  void add(Severity severity, const char* code, const std::string& message);
  void add(Diagnostic diagnostic) { diagnostics_.push_back(std::move(diagnostic)); }
  const Diagnostics& diagnostics() const { return diagnostics_; }
  bool failed() const { return hasErrors(diagnostics_); }
  // The diagnostics so far. A library failure reported after a specific error (a parse error,
  // a missing file) only repeats it: it becomes a note.
  Diagnostics take();

 private:
  void logged(logging::Level level, logging::Code code, std::string_view message) override;

  state::ModuleState state_;
  logging::ScopedLogObserver observing_;
  Diagnostics diagnostics_;
  std::string file_;
  long line_ = 0;
  long column_ = 0;
};

// Runs body(call) in a call over folders; body gives the value or nothing. An exception other
// than bad_alloc becomes an internal-error diagnostic.
template <class T, class Body>
Result<T> guarded(const Folders& folders, Body&& body) {
  Call call(folders);
  std::optional<T> value;
  try {
    value = body(call);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& failure) {
    call.add(Severity::kError, codes::kInternal, failure.what());
  }
  Diagnostics diagnostics = call.take();
  return value ? Result<T>(std::move(*value), std::move(diagnostics)) : Result<T>(std::move(diagnostics));
}

// The module-state settings of a framework's folders: the work folder defaults to the system one.
paths::FrameworkFolders settingsOf(const Folders& folders);

// The parse error of a document's last load as a diagnostic at its position.
Diagnostic parseErrorOf(dom::IXMLDOMDocument& document, const std::string& file);

}  // namespace api
}  // namespace l3xml

#endif  // L3XML_API_CALL_H
