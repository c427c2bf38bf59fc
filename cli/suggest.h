// "Did you mean": the nearest of the words a place accepts, by edit distance.
#ifndef L3XML_CLI_SUGGEST_H
#define L3XML_CLI_SUGGEST_H

#include <string>
#include <vector>

namespace l3xml_cli {

// The candidate nearest to word when it is near enough to be what was meant; empty otherwise.
std::string nearest(const std::string& word, const std::vector<std::string>& candidates);
// "; did you mean 'X'?" for the nearest candidate, or nothing.
std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_SUGGEST_H
