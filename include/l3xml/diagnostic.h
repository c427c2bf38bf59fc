// l3xml: what went wrong, where, and how badly: the diagnostics of the modern interface and of
// campaign checking, with their stable codes.
#ifndef L3XML_DIAGNOSTIC_H
#define L3XML_DIAGNOSTIC_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <l3xml/export.h>

namespace l3xml {

enum class Severity : int { kNote = 0, kWarning = 1, kError = 2 };

// One finding: a stable code, the file it concerns, a position (line and column from 1, 0 when
// unknown) and a message that says what and where.
struct Diagnostic {
  Severity severity = Severity::kError;
  std::string code;
  std::string file;
  long line = 0;
  long column = 0;
  std::string message;
};

using Diagnostics = std::vector<Diagnostic>;

// "error", "warning" or "note".
L3XML_API const char* severityName(Severity severity);
// True when one of the diagnostics is an error.
L3XML_API bool hasErrors(const Diagnostics& diagnostics);

// A value, or the failure to make one, with the diagnostics of the call either way. A call may
// give a value and errors too (a flattened line with an unresolved reference): ok() is false then.
template <class T>
class Result {
 public:
  Result() = default;
  Result(T value, Diagnostics diagnostics = {}) : value_(std::move(value)), diagnostics_(std::move(diagnostics)) {}
  explicit Result(Diagnostics diagnostics) : diagnostics_(std::move(diagnostics)) {}

  bool has_value() const { return value_.has_value(); }
  // A value and no error.
  bool ok() const { return value_.has_value() && !hasErrors(diagnostics_); }
  explicit operator bool() const { return ok(); }

  // Only when has_value().
  const T& value() const& { return *value_; }
  T& value() & { return *value_; }
  T&& value() && { return std::move(*value_); }
  const T* operator->() const { return &*value_; }
  T* operator->() { return &*value_; }
  const T& operator*() const& { return *value_; }

  const Diagnostics& diagnostics() const { return diagnostics_; }
  Diagnostics& diagnostics() { return diagnostics_; }

 private:
  std::optional<T> value_;
  Diagnostics diagnostics_;
};

// A code that campaign checking reports, with its default severity and what it means.
struct CodeDescription {
  const char* code;
  Severity severity;
  const char* summary;
};

// The codes of campaign checking, in the order of its rules.
L3XML_API const std::vector<CodeDescription>& checkingCodes();

// The stable codes. Each names one kind of problem; tools may rely on them.
namespace codes {
inline constexpr const char* kMalformedXml = "malformed-xml";        // a file does not parse
inline constexpr const char* kMissingFile = "missing-file";          // a file is not where it is looked for
inline constexpr const char* kMissingTemplate = "missing-template";  // a comment names a template that is nowhere
inline constexpr const char* kNoTarget = "no-target";                // a named template never uses the parameter
inline constexpr const char* kUnresolvedReference = "unresolved-reference";  // a px_ reference no parameter defines
inline constexpr const char* kUnknownType = "unknown-type";
inline constexpr const char* kBadEnum = "bad-enum";
inline constexpr const char* kBadBoolean = "bad-boolean";
inline constexpr const char* kOutOfRange = "out-of-range";
inline constexpr const char* kBadBinary = "bad-binary";
inline constexpr const char* kLineTooLong = "line-too-long";  // a flattened line over 4095 characters
inline constexpr const char* kTooDeep = "too-deep";           // nested deeper than the flattening accepts
inline constexpr const char* kAssociationUnbound = "association-unbound";
inline constexpr const char* kDuplicateParameter = "duplicate-parameter";
inline constexpr const char* kUnusedParameter = "unused-parameter";
inline constexpr const char* kAmbiguousPixit = "ambiguous-pixit";
inline constexpr const char* kShadowedTemplate = "shadowed-template";
inline constexpr const char* kNoFramework = "no-framework";  // neither base folder is set
inline constexpr const char* kBadSelector = "bad-selector";  // a selector that cannot be evaluated or selects nothing
inline constexpr const char* kWriteFailed = "write-failed";  // a working copy that could not be written
inline constexpr const char* kRefusedName = "refused-name";  // a file name that would lead out of its folder
inline constexpr const char* kBadValue = "bad-value";        // a value that is not XML 1.0 text in UTF-8
inline constexpr const char* kLibrary = "library";           // any other failure the library reports
inline constexpr const char* kInternal = "internal-error";   // a fault of the library itself
}  // namespace codes

}  // namespace l3xml

#endif  // L3XML_DIAGNOSTIC_H
