// Running the built l3xml program on a copy of the example framework, as a user would.
#ifndef L3XML_TESTS_CLI_CLI_RUNNER_H
#define L3XML_TESTS_CLI_CLI_RUNNER_H

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "test_files.h"

namespace l3xml_test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Every file under folder (relative path to bytes), to tell whether anything in it changed.
std::map<std::string, std::string> snapshot(const std::string& folder);

// A copy of the shipped example framework in a fresh folder, and the program run from there.
class CliTest : public ::testing::Test {
 protected:
  CliTest();

  // Runs l3xml with the arguments in the temporary folder; environment holds extra variables
  // ("NAME=value") for this run only.
  CliResult run(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {}) const;
  // The same with --system set to the framework copy.
  CliResult runOnFramework(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment = {}) const;
  // Standard output parsed as JSON; fails the test when it is not.
  static nlohmann::json parseJson(const CliResult& result);

  std::string frameworkFile(const std::string& relative) const { return framework + "/" + relative; }

  TempDir dir;
  std::string framework;
};

}  // namespace l3xml_test

#endif  // L3XML_TESTS_CLI_CLI_RUNNER_H
