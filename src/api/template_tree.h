// Reading a template into the tree of the modern interface.
#ifndef L3XML_API_TEMPLATE_TREE_H
#define L3XML_API_TEMPLATE_TREE_H

#include <optional>
#include <string>

#include <l3xml/framework.h>

#include "api/call.h"

namespace l3xml {
namespace api {

// The template at path as a tree; nothing, with the reason among the call's diagnostics, when it
// cannot be read, does not parse or is nested deeper than the flattening accepts.
std::optional<Template> readTemplateTree(Call& call, const std::string& path, const std::string& name);

}  // namespace api
}  // namespace l3xml

#endif  // L3XML_API_TEMPLATE_TREE_H
