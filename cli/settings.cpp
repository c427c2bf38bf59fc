// The global options and how they reach the library and the logger library.
#include "settings.h"

#include <filesystem>

#include <l3xml/l3xml.h>

#include "command.h"
#include "host_platform.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

std::string folderText(const std::string& folder) {
  std::string text = fs::absolute(fs::path(folder)).lexically_normal().generic_string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

void Settings::addOptions(CLI::App& app) {
  app.add_option("--system", system_, "The framework's (system) folder; default: the current folder")->type_name("DIR");
  app.add_option("--user", user_, "The user's folder, searched before the system folder; default: none")
      ->type_name("DIR");
  app.add_option("--cell", cell_, "The current cell, which chooses the cell folders searched")
      ->check(CLI::IsMember({kPrimaryCell, kSecondaryCell}))
      ->capture_default_str()
      ->type_name("NAME");
  app.add_option("--work", work_, "The folder under which working copies are written; default: the system folder")
      ->type_name("DIR");
  app.add_option("--pixit", pixit_,
                 "The PIXIT file: a path, or a file name at the framework root; default: the one PIXIT file there")
      ->type_name("FILE");
  auto* log = app.add_option("--log", log_,
                             "Append the library's log to FILE ('-' for standard error); default: Debug_Log.log in "
                             "the current folder, or what L3XML_LOG says")
                  ->type_name("FILE");
  app.add_flag("--quiet,-q", quiet_, "Write no log at all")->excludes(log);
}

void Settings::applyLogDestination() const {
  if (quiet_) {
    setEnvironment("L3XML_LOG", "none");
  } else if (!log_.empty()) {
    setEnvironment("L3XML_LOG", log_);
  }
}

namespace {

void requireFolder(const std::string& folder, const char* role) {
  std::error_code error;
  if (!fs::exists(folder, error)) {
    throw CommandFailure(std::string("the ") + role + " folder " + folder + " does not exist");
  }
  if (!fs::is_directory(folder, error)) {
    throw CommandFailure(std::string("the ") + role + " folder " + folder + " is not a folder");
  }
}

}  // namespace

void Settings::applyToLibrary() {
  system_ = folderText(system_.empty() ? std::string(".") : system_);
  requireFolder(system_, "system");
  if (!user_.empty()) {
    user_ = folderText(user_);
    requireFolder(user_, "user");
  }
  work_ = folderText(work_.empty() ? system_ : work_);
  std::error_code error;
  if (fs::exists(work_, error) && !fs::is_directory(work_, error)) {
    throw CommandFailure("the work folder " + work_ + " is not a folder");
  }

  setFrameworkSourcepath_WCDMA(system_.c_str());
  setFrameworkUserSourcepath_WCDMA(user_.empty() ? nullptr : user_.c_str());
  selectCell(cell_);
  SetXMLParserSourcePath_WCDMA(work_.data());
}

std::string Settings::logDescription() const {
  if (quiet_) return "nowhere (--quiet)";
  std::string destination = log_;
  if (destination.empty()) destination = environmentValue("L3XML_LOG").value_or("Debug_Log.log");
  if (destination == "-") return "standard error";
  if (destination == "none" || destination.empty()) return "nowhere (L3XML_LOG=none)";
  return destination;
}

void Settings::selectCell(const std::string& cell) const { setLowCellName_WCDMA(cell.c_str()); }

}  // namespace l3xml_cli
