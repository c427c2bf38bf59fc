// Edit distance and the nearest word.
#include "suggest.h"

#include <algorithm>
#include <cctype>

namespace l3xml_cli {

namespace {

// Levenshtein distance, ignoring case: a wrong case is the smallest slip of all.
std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const bool same =
          std::tolower(static_cast<unsigned char>(a[i - 1])) == std::tolower(static_cast<unsigned char>(b[j - 1]));
      const std::size_t next = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = row[j];
      row[j] = next;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string nearest(const std::string& word, const std::vector<std::string>& candidates) {
  const std::size_t allowed = std::max<std::size_t>(1, word.size() / 3);
  std::string best;
  std::size_t bestDistance = allowed + 1;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = editDistance(word, candidate);
    if (distance < bestDistance && candidate != word) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates) {
  const std::string found = nearest(word, candidates);
  return found.empty() ? std::string() : "; did you mean '" + found + "'?";
}

}  // namespace l3xml_cli
