// What campaign checking accepts, written once: the rules as text for the command line's help, and
// the functions that apply them.
#include "api/value_rules.h"

#include <algorithm>
#include <cctype>

#include <l3xml/framework.h>

#include "pixit/pixit_maps.h"

namespace l3xml {

// The decisions of campaign checking, as the command line's help shows them.
const char* checkingRules() {
  return "How check judges a campaign where the framework leaves validity open:\n"
         "  out-of-range      Integer: an optional '-' and decimal digits; Double: the same with an optional\n"
         "                    fraction ('.' and digits), no exponent; both within Min..Max, each bound where\n"
         "                    it is a number. String: a length within MinLength..MaxLength, likewise.\n"
         "  bad-boolean       TRUE, FALSE, true, false or 1. The load writes 0 for FALSE and false and 1 for\n"
         "                    anything else, so 0, no or off would be sent as 1.\n"
         "  bad-enum          one of the type's enumerators, spelt exactly, with a NumericValue (else the\n"
         "                    text itself is sent); the message names the nearest enumerator.\n"
         "  bad-binary        decimal digits whose base-two form fits in the type's width, the length of its\n"
         "                    maxValue text (a longer form loses its high digits).\n"
         "  unknown-type      a Type that the type file does not define.\n"
         "  missing-template  a Comment is cut at '\\' and ','; each piece that ends in .xml names a template\n"
         "                    by its exact file name, in every cell (the folders before it play no part), and\n"
         "                    a search folder must hold it. A Comment that names no .xml file is prose: the\n"
         "                    test cases read that parameter themselves.\n"
         "  no-target         a named template must hold a placeholder of the parameter, or an association\n"
         "                    binding of it must write into it; only px_ parameters are written by Comment.\n"
         "  unused-parameter  a parameter whose element gives no Comment or an empty one (a Param without\n"
         "                    Comment carries the one before it, which is not taken as its own), that no\n"
         "                    placeholder and no association entry names.\n"
         "  line-too-long     each template is flattened on a temporary copy with the campaign applied as the\n"
         "                    host applies it: the association bindings, then each parameter into the\n"
         "                    templates its Comment names. Working copies under temp/ are never judged.\n";
}

namespace api {

namespace {

bool allDigits(const std::string& text, std::size_t from, std::size_t to) {
  if (from >= to) return false;
  for (std::size_t i = from; i < to; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

// Decimal digits with an optional leading '-' and, when allowed, a fraction.
bool isDecimal(const std::string& text, bool fraction) {
  const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::size_t point = fraction ? text.find('.', start) : std::string::npos;
  if (point == std::string::npos) return allDigits(text, start, text.size());
  return allDigits(text, start, point) && allDigits(text, point + 1, text.size());
}

// A bound of the type file as a number (a sign, digits, a fraction); none when it is no number.
// Read by hand: the host's locale must not change what a bound means.
std::optional<long double> numberOf(const std::string& text) {
  const std::string unsigned_ = !text.empty() && (text[0] == '+' || text[0] == '-') ? text.substr(1) : text;
  if (!isDecimal(unsigned_, true)) return std::nullopt;
  long double number = 0;
  long double scale = 1;
  bool fraction = false;
  for (char c : unsigned_) {
    if (c == '.') {
      fraction = true;
    } else if (fraction) {
      number += (scale /= 10) * (c - '0');
    } else {
      number = number * 10 + (c - '0');
    }
  }
  return text[0] == '-' ? -number : number;
}

// The value against the type's numeric bounds, each where it is a number.
std::optional<ValueProblem> judgeBounds(long double number, const std::string& shown, const ParamStructure& type,
                                        const char* what) {
  const std::optional<long double> low = numberOf(type.minValue);
  const std::optional<long double> high = numberOf(type.maxValue);
  if ((low && number < *low) || (high && number > *high)) {
    return ValueProblem{codes::kOutOfRange, std::string(what) + " " + shown + " is outside the range " +
                                                (low ? type.minValue : "") + ".." + (high ? type.maxValue : "") +
                                                " of type " + type.name};
  }
  return std::nullopt;
}

// How many base-two digits a decimal number needs; long inputs are refused by the caller.
std::size_t bitsOf(std::string digits) {
  std::size_t bits = 0;
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  while (!digits.empty()) {
    std::string half;
    int carry = 0;
    for (char c : digits) {
      const int d = carry * 10 + (c - '0');
      if (!half.empty() || d / 2 != 0) half += static_cast<char>('0' + d / 2);
      carry = d % 2;
    }
    digits = std::move(half);
    ++bits;
  }
  return bits;
}

std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::optional<ValueProblem> judgeValue(const std::string& value, const ParamStructure& type) {
  const std::string& basetype = type.basetype;
  const std::string quoted = "'" + value + "'";
  if (basetype == "Integer" || basetype == "Double") {
    const bool integer = basetype == "Integer";
    if (!isDecimal(value, !integer)) {
      return ValueProblem{codes::kOutOfRange, quoted + " is not " +
                                                  (integer ? "a decimal integer" : "a decimal number") + " (type " +
                                                  type.name + " is " + basetype + ")"};
    }
    return judgeBounds(*numberOf(value), value, type, "the value");
  }
  if (basetype == "Boolean") {
    if (value == "TRUE" || value == "FALSE" || value == "true" || value == "false" || value == "1") {
      return std::nullopt;
    }
    return ValueProblem{codes::kBadBoolean, quoted + " is not TRUE or FALSE; the load would send it as 1 (true)"};
  }
  if (basetype == "Enum") {
    const auto found = std::find(type.enumValues.begin(), type.enumValues.end(), value);
    if (found == type.enumValues.end()) {
      const std::string nearest = nearestName(value, type.enumValues, true);
      return ValueProblem{codes::kBadEnum,
                          quoted + " is not an enumerator of type " + type.name +
                              (nearest.empty() ? std::string(" (it has none)") : "; the nearest is '" + nearest + "'") +
                              ", and the text itself would be sent"};
    }
    if (static_cast<std::size_t>(found - type.enumValues.begin()) >= type.enumNumericValues.size()) {
      return ValueProblem{codes::kBadEnum, "the enumerator " + quoted + " of type " + type.name +
                                               " has no NumericValue, so the text itself would be sent"};
    }
    return std::nullopt;
  }
  if (basetype == "Binary") {
    const std::size_t width = type.maxValue.size();
    if (!allDigits(value, 0, value.size())) {
      return ValueProblem{codes::kBadBinary, quoted + " is not a decimal number (type " + type.name +
                                                 " is Binary: the value is written in base two)"};
    }
    // Counted exactly up to a length no real value reaches; beyond it the count is not worth the time.
    const bool huge = value.size() > 400;
    const std::size_t bits = huge ? std::string::npos : bitsOf(value);
    if (bits > width) {
      return ValueProblem{codes::kBadBinary, value + " needs " + (huge ? "over 1000" : std::to_string(bits)) +
                                                 " binary digits, but type " + type.name + " is " +
                                                 std::to_string(width) +
                                                 " wide (the length of its maxValue); the high digits would be lost"};
    }
    return std::nullopt;
  }
  if (basetype == "String") {
    return judgeBounds(static_cast<long double>(value.size()), std::to_string(value.size()), type, "the length");
  }
  return std::nullopt;
}

std::vector<std::string> templateNamesOf(const std::string& comment) {
  std::vector<std::string> names;
  for (std::string& piece : pixit::messageFilesOf(comment)) {
    if (piece.size() >= 4 && lower(piece.substr(piece.size() - 4)) == ".xml" &&
        std::find(names.begin(), names.end(), piece) == names.end()) {
      names.push_back(std::move(piece));
    }
  }
  return names;
}

// Case is ignored to find the nearest, since a name that differs only in case is the likeliest slip.
std::string nearestName(const std::string& word, const std::vector<std::string>& candidates, bool always) {
  const std::string key = lower(word);
  std::string best;
  std::size_t bestDistance = std::string::npos;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = editDistance(key, lower(candidate));
    if (distance < bestDistance) {
      bestDistance = distance;
      best = candidate;
    }
  }
  if (always || bestDistance <= std::max<std::size_t>(2, word.size() / 3)) return best;
  return std::string();
}

std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates) {
  const std::string nearest = nearestName(word, candidates);
  return nearest.empty() || nearest == word ? std::string() : " (did you mean " + nearest + "?)";
}

}  // namespace api
std::string nearestName(const std::string& word, const std::vector<std::string>& candidates) {
  return api::nearestName(word, candidates);
}

}  // namespace l3xml
