// Running the l3xml program through the shell with its output captured in files.
#include "cli_runner.h"

#include <cstdlib>
#include <filesystem>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace l3xml_test {

namespace {

std::string quoted(const std::string& text) {
  std::string result = "'";
  for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return result + "'";
}

}  // namespace

std::map<std::string, std::string> snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = readFile(entry.path().string());
  }
  return files;
}

CliTest::CliTest() : framework(dir / "framework") {
  fs::copy(L3XML_EXAMPLE_FRAMEWORK, framework, fs::copy_options::recursive);
  fs::remove_all(framework + "/temp");
}

CliResult CliTest::run(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) const {
  std::string command = "cd " + quoted(dir.str()) + " && env -u NO_COLOR -u L3XML_LOG -u L3XML_LOG_LEVEL";
#ifdef L3XML_CLI_LIBRARY_PATH
  command += " LD_LIBRARY_PATH=" + quoted(L3XML_CLI_LIBRARY_PATH);
#endif
  for (const std::string& variable : environment) command += " " + quoted(variable);
  command += " " + quoted(L3XML_CLI);
  for (const std::string& argument : arguments) command += " " + quoted(argument);
  command += " >" + quoted(dir / ".stdout") + " 2>" + quoted(dir / ".stderr");
  const int raw = std::system(command.c_str());
  CliResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = readFile(dir / ".stdout");
  result.err = readFile(dir / ".stderr");
  fs::remove(dir / ".stdout");
  fs::remove(dir / ".stderr");
  return result;
}

CliResult CliTest::runOnFramework(const std::vector<std::string>& arguments,
                                  const std::vector<std::string>& environment) const {
  std::vector<std::string> all{"--system", framework};
  all.insert(all.end(), arguments.begin(), arguments.end());
  return run(all, environment);
}

nlohmann::json CliTest::parseJson(const CliResult& result) {
  nlohmann::json document = nlohmann::json::parse(result.out, nullptr, false);
  EXPECT_FALSE(document.is_discarded()) << "not JSON:\n" << result.out << result.err;
  return document;
}

}  // namespace l3xml_test
