// Flattening a message template into one line: the root's name and every value in document
// order, with ( ) around choices, [ ] around optional parts and { , } around SEQUENCE runs.
#include <cstring>

#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/bounded_text.h"
#include "parser/flattening_state.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"
#include "xmldoc/xml_dom.h"

namespace dom = l3xml::dom;
namespace logging = l3xml::logging;
using l3xml::parser::BoundedText;
using l3xml::parser::fitToTextBuffer;

// The counter of "{ " opened and not yet closed, shared by every parser and never reset.
int openSequenceBraces = 0;

namespace {

// Templates nest a few dozen levels. Each level reads the text of its whole subtree, so the walk
// refuses absurd depths rather than spend time that grows with the square of the depth.
constexpr std::size_t kMaxNestingDepth = 256;

constexpr const char* kCutMessage =
    "findValueAndAppendfinalString: the flattened text is longer than 4095 characters and was cut";

enum class ElementKind { kChoice, kOptional, kSequence, kOther };

// Decided on the name as written, prefix included, in this order.
ElementKind kindOf(const std::string& name) {
  if (name.size() >= 2 && name[0] == 'c' && name[1] >= '0' && name[1] <= '9') return ElementKind::kChoice;
  if (name.compare(0, 3, "opt") == 0) return ElementKind::kOptional;
  if (name.compare(0, 8, "SEQUENCE") == 0) return ElementKind::kSequence;
  return ElementKind::kOther;
}

bool isPixitReference(const std::string& text) {
  return l3xml::pixit::hasPixitPrefix(text) && text.find(' ') == std::string::npos;
}

std::string nameOf(dom::IXMLDOMNode& node) {
  std::string name;
  (void)node.get_nodeName(name);
  return fitToTextBuffer(std::move(name));
}

std::string textOf(dom::IXMLDOMNode& node) {
  std::string text;
  (void)node.get_text(text);
  return fitToTextBuffer(std::move(text));
}

}  // namespace

// One level per list being walked. The levels live on the heap rather than on the native stack,
// so that nesting depth cannot overflow it; the order of every step is that of a depth-first
// recursion with one call per level.
long CXMLParser::findValueAndAppendfinalString() {
  struct Level {
    long length;
    long index;
    bool levelOpened;
    std::string value;  // the PIXIT value last resolved at this level
  };
  BoundedText<sizeof finalString> out(finalString, ::strnlen(finalString, sizeof finalString - 1));
  auto failWith = [&](const char* message) {
    logging::error({message});
    if (out.cut()) logging::error({kCutMessage});
    return 1L;
  };
  // One context entry: one element on each of the four context stacks.
  auto pushContext = [this](int choice, int optional, int sequence, long index) {
    choiceStack.push_back(choice);
    optionalStack.push_back(optional);
    sequenceStack.push_back(sequence);
    sequenceIndexStack.push_back(index);
  };
  auto popContext = [this] {
    if (!choiceStack.empty()) choiceStack.pop_back();
    if (!optionalStack.empty()) optionalStack.pop_back();
    if (!sequenceStack.empty()) sequenceStack.pop_back();
    if (!sequenceIndexStack.empty()) sequenceIndexStack.pop_back();
  };

  std::vector<Level> levels;
  levels.push_back({childCountStack.empty() ? 0L : childCountStack.back(), 0, false, std::string()});
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.index < level.length) {
      const long i = level.index++;
      if (nodeListStack.empty() || !nodeListStack.back())
        return failWith("pChildnodes returned from nodelist vector is NULL");
      dom::ComPtr<dom::IXMLDOMNode> node;
      if (dom::failed(nodeListStack.back()->get_item(i, node)) || !node) {
        return failWith("findValueAndAppendfinalString :Try to access illegal memory location");
      }

      switch (kindOf(nameOf(*node))) {
        case ElementKind::kChoice:
          pushContext(1, 0, 0, 0);
          out.append("( ");
          level.levelOpened = true;
          break;
        case ElementKind::kOptional:
          pushContext(0, 1, 0, 0);
          out.append("[ ");
          level.levelOpened = true;
          break;
        case ElementKind::kSequence: {
          pushContext(0, 0, 1, i);
          long openSequences = 0;
          for (int flag : sequenceStack) openSequences += flag == 1 ? 1 : 0;
          if (openSequences > openSequenceBraces) {
            ++openSequenceBraces;
            out.append("{ ");
          }
          level.levelOpened = true;
          break;
        }
        case ElementKind::kOther:
          break;
      }

      const std::string text = textOf(*node);
      if (isPixitReference(text)) {
        (void)getPixitValueForParser(text, level.value);
        logging::debug(
            {"CXMLParser::findValueAndAppendfinalString Pixit Parameter ", text, " value is: ", level.value});
        out.append(level.value);
        out.append(" ");
        continue;  // the reference stands for the whole node: its children are not visited
      }

      dom::ComPtr<dom::IXMLDOMNodeList> children;
      long childCount = 0;
      if (dom::failed(node->get_childNodes(children)) || !children || dom::failed(children->get_length(childCount))) {
        logging::error({"pNodes is NULL"});
        childCount = 0;
      }

      if (!optionalStack.empty() && optionalStack.back() == 1 && childCount == 0) {
        popContext();
        out.append("] ");
        level.levelOpened = false;
      }

      if (childCount > 0) {
        if (!level.levelOpened) pushContext(0, 0, 0, 0);
        level.levelOpened = false;  // as it is once the level below has been walked
        nodeListStack.push_back(children);
        childCountStack.push_back(childCount);
        if (levels.size() >= kMaxNestingDepth) {
          return failWith("findValueAndAppendfinalString: the template is nested deeper than 256 levels");
        }
        levels.push_back({childCount, 0, false, std::string()});
        continue;
      }

      const std::string leafText = textOf(*node);
      if (!leafText.empty()) {
        out.appendWithoutSpaces(leafText);
        out.append(" ");
      }
      continue;
    }

    // Closing the level: the SEQUENCE mark by the next sibling, then ] and ) of the level.
    if (!sequenceStack.empty()) {
      if (sequenceStack.back() == 1) {
        if (nodeListStack.size() < 2) {
          // A left-over SEQUENCE entry closing at the top level has no parent list to look at.
          --openSequenceBraces;
          out.append("} ");
        } else {
          const dom::ComPtr<dom::IXMLDOMNodeList>& parentList = nodeListStack[nodeListStack.size() - 2];
          const long parentLength = childCountStack[childCountStack.size() - 2];
          const long index = sequenceIndexStack.back();
          if (index < parentLength - 1) {
            dom::ComPtr<dom::IXMLDOMNode> sibling;
            if (!parentList || dom::failed(parentList->get_item(index + 1, sibling)) || !sibling) {
              return failWith("findValueAndAppendfinalString :Try to access illegal memory location ");
            }
            if (nameOf(*sibling).compare(0, 8, "SEQUENCE") == 0) {
              out.append(",");
            } else {
              --openSequenceBraces;
              out.append("} ");
            }
          } else if (index == parentLength - 1) {
            --openSequenceBraces;
            out.append("} ");
          }
        }
      }
      if (optionalStack.back() == 1) out.append("] ");
      if (choiceStack.back() == 1) out.append(") ");
      popContext();
    }
    if (!childCountStack.empty()) childCountStack.pop_back();
    if (!nodeListStack.empty()) nodeListStack.pop_back();
    levels.pop_back();
  }
  if (out.cut()) logging::error({kCutMessage});
  return 0;
}

