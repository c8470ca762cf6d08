// A plain Boolean reading of a typed text, written apart from the engine: the reference that the
// tables of the differential check are measured against.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brevano::testing {

/// A Boolean function read plainly: + OR; * AND and / XOR on one level, left to right; not(...);
/// 0 and 1; names of letters, digits and "_" that begin with a letter or "_", without regard to case.
class PlainFunction {
 public:
  /// The upper-cased names, sorted.
  const std::vector<std::string>& Variables() const { return variables_; }
  /// The value for `values`, one per variable in the order of Variables().
  bool Evaluate(const std::vector<bool>& values) const;

 private:
  friend class PlainReader;
  struct Node {
    char op;  // '+', '*', '/', '!', '0', '1' or 'v'
    int a = -1, b = -1;
    int variable = -1;
  };
  bool Value(int node, const std::vector<bool>& values) const;
  std::vector<std::string> variables_;
  std::vector<Node> nodes_;
  int root_ = -1;
};

/// The plain reading of `typed`, with every blank ignored; none when the text is not of that
/// grammar (other operators or functions, other numbers, unpaired parentheses, an empty text).
std::optional<PlainFunction> ReadPlainly(std::string_view typed);

}  // namespace brevano::testing
