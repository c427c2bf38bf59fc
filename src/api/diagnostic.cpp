// The severities of diagnostics.
#include <l3xml/diagnostic.h>

namespace l3xml {

const char* severityName(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      break;
  }
  return "note";
}

bool hasErrors(const Diagnostics& diagnostics) {
  for (const Diagnostic& diagnostic : diagnostics) {
    if (diagnostic.severity == Severity::kError) return true;
  }
  return false;
}

const std::vector<CodeDescription>& checkingCodes() {
  static const std::vector<CodeDescription> rules = {
      {codes::kMalformedXml, Severity::kError,
       "a template, PIXIT, type or association file that does not parse (at the parse error)"},
      {codes::kMissingTemplate, Severity::kError,
       "a PIXIT comment names an .xml file that no search folder holds (an entry that names no .xml file is prose)"},
      {codes::kNoTarget, Severity::kError,
       "a PIXIT comment names a template in which nothing refers to the parameter (no placeholder, no association "
       "binding), so applying it writes nothing"},
      {codes::kUnresolvedReference, Severity::kError,
       "a template holds a px_ reference that no PIXIT parameter defines"},
      {codes::kUnknownType, Severity::kError, "a PIXIT parameter whose type the type file does not define"},
      {codes::kBadEnum, Severity::kError, "an Enum value that is not one of its type's enumerators"},
      {codes::kBadBoolean, Severity::kError, "a Boolean value the conversion does not accept"},
      {codes::kOutOfRange, Severity::kError,
       "an Integer or Double value outside its type's minimum and maximum, or not a number"},
      {codes::kBadBinary, Severity::kError,
       "a Binary value that is not a decimal number, or whose base-two form needs more digits than its type's width"},
      {codes::kLineTooLong, Severity::kError,
       "a template whose flattened line, with the campaign applied, is longer than 4095 characters"},
      {codes::kTooDeep, Severity::kError, "a template nested deeper than the flattening accepts"},
      {codes::kAssociationUnbound, Severity::kError, "an association entry whose template or node does not exist"},
      {codes::kDuplicateParameter, Severity::kWarning, "a PIXIT parameter defined twice (the first wins)"},
      {codes::kUnusedParameter, Severity::kWarning,
       "a PIXIT parameter that no comment, template or association entry uses"},
      {codes::kAmbiguousPixit, Severity::kError, "more than one PIXIT file at the framework root, and none chosen"},
      {codes::kShadowedTemplate, Severity::kWarning, "a template of the user folder hides one of the system folder"},
      {codes::kMissingFile, Severity::kError, "a file is not where it is looked for"},
  };
  return rules;
}

}  // namespace l3xml
