// What campaign checking accepts: PIXIT values by their type, the file names a comment gives, and
// the nearest of a set of names for "did you mean".
#ifndef L3XML_API_VALUE_RULES_H
#define L3XML_API_VALUE_RULES_H

#include <optional>
#include <string>
#include <vector>

#include <l3xml/l3xml.h>

namespace l3xml {
namespace api {

struct ValueProblem {
  const char* code;
  std::string message;
};

// Why value is no value of type for the message encoder; none when it is one.
std::optional<ValueProblem> judgeValue(const std::string& value, const ParamStructure& type);

// The pieces of a comment's file list that name a message file (they end in ".xml"); none for prose.
std::vector<std::string> templateNamesOf(const std::string& comment);

// The name among candidates closest to word by edit distance; empty when none is close enough to
// be a likely misspelling, unless always.
std::string nearestName(const std::string& word, const std::vector<std::string>& candidates, bool always = false);

// " (did you mean X?)" when there is a near name; empty otherwise.
std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates);

}  // namespace api
}  // namespace l3xml

#endif  // L3XML_API_VALUE_RULES_H
