// Diagnostics as the checker prints them: one text line each, a JSON document, or a SARIF 2.1.0
// log that CI systems show beside the files.
#ifndef L3XML_CLI_DIAGNOSTIC_REPORT_H
#define L3XML_CLI_DIAGNOSTIC_REPORT_H

#include <string>
#include <vector>

#include <l3xml/diagnostic.h>
#include <nlohmann/json.hpp>

namespace l3xml_cli {

using Json = nlohmann::ordered_json;

// FILE:LINE:COLUMN: error|warning|note: MESSAGE [CODE], LINE and COLUMN 0 when unknown.
std::string diagnosticLine(const l3xml::Diagnostic& diagnostic);
// "N error(s), M warning(s)".
std::string problemCounts(int errors, int warnings);
Json diagnosticsJson(const l3xml::Diagnostics& diagnostics);
// {"diagnostics": [...], "errors": N, "warnings": N}
Json checkJson(const l3xml::Diagnostics& diagnostics);
// Relative files resolve against the framework folder (the uriBaseId FRAMEWORK).
Json sarifLog(const l3xml::Diagnostics& diagnostics, const std::string& frameworkFolder, const std::string& version);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_DIAGNOSTIC_REPORT_H
