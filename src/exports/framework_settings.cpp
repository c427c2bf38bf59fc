// The exported setters of the framework folders and the cell, and the exported file lookup.
#include <l3xml/l3xml.h>

#include "paths/framework_paths.h"

namespace {

// Each setter copies the caller's text; a null pointer clears the setting.
void assign(std::string& setting, const char* text) { setting = text != nullptr ? text : ""; }

}  // namespace

void setFrameworkUserSourcepath_WCDMA(const char* folder) { assign(l3xml::frameworkUserSourcePath, folder); }

void setFrameworkSourcepath_WCDMA(const char* folder) { assign(l3xml::frameworkSourcePath, folder); }

void setLowCellName_WCDMA(const char* cellName) { assign(l3xml::lowCellName, cellName); }

void SetXMLParserSourcePath_WCDMA(char* folder) { assign(l3xml::xmlParserSourcePath, folder); }

std::string getFrameworkCompleteFilePath_WCDMA(std::string fileName) {
  return l3xml::paths::findFrameworkFile(fileName);
}
