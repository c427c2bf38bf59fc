// Flattening a message template into one line: the root's name and every value in document
// order, with ( ) around choices, [ ] around optional parts and { , } around SEQUENCE runs.
#ifndef L3XML_PARSER_MESSAGE_FLATTENING_H
#define L3XML_PARSER_MESSAGE_FLATTENING_H

#include <cstddef>
#include <string>
#include <vector>

#include "parser/bounded_text.h"
#include "state/module_state.h"
#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace parser {

// Templates nest a few dozen levels. The walk keeps its levels on the heap and its cost grows with
// the template's size, not its depth, but a service that builds each level's text in full does
// not: absurd depths are refused. Elements may nest this many levels below the root.
inline constexpr std::size_t kMaxNestingDepth = 10000;

// Follows a flattening: the node the walk is at, and the pieces of the line it appends. A node is
// named by its place in each child list from the root's children down (from 0).
class FlatteningObserver {
 public:
  virtual void visiting(dom::IXMLDOMNode& node, const std::vector<long>& place) = 0;
  // finalString[begin, end) was appended for the node at place (a closing mark: for the element
  // whose children were walked).
  virtual void appended(std::size_t begin, std::size_t end, const std::vector<long>& place) = 0;

 protected:
  ~FlatteningObserver() = default;
};

// What one flattening works on: a parser's members, or buffers of the caller's own.
struct Flattening {
  state::ModuleState& state;
  char (&finalString)[kTextBufferSize];
  std::vector<int>& optionalStack;
  std::vector<int>& choiceStack;
  std::vector<int>& sequenceStack;
  std::vector<long>& childCountStack;
  std::vector<dom::ComPtr<dom::IXMLDOMNodeList>>& nodeListStack;
  std::vector<long>& sequenceIndexStack;
  dom::ComPtr<dom::IXMLDOMDocument>& document;
  FlatteningObserver* observer = nullptr;
};

// Finds the template, loads it into the flattening's document and flattens it; empty on failure.
std::string flattenFile(Flattening& work, const std::string& fileName);

// Walks the list on top of the node list stack and appends to finalString; 0, or 1 on failure.
long appendLevels(Flattening& work);

// Buffers of a flattening that is not a parser's.
struct FlatteningBuffers {
  char finalString[kTextBufferSize] = {};
  std::vector<int> optionalStack, choiceStack, sequenceStack;
  std::vector<long> childCountStack;
  std::vector<dom::ComPtr<dom::IXMLDOMNodeList>> nodeListStack;
  std::vector<long> sequenceIndexStack;
  dom::ComPtr<dom::IXMLDOMDocument> document;

  Flattening over(state::ModuleState& state, FlatteningObserver* observer) {
    return Flattening{state,           finalString,   optionalStack,      choiceStack, sequenceStack,
                      childCountStack, nodeListStack, sequenceIndexStack, document,    observer};
  }
};

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_MESSAGE_FLATTENING_H
