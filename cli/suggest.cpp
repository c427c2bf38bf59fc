// Edit distance and the nearest word.
#include "suggest.h"

#include <l3xml/framework.h>

namespace l3xml_cli {

std::string nearest(const std::string& word, const std::vector<std::string>& candidates) {
  std::vector<std::string> others;
  for (const std::string& candidate : candidates) {
    if (candidate != word) others.push_back(candidate);
  }
  return l3xml::nearestName(word, others);
}

std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates) {
  const std::string found = nearest(word, candidates);
  return found.empty() ? std::string() : "; did you mean '" + found + "'?";
}

}  // namespace l3xml_cli
