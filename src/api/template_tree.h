// Reading a template into the tree of the modern interface.
#ifndef L3XML_API_TEMPLATE_TREE_H
#define L3XML_API_TEMPLATE_TREE_H

#include <cstddef>
#include <optional>
#include <string>

#include <l3xml/framework.h>

#include "api/call.h"

namespace l3xml {
namespace api {

// How deep the tree may nest. Lower than the flattening's limit: a Node holds its children by
// value, so copying or destroying a tree recurses once per level on the native stack.
inline constexpr std::size_t kMaxTreeDepth = 1000;

// The template at path as a tree; nothing, with the reason among the call's diagnostics, when it
// cannot be read, does not parse or is nested deeper than kMaxTreeDepth.
std::optional<Template> readTemplateTree(Call& call, const std::string& path, const std::string& name);

}  // namespace api
}  // namespace l3xml

#endif  // L3XML_API_TEMPLATE_TREE_H
