// Printing value changes.
#include "change_list.h"

#include <iostream>

namespace l3xml_cli {

namespace {

// An empty value would vanish from the line.
std::string shown(const std::string& value) { return value.empty() ? "(empty)" : value; }

}  // namespace

void printChanges(const std::vector<ValueChange>& changes, const Palette& palette) {
  for (const ValueChange& change : changes) {
    std::cout << change.path << ": " << palette.removed(shown(change.before)) << " -> "
              << palette.value(shown(change.after)) << '\n';
  }
}

Json changesJson(const std::vector<ValueChange>& changes) {
  Json list = Json::array();
  for (const ValueChange& change : changes) {
    list.push_back({{"path", change.path}, {"old", change.before}, {"new", change.after}});
  }
  return list;
}

}  // namespace l3xml_cli
