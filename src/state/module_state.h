// The library's module-wide state in one object: the settings the host gives, the PIXIT
// bookkeeping, the flattening's brace counter and the association document.
//
// The legacy entry points all work on the one module() instance, so that its effects carry from
// call to call as the framework expects (a brace left open, a registered list kept by pointer).
// The modern interface gives every call an instance of its own.
#ifndef L3XML_STATE_MODULE_STATE_H
#define L3XML_STATE_MODULE_STATE_H

#include <map>
#include <string>

#include <l3xml/l3xml.h>

#include "paths/framework_paths.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace state {

struct ModuleState {
  // frameworkUserSourcePath, frameworkSourcePath, lowCellName and xmlParserSourcePath.
  paths::FrameworkFolders settings;
  // Braces "{ " opened by flattenings and not yet closed; never reset by the library.
  int openSequenceBraces = 0;
  // The host's registered parameter list; null until registered. Not owned.
  std::map<std::string, ParamStructure>* parserParamList = nullptr;
  // Node name -> the PIXIT parameter name its text held; the first record of a name stays.
  std::map<std::string, std::string> nodeNamePixitParameterMap;
  // Message file name -> PIXIT parameter name, equal keys in insertion order.
  std::multimap<std::string, std::string> pixitFileMultiMap;
  // The document the association file is loaded into: made by the first run, reused afterwards.
  dom::ComPtr<dom::IXMLDOMDocument> associationDocument;
};

// The instance behind the legacy entry points.
ModuleState& module();

// Returns module() to its state at load time. Tests only.
void resetModuleForTesting();

}  // namespace state
}  // namespace l3xml

#endif  // L3XML_STATE_MODULE_STATE_H
