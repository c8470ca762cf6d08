// A random function tree printed token by token, with the habits of a typing person.
#include "typed_texts.h"

#include <array>
#include <random>
#include <vector>

namespace brevano::testing {

namespace {

struct Node {
  char op;  // '+', '*', '/', '!', '0', '1' or 'v'
  int a = -1, b = -1;
  std::string name;
};

constexpr std::array<const char*, 14> kShortNames = {"x1",  "x2", "en", "sel",  "clk", "rst",   "carry",
                                                     "sum", "q0", "q1", "in_a", "b2",  "valid", "Y"};
constexpr std::array<const char*, 6> kLongNames = {
    "carry_in_from_previous_stage_1", "carry_in_from_previous_stage_2", "long_signal_name_enable_a",
    "long_signal_name_enable_b",      "abcdefghijklmnopqrstuvw",        "address_decoder_select_line"};

// Constructs the table ignores or reads differently; "@" stands for a name, "#" for a second one.
constexpr std::array<const char*, 44> kOddities = {
    "@-#",  "sin(@)", "@&#",      "@&&#",    "@||#",  "@|#",     "~@",     "!@",      "@^#",
    "2",    "1.0",    "not(@,#)", "f(@,#)",  "@∧#",   "@∨#",     "¬@",     "@⊕#",     "@·#",
    "@→#",  "@↔#",    "@⊼#",      "@⊽#",     "@≡#",   "@ and #", "@ or #", "@ xor #", "not @",
    "TRUE", "false",  "@'",       "@;#",     "(@",    "@)",      "@[1]",   "@==#",    "@=#",
    "@:#",  "f(@;#)", "@ #",      "not (@)", "@ ⋀ #", "@⇒#",     "¬(@+#)", "@ ≢ #"};

class Writer {
 public:
  Writer(std::uint64_t seed, std::uint64_t index) : rng_(seed * 0x9E3779B97F4A7C15ull + index) {}

  std::string Text() {
    PickNames();
    spaces_ = Pick({35, 30, 15, 20});
    letterCase_ = Pick({70, 10, 20});
    oddities_ = Chance(5) ? 1 : 0;
    const int root = Tree(1 + static_cast<int>(rng_() % 4));
    Print(root, false);
    std::string text;
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
      if (Space(i)) text += ' ';
      text += tokens_[i];
    }
    if (spaces_ == 3 && Chance(15)) text += ' ';
    return text;
  }

 private:
  bool Chance(int percent) { return static_cast<int>(rng_() % 100) < percent; }

  int Pick(std::initializer_list<int> weights) {
    int total = 0;
    for (int w : weights) total += w;
    int r = static_cast<int>(rng_() % static_cast<std::uint64_t>(total));
    int i = 0;
    for (int w : weights) {
      if (r < w) return i;
      r -= w;
      ++i;
    }
    return i - 1;
  }

  void PickNames() {
    const int count = 1 + static_cast<int>(rng_() % 5);
    for (int i = 0; i < count; ++i) {
      const int kind = Pick({60, 32, 8});
      if (kind == 0) names_.emplace_back(1, static_cast<char>('a' + rng_() % 8));
      if (kind == 1) names_.emplace_back(kShortNames[rng_() % kShortNames.size()]);
      if (kind == 2) names_.emplace_back(kLongNames[rng_() % kLongNames.size()]);
    }
  }

  std::string Cased(std::string text) {
    for (char& c : text) {
      const bool upper = letterCase_ == 1 || (letterCase_ == 2 && rng_() % 2);
      if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
  }

  std::string Name() { return Cased(names_[rng_() % names_.size()]); }

  int Add(Node node) {
    nodes_.push_back(std::move(node));
    return static_cast<int>(nodes_.size()) - 1;
  }

  int Tree(int depth) {
    if (depth == 0 || Chance(20)) {
      if (Chance(8)) return Add({Chance(50) ? '1' : '0', -1, -1, {}});
      if (oddities_ > 0 && Chance(40)) {
        --oddities_;
        return Add({'?', -1, -1, Oddity()});
      }
      return Add({'v', -1, -1, Name()});
    }
    if (Chance(18)) return Add({'!', Tree(depth - 1), -1, {}});
    static constexpr char kOps[] = {'+', '*', '/'};
    const char op = kOps[rng_() % 3];
    const int a = Tree(depth - 1);
    return Add({op, a, Tree(depth - 1), {}});
  }

  std::string Oddity() {
    std::string text = kOddities[rng_() % kOddities.size()];
    for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, Name());
    for (std::size_t at; (at = text.find('#')) != std::string::npos;) text.replace(at, 1, Name());
    return text;
  }

  static int Level(char op) { return op == '+' ? 1 : op == '*' || op == '/' ? 2 : 3; }

  // True when the left spine of `node` within its level holds an operator other than `op`.
  bool MixedSpine(int node, char op) const {
    for (int n = node; Level(nodes_[n].op) == Level(op); n = nodes_[n].a) {
      if (nodes_[n].op != op) return true;
    }
    return false;
  }

  bool NeedsParentheses(int parent, int child, bool right) const {
    const char p = nodes_[parent].op, c = nodes_[child].op;
    if (Level(c) != Level(p)) return Level(c) < Level(p);
    return right && (c != p || MixedSpine(child, c));
  }

  void Print(int node, bool wrap) {
    const Node& n = nodes_[node];
    wrap = wrap || (Chance(6) && n.op != 'v');
    if (wrap) tokens_.push_back("(");
    if (n.op == 'v' || n.op == '?' || n.op == '0' || n.op == '1') {
      tokens_.push_back(n.op == 'v' || n.op == '?' ? n.name : std::string(1, n.op));
    } else if (n.op == '!') {
      tokens_.push_back(Pick({80, 10, 10}) == 0 ? "not" : Chance(50) ? "NOT" : "Not");
      tokens_.push_back("(");
      Print(n.a, false);
      tokens_.push_back(")");
    } else {
      // People who read AND before XOR put a "/" left of a "*" in parentheses, mostly.
      const bool xorLeftOfAnd = n.op == '*' && nodes_[n.a].op == '/';
      Print(n.a, NeedsParentheses(node, n.a, false) || (xorLeftOfAnd && !Chance(10)));
      tokens_.push_back(std::string(1, n.op));
      Print(n.b, NeedsParentheses(node, n.b, true));
    }
    if (wrap) tokens_.push_back(")");
  }

  // Whether a blank goes before token i.
  bool Space(std::size_t i) {
    const std::string& t = tokens_[i];
    const bool binary = t == "+" || t == "*" || t == "/";
    const bool afterBinary =
        i > 0 && (tokens_[i - 1] == "+" || tokens_[i - 1] == "*" || tokens_[i - 1] == "/");
    switch (spaces_) {
      case 1: return binary || afterBinary;
      case 2: return t == "+" || (i > 0 && tokens_[i - 1] == "+");
      case 3: return Chance(25);
      default: return false;
    }
  }

  std::mt19937_64 rng_;
  std::vector<std::string> names_;
  std::vector<Node> nodes_;
  std::vector<std::string> tokens_;
  int spaces_ = 0;
  int letterCase_ = 0;
  int oddities_ = 0;
};

}  // namespace

std::string TypedText(std::uint64_t seed, std::uint64_t index) { return Writer(seed, index).Text(); }

}  // namespace brevano::testing
