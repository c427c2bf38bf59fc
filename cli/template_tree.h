// A template read as a tree of elements, for the views the library has no call for.
#ifndef L3XML_CLI_TEMPLATE_TREE_H
#define L3XML_CLI_TEMPLATE_TREE_H

#include <functional>
#include <string>
#include <vector>

namespace l3xml_cli {

// What the flattening makes of an element, decided on its name as written.
enum class NodeKind { kChoice, kOptional, kSequence, kPlain };

NodeKind kindOfName(const std::string& name);
// A text that the library reads as a PIXIT reference: "px_" and no blank.
bool isPixitReference(const std::string& text);

struct TemplateNode {
  std::string name;  // as written, prefix included
  std::string localName;
  // The dotted path that the library's path walk resolves to this element.
  std::string path;
  NodeKind kind = NodeKind::kPlain;
  // A leaf's text with blanks trimmed at both ends; empty for an element with element children.
  std::string text;
  // The text and CDATA children as written, which a placeholder selection compares with.
  std::vector<std::string> textChildren;
  long position = 0;                   // 1-based place among the nodes the library lists under the parent
  long listedCount = 0;                // nodes the library lists under this element (comments and text included)
  std::vector<TemplateNode> children;  // the element children, in order

  bool leaf() const { return children.empty(); }
};

struct TemplateReading {
  bool ok = false;
  TemplateNode root;
  std::string problem;  // why the file could not be read, in plain words
};

TemplateReading readTemplate(const std::string& path);

// Visits every element in document order, the root first.
void forEachNode(const TemplateNode& root, const std::function<void(const TemplateNode&)>& visit);

// The element that a dotted path names, walked strictly (every segment must match); null with
// the reason when it names none.
const TemplateNode* findByPath(const TemplateNode& root, const std::string& dottedPath, std::string& reason);
// Every element of that name (prefix included), in document order.
std::vector<const TemplateNode*> findByName(const TemplateNode& root, const std::string& name);
// Every element with a text child that is exactly the placeholder.
std::vector<const TemplateNode*> findByPlaceholder(const TemplateNode& root, const std::string& placeholder);

// A name the library's node selection accepts: an XML name, with an optional prefix.
bool isSelectableName(const std::string& name);

struct ValueChange {
  std::string path;
  std::string before;
  std::string after;
};

// The values and elements that differ, by position, between a template and its working copy.
std::vector<ValueChange> compareTemplates(const TemplateNode& before, const TemplateNode& after);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_TEMPLATE_TREE_H
