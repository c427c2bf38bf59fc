// Flattening a message template into one line: the root's name and every value in document
// order, with ( ) around choices, [ ] around optional parts and { , } around SEQUENCE runs.
#include "parser/message_flattening.h"

#include <algorithm>
#include <cstring>

#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "parser/document_access.h"
#include "parser/element_kind.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"

namespace l3xml {
namespace parser {

namespace {

const std::string kTooDeepMessage =
    "findValueAndAppendfinalString: the template is nested deeper than " + std::to_string(kMaxNestingDepth) + " levels";

constexpr const char* kCutMessage =
    "findValueAndAppendfinalString: the flattened text is longer than 4095 characters and was cut";

// Names decide the kind of an element by their first characters only.
const std::string& nameOf(dom::IXMLDOMNode& node, std::string& name) {
  name.clear();
  (void)node.get_nodeName(name);
  return name;
}

// A text as it would stand in the flattening's buffers.
const std::string& textOf(dom::IXMLDOMNode& node, std::string& text) {
  text.clear();
  (void)node.get_text(text);
  if (text.size() > kTextBufferSize - 1) text.resize(kTextBufferSize - 1);
  return text;
}

// Appends to the flattening's buffer and tells the observer, if there is one, where the piece
// went and whose it is.
class LineWriter {
 public:
  LineWriter(Flattening& work, std::size_t keptLength) : out_(work.finalString, keptLength), observer_(work.observer) {}

  void append(std::string_view text, const std::vector<long>& place) {
    const std::size_t begin = out_.length();
    out_.append(text);
    tell(begin, place);
  }
  void appendWithoutSpaces(std::string_view text, const std::vector<long>& place) {
    const std::size_t begin = out_.length();
    out_.appendWithoutSpaces(text);
    tell(begin, place);
  }
  bool cut() const { return out_.cut(); }

 private:
  void tell(std::size_t begin, const std::vector<long>& place) {
    if (observer_ != nullptr && out_.length() > begin) observer_->appended(begin, out_.length(), place);
  }