std::string CXMLParser::ParseXML(std::string fileName) {
  const char* failure = nullptr;
  std::string failureDetail;
  dom::ComPtr<dom::IXMLDOMNode> root;
  std::string rootName;
  dom::ComPtr<dom::IXMLDOMNodeList> children;
  long childCount = 0;

  const std::string path = getFrameworkCompleteFilePath_WCDMA(fileName);
  if (path.empty()) {
    failure = "CXMLParser::ParseXML: ERROR GETTING path name from getFrameworkCompleteFilePath_WCDMA";
  } else if (pXMLDom.Reset(), DomFromCOM(pXMLDom.GetAddressOf()) < 0) {
    failure = "CXMLParser::ParseXML: Failed to Get/Create Dom";
  } else if (LoadXmlToDom(path.c_str(), pXMLDom.Get()) < 0) {
    failure = "CXMLParser::ParseXML: Failed to Load XML File";
    failureDetail = path;
  } else if (CheckLoad(pXMLDom.Get()) < 0) {
    failure = "CXMLParser::ParseXML: CheckLoad Failed";
  } else if (dom::failed(pXMLDom->get_documentElement(root)) || !root) {
    failure = "CXMLParser::ParseXML: get_documentElement Failed";
  } else if (dom::failed(root->get_baseName(rootName))) {
    failure = "CXMLParser::ParseXML: get_baseName Failed";
  } else {
    BoundedText<sizeof finalString> out(finalString);
    out.append(fitToTextBuffer(rootName));
    out.append(" ");
    if (out.cut()) logging::error({kCutMessage});
    if (dom::failed(root->get_childNodes(children)) || !children) {
      failure = "CXMLParser::ParseXML: get_childNodes Failed";
    } else if (dom::failed(children->get_length(childCount))) {
      failure = "CXMLParser::ParseXML: get_length Failed";
    } else {
      nodeListStack.push_back(children);
      childCountStack.push_back(childCount);
      if (findValueAndAppendfinalString() != 0) failure = "findValueAndAppendfinalString: Failed";
    }
  }

  root.Reset();
  choiceStack.clear();
  optionalStack.clear();
  sequenceStack.clear();
  sequenceIndexStack.clear();
  childCountStack.clear();
  nodeListStack.clear();
  if (failure != nullptr) {
    std::memset(finalString, 0, sizeof finalString);
    logging::error({failure, failureDetail});
  }
  return std::string(finalString);
}
