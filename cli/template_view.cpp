// The views of a template tree.
#include "template_view.h"

#include <algorithm>
#include <iostream>

#include "suggest.h"

namespace l3xml_cli {

namespace {

// The marks are those of the flattened line.
const char* kindLabel(l3xml::NodeKind kind) {
  switch (kind) {
    case l3xml::NodeKind::kChoice:
      return "(choice)";
    case l3xml::NodeKind::kOptional:
      return "[optional]";
    case l3xml::NodeKind::kSequence:
      return "{SEQUENCE}";
    case l3xml::NodeKind::kOther:
      break;
  }
  return "";
}

// Every element with its depth, in document order; the depth is bounded by the library's reading.
template <class Visit>
void forEachNode(const l3xml::Node& root, Visit visit) {
  std::vector<std::pair<const l3xml::Node*, int>> pending{{&root, 0}};
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    visit(*node, depth);
    for (std::size_t i = node->children.size(); i > 0; --i) pending.emplace_back(&node->children[i - 1], depth + 1);
  }
}

}  // namespace

void suggestNodeName(const TemplateRef& ref, const std::string& selector) {
  const l3xml::Result<l3xml::Template> tree = ref.framework.loadTemplate(ref.name);
  if (!tree.has_value()) return;
  std::vector<std::string> names;
  forEachNode(tree->root, [&](const l3xml::Node& node, int) { names.push_back(node.localName); });
  const std::string last = selector.substr(selector.rfind('.') == std::string::npos ? 0 : selector.rfind('.') + 1);
  if (std::find(names.begin(), names.end(), last) != names.end()) return;
  const std::string found = nearest(last, names);
  if (!found.empty()) std::cerr << "l3xml: did you mean '" << found << "'?\n";
}

std::string TreePrinter::valueText(const std::string& text) const {
  if (!l3xml::isPixitReference(text)) return palette_.value(text);
  if (campaign_ == nullptr) return palette_.reference(text);
  const std::optional<std::string> resolved = campaign_->valueOf(text);
  return palette_.reference(text) + " -> " +
         (resolved ? palette_.value(*resolved) : palette_.problem("not in the PIXIT file"));
}

void TreePrinter::print(const l3xml::Node& root) const {
  forEachNode(root, [&](const l3xml::Node& node, int depth) {
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    line += palette_.name(node.name);
    if (node.kind != l3xml::NodeKind::kOther) line += " " + palette_.mark(kindLabel(node.kind));
    if (node.leaf() && !node.text.empty()) {
      line += " = " + valueText(node.text);
    } else if (node.leaf() && node.kind == l3xml::NodeKind::kOptional) {
      line += " " + palette_.faint("absent");
    }
    std::cout << line << '\n';
  });
}

void TreePrinter::printPaths(const l3xml::Node& root) const {
  forEachNode(root, [&](const l3xml::Node& node, int) {
    if (!node.leaf()) return;
    std::cout << node.path << (node.text.empty() ? std::string() : " = " + valueText(node.text)) << '\n';
  });
}

Json TreePrinter::json(const l3xml::Node& root) const {
  // Built bottom-up from the flat walk, so that depth never turns into recursion.
  std::vector<std::pair<Json, int>> stack;
  auto close = [&](int depth) {
    while (stack.size() > 1 && stack.back().second > depth) {
      Json child = std::move(stack.back().first);
      stack.pop_back();
      stack.back().first["children"].push_back(std::move(child));
    }
  };
  forEachNode(root, [&](const l3xml::Node& node, int depth) {
    close(depth - 1);
    Json json{{"name", node.name}, {"kind", l3xml::kindName(node.kind)}, {"path", node.path}};
    if (node.leaf()) {
      json["value"] = node.text;
      if (l3xml::isPixitReference(node.text) && campaign_ != nullptr) {
        const std::optional<std::string> resolved = campaign_->valueOf(node.text);
        json["pixit"] = {{"name", node.text}, {"value", resolved ? Json(*resolved) : Json()}};
      }
    } else {
      json["children"] = Json::array();
    }
    stack.emplace_back(std::move(json), depth);
  });
  close(0);
  return stack.empty() ? Json() : std::move(stack.front().first);
}

}  // namespace l3xml_cli
