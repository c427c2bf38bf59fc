// Plain-words reasons for a library call that failed on a framework file.
#ifndef L3XML_CLI_FILE_CHECK_H
#define L3XML_CLI_FILE_CHECK_H

#include <string>

#include "settings.h"
#include "template_tree.h"

namespace l3xml_cli {

// The path the library's lookup finds for name with the current cell; throws a CommandFailure
// naming the folders and the cell when it finds none.
std::string requireFrameworkFile(const Settings& settings, const std::string& name);

// Why the library could not read the file at path: what is wrong with the XML, or, when it reads
// here, where the library's log is.
std::string whyUnreadable(const Settings& settings, const std::string& path);

// The template at path as a tree; throws a CommandFailure saying what is wrong with it.
TemplateNode requireTemplate(const std::string& path);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_FILE_CHECK_H
