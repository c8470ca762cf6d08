// The variables of two tables together, as a table over both lists them.
#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace brevano {

/// The union of two variable lists in table order (each sorted, as a table's are).
inline std::vector<std::string> VariableUnion(const std::vector<std::string>& first,
                                              const std::vector<std::string>& second) {
  std::vector<std::string> both;
  both.reserve(first.size() + second.size());
  std::set_union(first.begin(), first.end(), second.begin(), second.end(), std::back_inserter(both));
  return both;
}

}  // namespace brevano
