// The exported setters of the framework folders and the cell, and the exported file lookup.
#include <l3xml/l3xml.h>

#include "paths/framework_paths.h"
#include "state/module_state.h"

namespace {

// Each setter copies the caller's text; a null pointer clears the setting.
void assign(std::string& setting, const char* text) { setting = text != nullptr ? text : ""; }

l3xml::paths::FrameworkFolders& settings() { return l3xml::state::module().settings; }

}  // namespace

void setFrameworkUserSourcepath_WCDMA(const char* folder) { assign(settings().user, folder); }

void setFrameworkSourcepath_WCDMA(const char* folder) { assign(settings().system, folder); }

void setLowCellName_WCDMA(const char* cellName) { assign(settings().cell, cellName); }

void SetXMLParserSourcePath_WCDMA(char* folder) { assign(settings().work, folder); }

std::string getFrameworkCompleteFilePath_WCDMA(std::string fileName) {
  return l3xml::paths::findFrameworkFile(settings(), fileName);
}
