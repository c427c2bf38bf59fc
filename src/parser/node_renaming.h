// Renaming a node by a text rewrite of the template into its working copy.
#ifndef L3XML_PARSER_NODE_RENAMING_H
#define L3XML_PARSER_NODE_RENAMING_H

#include <string>

#include "state/module_state.h"

namespace l3xml {
namespace parser {

// Rewrites the file the lookup finds, overwriting the first occurrence of oldName in each piece
// of a line with newName, into the working copy under work's temp folder; 0, or -1000.
long renameNode(state::ModuleState& state, const std::string& fileName, const std::string& oldName,
                const std::string& newName);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_NODE_RENAMING_H