  BoundedText<kTextBufferSize> out_;
  FlatteningObserver* observer_;
};

void reportCut(const LineWriter& out) {
  if (out.cut()) logging::error(logging::kCodeLineTooLong, {kCutMessage});
}

}  // namespace

// One level per list being walked. The levels live on the heap rather than on the native stack,
// so that nesting depth cannot overflow it; the order of every step is that of a depth-first
// recursion with one call per level.
long appendLevels(Flattening& work) {
  struct Level {
    long length;
    long index;
    bool levelOpened;
    std::string value;  // the PIXIT value last resolved at this level
  };
  LineWriter out(work, ::strnlen(work.finalString, kTextBufferSize - 1));
  auto failWith = [&](logging::Code code, const char* message) {
    logging::error(code, {message});
    reportCut(out);
    return 1L;
  };
  // One context entry: one element on each of the four context stacks. The SEQUENCE entries on
  // the stack are counted as they come and go, not recounted at each item.
  long openSequences = static_cast<long>(std::count(work.sequenceStack.begin(), work.sequenceStack.end(), 1));
  auto pushContext = [&work, &openSequences](int choice, int optional, int sequence, long index) {
    work.choiceStack.push_back(choice);
    work.optionalStack.push_back(optional);
    work.sequenceStack.push_back(sequence);
    work.sequenceIndexStack.push_back(index);
    if (sequence == 1) ++openSequences;
  };
  auto popContext = [&work, &openSequences] {
    if (!work.choiceStack.empty()) work.choiceStack.pop_back();
    if (!work.optionalStack.empty()) work.optionalStack.pop_back();
    if (!work.sequenceStack.empty()) {
      if (work.sequenceStack.back() == 1) --openSequences;
      work.sequenceStack.pop_back();
    }
    if (!work.sequenceIndexStack.empty()) work.sequenceIndexStack.pop_back();
  };
  std::vector<long>& childCountStack = work.childCountStack;
  std::vector<dom::ComPtr<dom::IXMLDOMNodeList>>& nodeListStack = work.nodeListStack;
  // The place of the node being visited, kept only for an observer.
  std::vector<long> place;
  const bool observed = work.observer != nullptr;
  // Kept from node to node for their memory.
  std::string name;
  std::string text;

  std::vector<Level> levels;
  levels.push_back({childCountStack.empty() ? 0L : childCountStack.back(), 0, false, std::string()});
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.index < level.length) {
      const long i = level.index++;
      if (nodeListStack.empty() || !nodeListStack.back()) {
        return failWith(logging::kCodeLibrary, "pChildnodes returned from nodelist vector is NULL");
      }
      dom::ComPtr<dom::IXMLDOMNode> node;
      if (dom::failed(nodeListStack.back()->get_item(i, node)) || !node) {
        return failWith(logging::kCodeLibrary, "findValueAndAppendfinalString :Try to access illegal memory location");
      }
      if (observed) {
        place.resize(levels.size());
        place.back() = i;
        work.observer->visiting(*node, place);
      }

      switch (kindOf(nameOf(*node, name))) {
        case ElementKind::kChoice:
          pushContext(1, 0, 0, 0);
          out.append("( ", place);
          level.levelOpened = true;
          break;
        case ElementKind::kOptional:
          pushContext(0, 1, 0, 0);
          out.append("[ ", place);
          level.levelOpened = true;
          break;
        case ElementKind::kSequence: {
          pushContext(0, 0, 1, i);
          if (openSequences > work.state.openSequenceBraces) {
            ++work.state.openSequenceBraces;
            out.append("{ ", place);
          }
          level.levelOpened = true;
          break;
        }
        case ElementKind::kOther:
          break;
      }

      if (pixit::readsAsPixitReference(*node, kTextBufferSize - 1, text)) {
        (void)pixit::lookUpPixitValue(work.state, text, level.value);
        logging::debug(
            {"CXMLParser::findValueAndAppendfinalString Pixit Parameter ", text, " value is: ", level.value});
        out.append(level.value, place);
        out.append(" ", place);
        continue;  // the reference stands for the whole node: its children are not visited
      }

      dom::ComPtr<dom::IXMLDOMNodeList> children;
      long childCount = 0;
      if (dom::failed(node->get_childCount(children, childCount))) {
        logging::error({"pNodes is NULL"});
        childCount = 0;
      }

      if (!work.optionalStack.empty() && work.optionalStack.back() == 1 && childCount == 0) {
        popContext();
        out.append("] ", place);
        level.levelOpened = false;
      }

      if (childCount > 0) {
        if (!level.levelOpened) pushContext(0, 0, 0, 0);
        level.levelOpened = false;  // as it is once the level below has been walked
        nodeListStack.push_back(children);
        childCountStack.push_back(childCount);
        if (levels.size() > kMaxNestingDepth) {
          return failWith(logging::kCodeTooDeep, kTooDeepMessage.c_str());
        }
        levels.push_back({childCount, 0, false, std::string()});
        continue;
      }

      const std::string& leafText = textOf(*node, text);
      if (!leafText.empty()) {
        out.appendWithoutSpaces(leafText, place);
        out.append(" ", place);
      }
      continue;
    }

    // Closing the level: the SEQUENCE mark by the next sibling, then ] and ) of the level. The
    // marks belong to the element whose children were walked.
    if (observed) place.resize(levels.size() - 1);
    std::vector<int>& sequenceStack = work.sequenceStack;
    if (!sequenceStack.empty()) {
      if (sequenceStack.back() == 1) {
        if (nodeListStack.size() < 2) {
          // A left-over SEQUENCE entry closing at the top level has no parent list to look at.
          --work.state.openSequenceBraces;
          out.append("} ", place);
        } else {
          const dom::ComPtr<dom::IXMLDOMNodeList>& parentList = nodeListStack[nodeListStack.size() - 2];
          const long parentLength = childCountStack[childCountStack.size() - 2];
          const long index = work.sequenceIndexStack.back();
          if (index < parentLength - 1) {
            dom::ComPtr<dom::IXMLDOMNode> sibling;
            if (!parentList || dom::failed(parentList->get_item(index + 1, sibling)) || !sibling) {
              return failWith(logging::kCodeLibrary,
                              "findValueAndAppendfinalString :Try to access illegal memory location ");
            }
            if (kindOf(nameOf(*sibling, name)) == ElementKind::kSequence) {
              out.append(",", place);
            } else {
              --work.state.openSequenceBraces;
              out.append("} ", place);
            }
          } else if (index == parentLength - 1) {
            --work.state.openSequenceBraces;
            out.append("} ", place);
          }
        }
      }
      if (work.optionalStack.back() == 1) out.append("] ", place);
      if (work.choiceStack.back() == 1) out.append(") ", place);
      popContext();
    }
    if (!childCountStack.empty()) childCountStack.pop_back();
    if (!nodeListStack.empty()) nodeListStack.pop_back();
    levels.pop_back();
  }
  reportCut(out);
  return 0;
}

