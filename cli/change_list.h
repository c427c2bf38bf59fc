// Value changes between a template and its working copy, as lines or as JSON.
#ifndef L3XML_CLI_CHANGE_LIST_H
#define L3XML_CLI_CHANGE_LIST_H

#include <vector>

#include "output.h"
#include "template_tree.h"

namespace l3xml_cli {

// One line per change: "path: old -> new", old and new coloured as removed and added.
void printChanges(const std::vector<ValueChange>& changes, const Palette& palette);
Json changesJson(const std::vector<ValueChange>& changes);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_CHANGE_LIST_H
