// Running the l3xml program through the shell with its output captured in files.
#include "cli_runner.h"

#include <cstdlib>
#include <filesystem>
#include <functional>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace l3xml_test {

namespace {

std::string quoted(const std::string& text) {
  std::string result = "'";
  for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return result + "'";
}

void replaceOnce(std::string& text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
}

}  // namespace

CliTest::CliTest() : framework(dir / "fw") {
  fs::copy(L3XML_EXAMPLE_FRAMEWORK, framework, fs::copy_options::recursive);
  fs::remove_all(framework + "/temp");
  fs::create_directory(dir / "tmp");
}

CliResult CliTest::shell(const std::string& script) const {
  std::string command = "cd " + quoted(dir.str()) +
                        " && env -u NO_COLOR -u L3XML_LOG -u L3XML_LOG_LEVEL TMPDIR=" + quoted(dir / "tmp") +
                        " L3XML=" + quoted(L3XML_CLI);
#ifdef L3XML_CLI_LIBRARY_PATH
  command += " LD_LIBRARY_PATH=" + quoted(L3XML_CLI_LIBRARY_PATH);
#endif
  command += " sh -c " + quoted(script) + " >" + quoted(dir / ".out") + " 2>" + quoted(dir / ".err");
  const int raw = std::system(command.c_str());
  CliResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(dir / ".out"), readFile(dir / ".err")};
  fs::remove(dir / ".out");
  fs::remove(dir / ".err");
  return result;
}

CliResult CliTest::run(const std::vector<std::string>& arguments, const std::string& input) const {
  std::string script = "\"$L3XML\"";
  for (const std::string& argument : arguments) script += " " + quoted(argument);
  if (!input.empty()) {
    writeFile(dir / ".in", input);
    script += " <" + quoted(dir / ".in");
  }
  return shell(script);
}

CliResult CliTest::inFramework(std::vector<std::string> arguments, const std::string& input) const {
  arguments.insert(arguments.begin(), {"--system", framework});
  return run(arguments, input);
}

nlohmann::json CliTest::json(const CliResult& result) {
  nlohmann::json document = nlohmann::json::parse(result.out, nullptr, false);
  EXPECT_FALSE(document.is_discarded()) << "not JSON:\n" << result.out << result.err;
  return document;
}

std::map<std::string, std::size_t> CliTest::hashes(const std::string& folder) {
  std::map<std::string, std::size_t> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), folder).string()] = std::hash<std::string>()(readFile(entry.path().string()));
    }
  }
  return files;
}

std::vector<std::string> CliTest::leftovers() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir / "tmp")) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

void CliTest::addBrokenTemplate() const {
  writeFile(file("RRCMessage/PrimaryCell/Broken.xml"),
            "<Broken>\n  <a>px_Nowhere</a>\n  <b>px_Broken</b>\n</Broken>\n");
  std::string pixit = readFile(file("L3_WCDMA_PIXIT.xml"));
  replaceOnce(pixit, "</PIXIT>",
              "<Param Name=\"px_Broken\" Type=\"RRC_TransactionId\" Value=\"1\" Group=\"\" Unit=\"\" "
              "Comment=\"RRCMessage\\PrimaryCell\\Broken.xml\" Cell=\"PrimaryCell\"/>\n</PIXIT>");
  writeFile(file("L3_WCDMA_PIXIT.xml"), pixit);
  std::string association = readFile(file("AssociationFile.xml"));
  replaceOnce(association, "</Association>",
              "<Pixit Name=\"px_Broken\"><Node Name=\"b\" Type=\"RRC_TransactionId\" AssociationField=\"Broken.xml\" "
              "CellName=\"PrimaryCell\"/></Pixit>\n</Association>");
  writeFile(file("AssociationFile.xml"), association);
}

}  // namespace l3xml_test