std::string flattenFile(Flattening& work, const std::string& fileName) {
  const char* failure = nullptr;
  logging::Code failureCode = logging::kCodeLibrary;
  std::string failureDetail;
  dom::ComPtr<dom::IXMLDOMNode> root;
  std::string rootName;
  dom::ComPtr<dom::IXMLDOMNodeList> children;
  long childCount = 0;
  bool loaded = false;

  const std::string path = paths::findFrameworkFile(work.state.settings, fileName, "CXMLParser::ParseXML");
  if (path.empty()) {
    failure = "CXMLParser::ParseXML: ERROR GETTING path name from getFrameworkCompleteFilePath_WCDMA";
    failureCode = logging::kCodeMissingFile;
  } else if (work.document.Reset(), createParserDocument(work.document.GetAddressOf()) < 0) {
    failure = "CXMLParser::ParseXML: Failed to Get/Create Dom";
  } else if (dom::failed(work.document->load(path, loaded))) {
    failure = "CXMLParser::ParseXML: Failed to Load XML File";
    failureCode = logging::kCodeMissingFile;
    failureDetail = path;
  } else if (checkDocumentLoad(work.document.Get()) < 0) {
    failure = "CXMLParser::ParseXML: CheckLoad Failed";
    failureCode = logging::kCodeMalformedXml;
  } else if (dom::failed(work.document->get_documentElement(root)) || !root) {
    failure = "CXMLParser::ParseXML: get_documentElement Failed";
  } else if (dom::failed(root->get_baseName(rootName))) {
    failure = "CXMLParser::ParseXML: get_baseName Failed";
  } else {
    LineWriter out(work, 0);
    out.append(fitToTextBuffer(rootName), {});
    out.append(" ", {});
    reportCut(out);
    if (dom::failed(root->get_childNodes(children)) || !children) {
      failure = "CXMLParser::ParseXML: get_childNodes Failed";
    } else if (dom::failed(children->get_length(childCount))) {
      failure = "CXMLParser::ParseXML: get_length Failed";
    } else {
      work.nodeListStack.push_back(children);
      work.childCountStack.push_back(childCount);
      if (appendLevels(work) != 0) failure = "findValueAndAppendfinalString: Failed";
    }
  }

  root.Reset();
  work.choiceStack.clear();
  work.optionalStack.clear();
  work.sequenceStack.clear();
  work.sequenceIndexStack.clear();
  work.childCountStack.clear();
  work.nodeListStack.clear();
  if (failure != nullptr) {
    std::memset(work.finalString, 0, kTextBufferSize);
    logging::error(failureCode, {failure, failureDetail});
  }
  return std::string(work.finalString);
}

}  // namespace parser
}  // namespace l3xml

namespace {

l3xml::parser::Flattening flatteningOf(char (&finalString)[4096], std::vector<int>& optionalStack,
                                       std::vector<int>& choiceStack, std::vector<int>& sequenceStack,
                                       std::vector<long>& childCountStack,
                                       std::vector<l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNodeList>>& nodeListStack,
                                       std::vector<long>& sequenceIndexStack,
                                       l3xml::dom::ComPtr<l3xml::dom::IXMLDOMDocument>& document) {
  return l3xml::parser::Flattening{
      l3xml::state::module(), finalString,   optionalStack,      choiceStack, sequenceStack,
      childCountStack,        nodeListStack, sequenceIndexStack, document,    nullptr};
}

}  // namespace

long CXMLParser::findValueAndAppendfinalString() {
  l3xml::parser::Flattening work = flatteningOf(finalString, optionalStack, choiceStack, sequenceStack, childCountStack,
                                                nodeListStack, sequenceIndexStack, pXMLDom);
  return l3xml::parser::appendLevels(work);
}

std::string CXMLParser::ParseXML(std::string fileName) {
  l3xml::parser::Flattening work = flatteningOf(finalString, optionalStack, choiceStack, sequenceStack, childCountStack,
                                                nodeListStack, sequenceIndexStack, pXMLDom);
  return l3xml::parser::flattenFile(work, fileName);
}
