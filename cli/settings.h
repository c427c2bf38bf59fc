// The global options: the framework folders, the cell, the work folder, the PIXIT file and the log.
#ifndef L3XML_CLI_SETTINGS_H
#define L3XML_CLI_SETTINGS_H

#include <string>

#include <CLI/CLI.hpp>

namespace l3xml_cli {

inline constexpr const char* kPrimaryCell = "PrimaryCell";
inline constexpr const char* kSecondaryCell = "SecondaryCell";

class Settings {
 public:
  // Adds --system, --user, --cell, --work, --pixit, --log and --quiet to the program.
  void addOptions(CLI::App& app);

  // Points the logger library at the chosen destination. Runs before the first library call:
  // the logger reads its environment once.
  void applyLogDestination() const;

  // Fills in the defaults, checks that the folders exist and hands the settings to the library.
  void applyToLibrary();

  // Commands whose argument names the framework take it as the system folder.
  void setSystemFolder(const std::string& folder) { system_ = folder; }
  void setWorkFolder(const std::string& folder) { work_ = folder; }
  // Changes the library's current cell (the search list); the cell option stays as given.
  void selectCell(const std::string& cell) const;

  bool systemGiven() const { return !system_.empty(); }
  bool workGiven() const { return !work_.empty(); }
  const std::string& systemFolder() const { return system_; }
  const std::string& userFolder() const { return user_; }
  const std::string& workFolder() const { return work_; }
  const std::string& cell() const { return cell_; }
  const std::string& pixitOption() const { return pixit_; }
  // Where the library's log goes, for messages that send the reader there.
  std::string logDescription() const;

 private:
  std::string system_;
  std::string user_;
  std::string cell_ = kPrimaryCell;
  std::string work_;
  std::string pixit_;
  std::string log_;
  bool quiet_ = false;
};

// A folder as the library takes it: absolute, normalised, without a trailing separator.
std::string folderText(const std::string& folder);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_SETTINGS_H
