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

// A copy of the shipped example framework in dir/fw; the program runs from dir with its own
// temporary folder dir/tmp, so that what it leaves behind can be seen.
class CliTest : public ::testing::Test {
 protected:
  CliTest();

  // l3xml with the arguments; input, when given, is its standard input.
  CliResult run(const std::vector<std::string>& arguments, const std::string& input = "") const;
  // The same with --system set to the framework copy.
  CliResult inFramework(std::vector<std::string> arguments, const std::string& input = "") const;
  // A shell script, with $L3XML the program, run from dir with dir/tmp as its temporary folder.
  CliResult shell(const std::string& script) const;
  // Standard output parsed as JSON; fails the test when it is not.
  static nlohmann::json json(const CliResult& result);

  std::string file(const std::string& relative) const { return framework + "/" + relative; }
  // A hash of every file's bytes under folder, by relative path.
  static std::map<std::string, std::size_t> hashes(const std::string& folder);
  // What the program left in its temporary folder.
  std::vector<std::string> leftovers() const;
  // Adds RRCMessage/PrimaryCell/Broken.xml, whose px_Nowhere no parameter defines; a parameter
  // names it and the association binds one of its nodes.
  void addBrokenTemplate() const;

  TempDir dir;
  std::string framework;
};

}  // namespace l3xml_test

#endif  // L3XML_TESTS_CLI_CLI_RUNNER_H
