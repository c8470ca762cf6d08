// The character-based expression parser: precedence by splitting at depth-0 operators.
#include "engine/parser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace brevano {

namespace {

constexpr std::size_t kMaxLeafText = 23;

// Every subexpression the parser meets is a range [a, b) of the original text, optionally led by
// a virtual "0" (the subtraction from zero that a leading minus turns into). Instead of copying
// and rescanning each piece, the text is indexed once:
//
// - paren[i] is the parenthesis counter after the first i characters of the whole text;
// - a character's key is its parenthesis counter and the bracket counter of its parenthesis
//   level, both taken after the character. Within a piece starting at a, a character p is at
//   depth 0 exactly when its key equals the key of character a - 1 (or (0, 0) when a is 0),
//   because both counters of the piece are differences of the global ones;
// - for every operator class, the positions of each key in ascending order, so that the first or
//   last depth-0 operator of a piece is one binary search;
// - a sparse table of range minima of paren, which decides each layer of outer parentheses in
//   constant time.
//
// Parsing is then O(n log n) whatever the shape of the text, and no piece is copied.
enum OpClass { kSeparator, kColon, kEquation, kComparison, kAdditive, kMultiplicative, kPower, kClassCount };

struct Piece {
  bool zero;  // led by a virtual "0"
  std::size_t a;
  std::size_t b;
  std::size_t Length() const { return b - a + (zero ? 1 : 0); }
};

class TextIndex {
 public:
  explicit TextIndex(std::string_view text) : s_(text), paren_(text.size() + 1, 0), key_(text.size()) {
    const std::size_t n = text.size();
    std::unordered_map<std::int64_t, std::int64_t> bracket;  // bracket counter per parenthesis level
    for (std::size_t i = 0; i < n; ++i) {
      const char c = text[i];
      paren_[i + 1] = paren_[i] + (c == '(') - (c == ')');
      std::int64_t& level = bracket[paren_[i + 1]];
      level += (c == '[') - (c == ']');
      key_[i] = Pack(paren_[i + 1], level);
      const int cls = ClassOf(i);
      if (cls >= 0) positions_[static_cast<std::size_t>(cls)][key_[i]].push_back(i);
    }
    BuildMinima();
  }

  // Number of layers of enclosing parentheses that stripping removes from [a, b).
  std::size_t StripLayers(std::size_t a, std::size_t b) const {
    if (b - a <= 2) return 0;
    std::size_t j = 0;
    while (b - a > 2 * j && s_[a + j] == '(' && s_[b - 1 - j] == ')') {
      // The walk over positions a+j+1 .. b-j-2 starts its counter at 1 and stops when it meets 0.
      const std::size_t lo = a + j + 2, hi = b - j - 1;  // paren_ indexes after those positions
      if (lo <= hi && MinParen(lo, hi) <= paren_[a + j + 1] - 1) break;
      ++j;
    }
    return j;
  }

  // Last (or first) position of class cls at depth 0 of the piece, within [lo, hi].
  std::int64_t Find(int cls, const Piece& piece, std::size_t lo, std::size_t hi, bool last) const {
    if (lo > hi || hi >= s_.size()) return -1;
    const std::int64_t base = piece.a == 0 ? Pack(0, 0) : key_[piece.a - 1];
    const auto& byKey = positions_[static_cast<std::size_t>(cls)];
    const auto found = byKey.find(base);
    if (found == byKey.end()) return -1;
    const auto& list = found->second;
    if (last) {
      auto it = std::upper_bound(list.begin(), list.end(), hi);
      if (it == list.begin()) return -1;
      --it;
      return *it >= lo ? static_cast<std::int64_t>(*it) : -1;
    }
    auto it = std::lower_bound(list.begin(), list.end(), lo);
    return it != list.end() && *it <= hi ? static_cast<std::int64_t>(*it) : -1;
  }

  char At(std::size_t i) const { return s_[i]; }

 private:
  static std::int64_t Pack(std::int64_t paren, std::int64_t bracket) {
    return paren * (std::int64_t{1} << 32) + bracket;
  }

  bool IsTwoCharComparison(std::size_t i) const {
    if (i + 1 >= s_.size()) return false;
    const char c = s_[i], d = s_[i + 1];
    return d == '=' && (c == '=' || c == '!' || c == '>' || c == '<');
  }

  int ClassOf(std::size_t i) const {
    switch (s_[i]) {
      case ';': return kSeparator;
      case ':': return kColon;
      case '+':
      case '-': return kAdditive;
      case '*':
      case '/': return kMultiplicative;
      case '^': return kPower;
      case '<':
      case '>': return kComparison;
      case '=':
      case '!':
        if (IsTwoCharComparison(i)) return kComparison;
        if (s_[i] == '=' && i > 0 && i + 1 < s_.size() && s_[i + 1] != '=') {
          const char left = s_[i - 1];
          if (left != '=' && left != '!' && left != '<' && left != '>') return kEquation;
        }
        return -1;
      default: return -1;
    }
  }

  void BuildMinima() {
    const std::size_t n = paren_.size();
    minima_.push_back(paren_);
    for (std::size_t width = 1; 2 * width <= n; width *= 2) {
      const auto& prev = minima_.back();
      std::vector<std::int64_t> next(n - 2 * width + 1);
      for (std::size_t i = 0; i < next.size(); ++i) next[i] = std::min(prev[i], prev[i + width]);
      minima_.push_back(std::move(next));
    }
  }

