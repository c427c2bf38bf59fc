// Node paths written with dots: Root.child.[2].leaf
#ifndef L3XML_PARSER_DOTTED_PATH_H
#define L3XML_PARSER_DOTTED_PATH_H

#include <string>
#include <vector>

namespace l3xml {
namespace parser {

// The components of a dotted path for reading: none when the path holds no dot; otherwise the
// text before each dot and the text after the last one, empty components kept.
std::vector<std::string> readingComponents(const std::string& path);

// The segments of a selector for writing: the text before the first dot, between each two and
// after the last, empty segments kept.
std::vector<std::string> writingSegments(const std::string& selector);

// An index component starts with "[" and a decimal digit, as [2]; it picks a child by position.
bool isIndexComponent(const std::string& component);

// The number that an index component's text without its first and last characters starts with,
// read as atol reads it.
long indexNumber(const std::string& innerText);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_DOTTED_PATH_H
