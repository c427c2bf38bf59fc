// The framework folder as the host sees it: templates, lookups, working copies, PIXIT file, copies.
#ifndef L3XML_CLI_FRAMEWORK_H
#define L3XML_CLI_FRAMEWORK_H

#include <string>
#include <vector>

#include "settings.h"

namespace l3xml_cli {

// One message template as the lookup takes it: a file name and the cell that selects its folders.
struct TemplateEntry {
  std::string name;
  std::string cell;
  std::string area;  // "PrimaryCell", "SecondaryCell" or "NASMessage"

  std::string label() const { return area + "/" + name; }
};

// The templates in the Command, RRCMessage and NASMessage folders of the user and system folders:
// one entry per file name and cell (the lookup picks one file for both), primary cell first,
// then secondary cell, then NAS messages; NAS messages take the cell of the settings.
std::vector<TemplateEntry> findTemplates(const Settings& settings);

// The file the lookup finds for name when the temp folders are left out: the template itself,
// which the library only ever reads. Empty when there is none.
std::string findReadOnlyTemplate(const Settings& settings, const std::string& cell, const std::string& name);

// Where the library keeps the working copy of the template found at sourcePath.
std::string workingCopyPath(const std::string& workFolder, const std::string& sourcePath, const std::string& name);

// The PIXIT file of a framework, or why there is none to take.
struct PixitChoice {
  std::string path;
  std::string problem;
};

// option: a path, or a file name at the framework root; empty: the one file at the root whose
// entries carry Name and Value attributes (type and association files are left out).
PixitChoice choosePixitFile(const std::string& frameworkFolder, const std::string& option);

// The example framework shipped with the program; empty when it cannot be found.
std::string exampleFramework();

// A copy of a framework folder (without its temp folder) in a fresh temporary folder, removed
// at the end unless kept.
class FrameworkCopy {
 public:
  explicit FrameworkCopy(const std::string& source);
  ~FrameworkCopy();
  FrameworkCopy(const FrameworkCopy&) = delete;
  FrameworkCopy& operator=(const FrameworkCopy&) = delete;

  const std::string& folder() const { return folder_; }
  void keep() { keep_ = true; }

 private:
  std::string folder_;
  bool keep_ = false;
};

}  // namespace l3xml_cli

#endif  // L3XML_CLI_FRAMEWORK_H
