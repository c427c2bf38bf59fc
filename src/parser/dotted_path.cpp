// Node paths written with dots.
#include "parser/dotted_path.h"

#include <cstdlib>

namespace l3xml {
namespace parser {

std::vector<std::string> writingSegments(const std::string& selector) {
  std::vector<std::string> segments;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type dot = selector.find('.', start);
    segments.push_back(selector.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return segments;
}

std::vector<std::string> readingComponents(const std::string& path) {
  if (path.find('.') == std::string::npos) return {};
  return writingSegments(path);
}

bool isIndexComponent(const std::string& component) {
  return component.size() >= 2 && component[0] == '[' && component[1] >= '0' && component[1] <= '9';
}

long indexNumber(const std::string& innerText) { return std::atol(innerText.c_str()); }

}  // namespace parser
}  // namespace l3xml
