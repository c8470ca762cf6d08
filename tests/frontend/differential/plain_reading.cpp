// A recursive-descent reading of the plain grammar, blanks dropped first.
#include "plain_reading.h"

#include <algorithm>
#include <cctype>

namespace brevano::testing {

bool PlainFunction::Evaluate(const std::vector<bool>& values) const { return Value(root_, values); }

bool PlainFunction::Value(int node, const std::vector<bool>& values) const {
  const Node& n = nodes_[static_cast<std::size_t>(node)];
  switch (n.op) {
    case '+': return Value(n.a, values) || Value(n.b, values);
    case '*': return Value(n.a, values) && Value(n.b, values);
    case '/': return Value(n.a, values) != Value(n.b, values);
    case '!': return !Value(n.a, values);
    case '1': return true;
    case 'v': return values[static_cast<std::size_t>(n.variable)];
    default: return false;
  }
}

class PlainReader {
 public:
  explicit PlainReader(std::string text) : s_(std::move(text)) {}

  std::optional<PlainFunction> Read() {
    const int root = Sum();
    if (root < 0 || at_ != s_.size()) return std::nullopt;
    f_.root_ = root;
    // Variable indexes were given in order of appearance; renumber them in sorted order.
    std::vector<std::string> sorted = f_.variables_;
    std::sort(sorted.begin(), sorted.end());
    for (PlainFunction::Node& n : f_.nodes_) {
      if (n.op != 'v') continue;
      const std::string& name = f_.variables_[static_cast<std::size_t>(n.variable)];
      n.variable = static_cast<int>(std::lower_bound(sorted.begin(), sorted.end(), name) - sorted.begin());
    }
    f_.variables_ = std::move(sorted);
    return std::move(f_);
  }

 private:
  int Add(char op, int a = -1, int b = -1, int variable = -1) {
    f_.nodes_.push_back({op, a, b, variable});
    return static_cast<int>(f_.nodes_.size()) - 1;
  }

  bool Take(char c) {
    if (at_ < s_.size() && s_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  int Sum() {
    int left = Product();
    while (left >= 0 && Take('+')) {
      const int right = Product();
      left = right < 0 ? -1 : Add('+', left, right);
    }
    return left;
  }

  int Product() {
    int left = Factor();
    while (left >= 0 && at_ < s_.size() && (s_[at_] == '*' || s_[at_] == '/')) {
      const char op = s_[at_++];
      const int right = Factor();
      left = right < 0 ? -1 : Add(op, left, right);
    }
    return left;
  }

  static bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
  static bool IsNamePart(char c) { return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c)); }

  int Factor() {
    if (Take('(')) {
      const int inner = Sum();
      return inner >= 0 && Take(')') ? inner : -1;
    }
    if (at_ < s_.size() && (s_[at_] == '0' || s_[at_] == '1')) {
      const char c = s_[at_++];
      if (at_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[at_])) || s_[at_] == '.')) return -1;
      return Add(c);
    }
    if (at_ >= s_.size() || !IsNameStart(s_[at_])) return -1;
    std::string name;
    while (at_ < s_.size() && IsNamePart(s_[at_]))
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(s_[at_++])));
    if (name == "NOT" && Take('(')) {
      const int inner = Sum();
      return inner >= 0 && Take(')') ? Add('!', inner) : -1;
    }
    auto found = std::find(f_.variables_.begin(), f_.variables_.end(), name);
    if (found == f_.variables_.end()) found = f_.variables_.insert(found, name);
    return Add('v', -1, -1, static_cast<int>(found - f_.variables_.begin()));
  }

  std::string s_;
  std::size_t at_ = 0;
  PlainFunction f_;
};

std::optional<PlainFunction> ReadPlainly(std::string_view typed) {
  std::string text;
  for (char c : typed) {
    if (static_cast<unsigned char>(c) > 32) text += c;
  }
  return PlainReader(std::move(text)).Read();
}

}  // namespace brevano::testing
