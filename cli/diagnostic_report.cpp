// Text, JSON and SARIF forms of diagnostics.
#include "diagnostic_report.h"

#include <cctype>
#include <cstdio>

namespace l3xml_cli {

using l3xml::Severity;

std::string problemCounts(int errors, int warnings) {
  return std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") + std::to_string(warnings) +
         (warnings == 1 ? " warning" : " warnings");
}

std::string diagnosticLine(const l3xml::Diagnostic& diagnostic) {
  return (diagnostic.file.empty() ? std::string(".") : diagnostic.file) + ":" + std::to_string(diagnostic.line) + ":" +
         std::to_string(diagnostic.column) + ": " + l3xml::severityName(diagnostic.severity) + ": " +
         diagnostic.message + " [" + diagnostic.code + "]";
}

Json diagnosticsJson(const l3xml::Diagnostics& diagnostics) {
  Json list = Json::array();
  for (const l3xml::Diagnostic& diagnostic : diagnostics) {
    list.push_back({{"severity", l3xml::severityName(diagnostic.severity)},
                    {"code", diagnostic.code},
                    {"file", diagnostic.file},
                    {"line", diagnostic.line},
                    {"column", diagnostic.column},
                    {"message", diagnostic.message}});
  }
  return list;
}

Json checkJson(const l3xml::Diagnostics& diagnostics) {
  int errors = 0;
  int warnings = 0;
  for (const l3xml::Diagnostic& diagnostic : diagnostics) {
    errors += diagnostic.severity == Severity::kError ? 1 : 0;
    warnings += diagnostic.severity == Severity::kWarning ? 1 : 0;
  }
  return Json{{"diagnostics", diagnosticsJson(diagnostics)}, {"errors", errors}, {"warnings", warnings}};
}

namespace {

// A path as a URI reference: '/' separators, and every byte but the unreserved ones escaped.
std::string uriOf(std::string path) {
  for (char& c : path) c = c == '\\' ? '/' : c;
  std::string uri;
  for (unsigned char c : path) {
    if (std::isalnum(c) || std::string("-._~/").find(static_cast<char>(c)) != std::string::npos) {
      uri += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      uri += escaped;
    }
  }
  return uri;
}

bool isAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
         (path.size() > 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':');
}

std::string fileUri(const std::string& absolute) {
  const std::string uri = uriOf(absolute);
  return uri[0] == '/' ? "file://" + uri : "file:///" + uri;
}

const char* sarifLevel(Severity severity) {
  return severity == Severity::kError ? "error" : severity == Severity::kWarning ? "warning" : "note";
}

}  // namespace

Json sarifLog(const l3xml::Diagnostics& diagnostics, const std::string& frameworkFolder, const std::string& version) {
  Json rules = Json::array();
  std::vector<std::string> ids;
  auto ruleIndex = [&](const std::string& code) {
    for (std::size_t i = 0; i < ids.size(); ++i) {
      if (ids[i] == code) return i;
    }
    ids.push_back(code);
    rules.push_back({{"id", code}, {"shortDescription", {{"text", code}}}});
    return ids.size() - 1;
  };
  for (const l3xml::CodeDescription& rule : l3xml::checkingCodes()) {
    ids.push_back(rule.code);
    rules.push_back({{"id", rule.code},
                     {"shortDescription", {{"text", rule.summary}}},
                     {"defaultConfiguration", {{"level", sarifLevel(rule.severity)}}}});
  }

  Json results = Json::array();
  for (const l3xml::Diagnostic& diagnostic : diagnostics) {
    Json result{{"ruleId", diagnostic.code},
                {"ruleIndex", ruleIndex(diagnostic.code)},
                {"level", sarifLevel(diagnostic.severity)},
                {"message", {{"text", diagnostic.message}}}};
    if (!diagnostic.file.empty() && diagnostic.file != "-") {
      Json artifact = isAbsolute(diagnostic.file) ? Json{{"uri", fileUri(diagnostic.file)}}
                                                  : Json{{"uri", uriOf(diagnostic.file)}, {"uriBaseId", "FRAMEWORK"}};
      Json physical{{"artifactLocation", artifact}};
      if (diagnostic.line > 0) {
        physical["region"] = {{"startLine", diagnostic.line}};
        if (diagnostic.column > 0) physical["region"]["startColumn"] = diagnostic.column;
      }
      result["locations"] = Json::array({{{"physicalLocation", physical}}});
    }
    results.push_back(result);
  }
  return Json{
      {"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
      {"version", "2.1.0"},
      {"runs", Json::array({{{"tool", {{"driver", {{"name", "l3xml"}, {"version", version}, {"rules", rules}}}}},
                             {"originalUriBaseIds", {{"FRAMEWORK", {{"uri", fileUri(frameworkFolder) + "/"}}}}},
                             {"results", results}}})}};
}

}  // namespace l3xml_cli