  std::int64_t MinParen(std::size_t lo, std::size_t hi) const {
    std::size_t level = 0;
    while ((std::size_t{2} << level) <= hi - lo + 1) ++level;
    return std::min(minima_[level][lo], minima_[level][hi + 1 - (std::size_t{1} << level)]);
  }

 public:
  bool TwoChar(std::size_t i) const { return IsTwoCharComparison(i); }

 private:
  std::string_view s_;
  std::vector<std::int64_t> paren_;
  std::vector<std::int64_t> key_;
  std::array<std::unordered_map<std::int64_t, std::vector<std::size_t>>, kClassCount> positions_;
  std::vector<std::vector<std::int64_t>> minima_;
};

// Work items of the explicit parse stack; LIFO order reproduces the recursive order exactly.
struct Task {
  enum Kind { kParseInto, kAppendChildAndParse, kAppendSiblingAndParse } kind;
  ExprNode* node;
  Piece piece;
};

class Parser {
 public:
  Parser(ExprTree& tree, std::string_view text, std::vector<ParsedPiece>* pieces)
      : tree_(tree), text_(text), index_(text), pieces_(pieces) {}

  void Run(ExprNode* node) {
    tasks_.push_back({Task::kParseInto, node, {false, 0, text_.size()}});
    while (!tasks_.empty()) {
      Task task = tasks_.back();
      tasks_.pop_back();
      ExprNode* target = task.node;
      if (task.kind == Task::kAppendChildAndParse) target = AppendChild(tree_, task.node, "");
      if (task.kind == Task::kAppendSiblingAndParse) target = AppendSibling(tree_, task.node, "");
      Parse(target, task.piece);
    }
  }

 private:
  std::string TextOf(const Piece& p, std::size_t limit) const {
    std::string out = p.zero ? "0" : "";
    const std::size_t room = limit - out.size();
    out.append(text_.substr(p.a, std::min(room, p.b - p.a)));
    return out;
  }

  void SplitOperator(ExprNode* node, const Piece& p, std::size_t at, std::size_t width) {
    SetNodeText(node, text_.substr(at, width));
    tasks_.push_back({Task::kAppendChildAndParse, node, {false, at + width, p.b}});
    tasks_.push_back({Task::kAppendChildAndParse, node, {p.zero, p.a, at}});
  }

  void Parse(ExprNode* node, Piece p) {
    const std::size_t outer = p.a;
    if (!p.zero) {
      const std::size_t layers = index_.StripLayers(p.a, p.b);
      p.a += layers;
      p.b -= layers;
      if (p.a >= p.b) return;
      if (text_[p.a] == '-') p.zero = true;
    }
    SetNodeText(node, TextOf(p, kMaxLeafText));
    if (pieces_) pieces_->push_back({node, p.a, p.b, outer, p.zero});
    if (p.a == p.b) return;  // the lone "0" left of a leading minus
    const std::size_t all = p.b - 1;
    // Positions 2 .. len-1 of the piece's text, in the original text's coordinates.
    const std::size_t inner = p.a + (p.zero ? 0 : 1);
    const bool hasInner = p.b >= 2 && inner <= p.b - 2;
    const std::size_t innerEnd = hasInner ? p.b - 2 : 0;

    if (auto k = index_.Find(kSeparator, p, p.a, all, false); k >= 0) {
      const auto at = static_cast<std::size_t>(k);
      tasks_.push_back({Task::kAppendSiblingAndParse, node, {false, at + 1, p.b}});
      tasks_.push_back({Task::kParseInto, node, {p.zero, p.a, at}});
      return;
    }
    if (auto k = index_.Find(kColon, p, p.a, all, true); k >= 0) {
      return SplitOperator(node, p, static_cast<std::size_t>(k), 1);
    }
    if (hasInner) {
      if (auto k = index_.Find(kEquation, p, inner, innerEnd, true); k >= 0) {
        return SplitOperator(node, p, static_cast<std::size_t>(k), 1);
      }
      if (auto k = index_.Find(kComparison, p, inner, innerEnd, true); k >= 0) {
        const auto at = static_cast<std::size_t>(k);
        return SplitOperator(node, p, at, index_.TwoChar(at) ? 2 : 1);
      }
    }
    for (int cls : {kAdditive, kMultiplicative, kPower}) {
      if (auto k = index_.Find(cls, p, p.a, all, true); k >= 0) {
        return SplitOperator(node, p, static_cast<std::size_t>(k), 1);
      }
    }
    const std::size_t open = text_.substr(p.a, p.b - p.a).find_first_of("([");
    if (p.zero || open == std::string_view::npos) return;
    const std::size_t at = p.a + open;
    std::string name(text_.substr(p.a, open));
    name += text_[at] == '(' ? " @F" : " @A";
    SetNodeText(node, name);
    const std::size_t insideEnd = std::max(at + 1, p.b - 1);
    tasks_.push_back({Task::kAppendChildAndParse, node, {false, at + 1, insideEnd}});
  }

  ExprTree& tree_;
  std::string_view text_;
  TextIndex index_;
  std::vector<ParsedPiece>* pieces_;
  std::vector<Task> tasks_;
};

}  // namespace

std::string StripOuterParens(std::string_view text) {
  const TextIndex index(text);
  const std::size_t layers = index.StripLayers(0, text.size());
  return std::string(text.substr(layers, text.size() - 2 * layers));
}

void ParseExpression(ExprTree& tree, std::string_view text, ExprNode* node) {
  Parser(tree, text, nullptr).Run(node);
}

void ParseExpression(ExprTree& tree, std::string_view text, ExprNode* node,
                     std::vector<ParsedPiece>& pieces) {
  Parser(tree, text, &pieces).Run(node);
}

}  // namespace brevano
