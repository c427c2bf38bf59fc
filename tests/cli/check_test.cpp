// check, impact and compare: the reports and their formats.
#include <l3xml/diagnostic.h>

#include "cli_runner.h"
#include "diagnostic_report.h"

namespace l3xml_test {
namespace {

const l3xml::Diagnostics kFindings = {
    {l3xml::Severity::kError, l3xml::codes::kUnresolvedReference, "RRCMessage/PrimaryCell/A b.xml", 12, 5, "px_X"},
    {l3xml::Severity::kWarning, l3xml::codes::kUnusedParameter, "L3_WCDMA_PIXIT.xml", 3, 0, "px_Y is unused"},
    {l3xml::Severity::kError, l3xml::codes::kAmbiguousPixit, ".", 0, 0, "several PIXIT files"},
};

TEST(CheckReport, TextJsonAndSarifHaveTheirShapes) {
  EXPECT_EQ(l3xml_cli::diagnosticLine(kFindings[0]),
            "RRCMessage/PrimaryCell/A b.xml:12:5: error: px_X [unresolved-reference]");
  const l3xml_cli::Json json = l3xml_cli::checkJson(kFindings);
  EXPECT_EQ(json["errors"], 2);
  EXPECT_EQ(json["warnings"], 1);
  EXPECT_EQ(json["diagnostics"][1], (l3xml_cli::Json{{"severity", "warning"},
                                                     {"code", "unused-parameter"},
                                                     {"file", "L3_WCDMA_PIXIT.xml"},
                                                     {"line", 3},
                                                     {"column", 0},
                                                     {"message", "px_Y is unused"}}));

  const nlohmann::json sarif = nlohmann::json::parse(l3xml_cli::sarifLog(kFindings, "/srv/fw", "1.0").dump());
  EXPECT_EQ(sarif["version"], "2.1.0");
  const nlohmann::json& run = sarif["runs"][0];
  EXPECT_EQ(run["tool"]["driver"]["name"], "l3xml");
  EXPECT_EQ(run["originalUriBaseIds"]["FRAMEWORK"]["uri"], "file:///srv/fw/");
  std::set<std::string> ruleIds;
  for (const nlohmann::json& rule : run["tool"]["driver"]["rules"]) ruleIds.insert(rule["id"].get<std::string>());
  ASSERT_EQ(run["results"].size(), 3u);
  for (const nlohmann::json& result : run["results"]) {
    EXPECT_EQ(ruleIds.count(result["ruleId"].get<std::string>()), 1u);
    EXPECT_EQ(run["tool"]["driver"]["rules"][result["ruleIndex"].get<int>()]["id"], result["ruleId"]);
    EXPECT_TRUE(result["message"]["text"].is_string());
  }
  const nlohmann::json& location = run["results"][0]["locations"][0]["physicalLocation"];
  EXPECT_EQ(location["artifactLocation"]["uri"], "RRCMessage/PrimaryCell/A%20b.xml");
  EXPECT_EQ(location["artifactLocation"]["uriBaseId"], "FRAMEWORK");
  EXPECT_EQ(location["region"]["startLine"], 12);
  EXPECT_EQ(run["results"][1]["level"], "warning");
  EXPECT_FALSE(run["results"][2]["locations"][0]["physicalLocation"].contains("region"));
}

// Two campaigns that differ in three values: compare lists each changed field and exits 1.
TEST_F(CliTest, CompareTwoCampaigns) {
  std::string lab = readFile(file("L3_WCDMA_PIXIT.xml"));
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"\"normalEvent\"", "\"congestion\""},
                                 {"Value=\"9612\"", "Value=\"9613\""},
                                 {"Type=\"MIB_ValueTag\" Value=\"1\"", "Type=\"MIB_ValueTag\" Value=\"2\""}}) {
    lab.replace(lab.find(from), from.size(), to);
  }
  writeFile(dir / "lab_WCDMA_PIXIT.xml", lab);
  const CliResult compare = inFramework({"compare", "--pixit", "L3_WCDMA_PIXIT.xml", "--pixit", "lab_WCDMA_PIXIT.xml"});
  EXPECT_EQ(compare.status, 1) << compare.err;
  for (const char* field : {"releaseCause: 0 -> 3", "mib-ValueTag: 1 -> 2", "uarfcn-UL: 9612 -> 9613"}) {
    EXPECT_NE(compare.out.find(field), std::string::npos) << field << "\n" << compare.out;
  }
}

}  // namespace
}  // namespace l3xml_test
