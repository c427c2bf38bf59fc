// Reasons for failed library calls, found by looking at the files the calls were given.
#include "file_check.h"

#include <l3xml/l3xml.h>

#include "command.h"

namespace l3xml_cli {

std::string requireFrameworkFile(const Settings& settings, const std::string& name) {
  const std::string path = getFrameworkCompleteFilePath_WCDMA(name);
  if (!path.empty()) return path;
  std::string folders = "system folder " + settings.systemFolder();
  if (!settings.userFolder().empty()) folders += " or user folder " + settings.userFolder();
  throw CommandFailure(name + " was not found in the " + folders + " (cell " + settings.cell() + ")");
}

std::string whyUnreadable(const Settings& settings, const std::string& path) {
  const TemplateReading reading = readTemplate(path);
  if (!reading.ok) return path + " " + reading.problem;
  return "the library could not read " + path + "; its log is at " + settings.logDescription();
}

TemplateNode requireTemplate(const std::string& path) {
  TemplateReading reading = readTemplate(path);
  if (!reading.ok) throw CommandFailure(path + " " + reading.problem);
  return std::move(reading.root);
}

}  // namespace l3xml_cli
