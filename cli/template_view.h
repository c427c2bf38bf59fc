// Template trees for people: the indented tree of show, and suggestions of element names.
#ifndef L3XML_CLI_TEMPLATE_VIEW_H
#define L3XML_CLI_TEMPLATE_VIEW_H

#include <string>

#include <l3xml/framework.h>

#include "output.h"
#include "session.h"

namespace l3xml_cli {

// After a selector selected nothing: the element name of the template nearest to its last part.
void suggestNodeName(const TemplateRef& ref, const std::string& selector);

class TreePrinter {
 public:
  TreePrinter(const l3xml::Campaign* campaign, const Palette& palette) : campaign_(campaign), palette_(palette) {}

  // Kinds as the flattening marks them, values with the PIXIT values they resolve to.
  void print(const l3xml::Node& root) const;
  // One line per value: the dotted path that get and set take, and the value.
  void printPaths(const l3xml::Node& root) const;
  Json json(const l3xml::Node& root) const;

 private:
  std::string valueText(const std::string& text) const;

  const l3xml::Campaign* campaign_;
  const Palette& palette_;
};

}  // namespace l3xml_cli

#endif  // L3XML_CLI_TEMPLATE_VIEW_H
