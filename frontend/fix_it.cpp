// The likely meaning of a text: its tokens read by a small grammar of the usual notations and
// written back in the program's syntax, then kept only where its table is warned of less.
#include "frontend/fix_it.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "engine/text_tests.h"
#include "frontend/line_warnings.h"
#include "frontend/missing_operand.h"
#include "pipeline/pipeline.h"
#include "tabulate/tabulation.h"

namespace brevano {

namespace {

enum class Kind { kName, kOpen, kClose, kAnd, kOr, kXor, kNot, kPrime, kLow, kSemicolon, kComma, kEnd };

struct Token {
  Kind kind;
  std::string text;  // a name as typed; for kLow the rewriting: 'i'mplies, 'e'quals, n'a'nd, n'o'r
  bool blankBefore = false;
  bool tabBefore = false;
};

struct Sign {
  std::string_view text;
  Kind kind;
  char low = 0;
};

// Longer signs before their prefixes ("&&" before "&", "!=" before "!", "==" before "=").
constexpr Sign kSigns[] = {
    {"&&", Kind::kAnd},     {"||", Kind::kOr},       {"!=", Kind::kXor},     {"==", Kind::kLow, 'e'},
    {"∧", Kind::kAnd},      {"⋀", Kind::kAnd},       {"·", Kind::kAnd},      {"⋅", Kind::kAnd},
    {"∙", Kind::kAnd},      {"×", Kind::kAnd},       {"&", Kind::kAnd},      {"*", Kind::kAnd},
    {"∨", Kind::kOr},       {"⋁", Kind::kOr},        {"|", Kind::kOr},       {"+", Kind::kOr},
    {"⊕", Kind::kXor},      {"⊻", Kind::kXor},       {"≢", Kind::kXor},      {"↮", Kind::kXor},
    {"≠", Kind::kXor},      {"^", Kind::kXor},       {"\\", Kind::kXor},     {"/", Kind::kXor},
    {"¬", Kind::kNot},      {"∼", Kind::kNot},       {"~", Kind::kNot},      {"!", Kind::kNot},
    {"’", Kind::kPrime},    {"′", Kind::kPrime},     {"'", Kind::kPrime},    {"→", Kind::kLow, 'i'},
    {"⇒", Kind::kLow, 'i'}, {"⊃", Kind::kLow, 'i'},  {"⟶", Kind::kLow, 'i'}, {"⟹", Kind::kLow, 'i'},
    {"↔", Kind::kLow, 'e'}, {"⇔", Kind::kLow, 'e'},  {"≡", Kind::kLow, 'e'}, {"⟷", Kind::kLow, 'e'},
    {"⟺", Kind::kLow, 'e'}, {"⊙", Kind::kLow, 'e'},  {"=", Kind::kLow, 'e'}, {"⊼", Kind::kLow, 'a'},
    {"↑", Kind::kLow, 'a'}, {"⊽", Kind::kLow, 'o'},  {"↓", Kind::kLow, 'o'}, {"(", Kind::kOpen},
    {")", Kind::kClose},    {";", Kind::kSemicolon}, {",", Kind::kComma},    {"⊤", Kind::kName},
    {"⊥", Kind::kName},
};

struct NoReading {};

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) < 33; }

const Sign* SignAt(std::string_view text, std::size_t at) {
  for (const Sign& sign : kSigns) {
    if (text.substr(at, sign.text.size()) == sign.text) return &sign;
  }
  return nullptr;
}

// A "," inside a number where the decimal separator is ",": "1,0".
bool DecimalComma(std::string_view text, std::size_t at, const std::string& name) {
  return DecimalSeparator() == ',' && !name.empty() && IsNumberText(name) && at + 1 < text.size() &&
         text[at + 1] >= '0' && text[at + 1] <= '9';
}

std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  bool blank = false, tab = false;
  std::string name;
  const auto push = [&](Token token) {
    token.blankBefore = blank;
    token.tabBefore = tab;
    blank = tab = false;
    tokens.push_back(std::move(token));
  };
  const auto endName = [&] {
    if (name.empty()) return;
    const std::string upper = Upper(name);
    const Kind kind = upper == "AND"   ? Kind::kAnd
                      : upper == "OR"  ? Kind::kOr
                      : upper == "XOR" ? Kind::kXor
                                       : Kind::kName;
    push({kind, std::move(name)});
    name.clear();
  };
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (IsBlank(c)) {
      endName();
      blank = true;
      tab = tab || c == '\t';
      ++i;
      continue;
    }
    const Sign* sign = c == ',' && DecimalComma(text, i, name) ? nullptr : SignAt(text, i);
    if (sign) {
      endName();
      Token token{sign->kind, sign->kind == Kind::kLow ? std::string(1, sign->low) : std::string(sign->text)};
      if (sign->text == "⊤") token.text = "1";
      if (sign->text == "⊥") token.text = "0";
      push(std::move(token));
      i += sign->text.size();
      continue;
    }
    // What ends a name and means nothing the rewriting knows: no reading is offered.
    for (const std::string_view unknown : {"-", "[", "]", ":", "<", ">", "@", "¯"}) {
      if (text.substr(i, unknown.size()) == unknown) throw NoReading{};
    }
    name += c;
    ++i;
  }
  endName();
  push({Kind::kEnd, {}});
  return tokens;
}

// A part of the rewritten text: whether it is one operand (a name, a call, a group).
struct Part {
  std::string text;
  bool single = true;
  bool group = false;  // "( … )"
};

std::string Wrapped(const Part& part) { return part.single ? part.text : "(" + part.text + ")"; }

Part Negated(const Part& part) { return {part.group ? "not" + part.text : "not(" + part.text + ")"}; }

// The constant a padded number stands for ("1.0", "00"), or the text itself.
std::string Constant(const std::string& text) {
  if (!IsNumberText(text) || !IsDisguisedConstant(text)) return text;
  std::string number = text;
  std::replace(number.begin(), number.end(), ',', '.');
  return std::strtod(number.c_str(), nullptr) == 0.0 ? "0" : "1";
}

// Recursive descent over the tokens: a level of at most one implication, equivalence, NAND or
// NOR sign over sums, sums of products, products of negated and primed operands.
class Reader {
 public:
  explicit Reader(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::string Whole() {
    std::string text = Level().text;
    Expect(Kind::kEnd);
    return text;
  }

 private:
  const Token& Peek() const { return tokens_[at_]; }
  const Token& Next() { return tokens_[at_ < tokens_.size() - 1 ? at_++ : at_]; }
  void Expect(Kind kind) {
    if (Peek().kind != kind) throw NoReading{};
    Next();
  }
  void Descend() {
    if (++depth_ > kMaxDepth) throw NoReading{};
  }

  Part Level() {
    Descend();
    const Part left = Sum();
    --depth_;
    if (Peek().kind != Kind::kLow) return left;
    const char low = Next().text[0];
    Descend();
    const Part right = Sum();
    --depth_;
    if (Peek().kind == Kind::kLow) throw NoReading{};  // how a chain of them groups is anyone's guess
    switch (low) {
      case 'i': return {"not(" + left.text + ")+" + right.text, false};
      case 'e': return {"not(" + Wrapped(left) + "/" + Wrapped(right) + ")"};
      case 'a': return {"not(" + Wrapped(left) + "*" + Wrapped(right) + ")"};
      default: return {"not(" + left.text + "+" + right.text + ")"};
    }
  }

  Part Sum() {
    Part part = Product();
    while (Peek().kind == Kind::kOr) {
      Next();
      part.text += '+';
      part.text += Product().text;
      part.single = part.group = false;
    }
    return part;
  }

  static bool StartsOperand(const Token& token) {
    return token.kind == Kind::kName || token.kind == Kind::kOpen || token.kind == Kind::kNot;
  }

  Part Product() {
    Part part = Unary();
    std::string last = part.text;
    for (;;) {
      const Token& token = Peek();
      char op = 0;
      if (token.kind == Kind::kAnd) op = '*';
      if (token.kind == Kind::kXor) op = '/';
      const bool juxtaposed = op == 0 && StartsOperand(token);
      if (op == 0 && !juxtaposed) return part;
      // Blanks between two operands mean AND, unless a tab is among them (cells of pasted rows).
      if (juxtaposed && token.tabBefore) throw NoReading{};
      if (!juxtaposed) Next();
      const Part right = Unary();
      if (juxtaposed && IsNumberText(last) && IsNumberText(right.text)) throw NoReading{};
      part.text += juxtaposed ? '*' : op;
      part.text += right.text;
      part.single = part.group = false;
      last = right.text;
    }
  }

  Part Unary() {
    Descend();
    Part part;
    if (Peek().kind == Kind::kNot) {
      Next();
      part = Negated(Unary());
    } else {
      part = Primary();
    }
    int primes = 0;  // each wraps the operand again: they count as depth
    for (; Peek().kind == Kind::kPrime; ++primes) {
      Descend();
      Next();
      part = Negated(part);
    }
    depth_ -= primes + 1;
    return part;
  }

  Part Primary() {
    const Token token = Next();
    if (token.kind == Kind::kOpen) {
      const Part inner = Level();
      Expect(Kind::kClose);
      return {"(" + inner.text + ")", true, true};
    }
    if (token.kind != Kind::kName) throw NoReading{};
    const std::string upper = Upper(token.text);
    const bool call =
        Peek().kind == Kind::kOpen && (!Peek().blankBefore || upper == "NOT" || upper == "DIFF");
    if (call) {
      Next();
      if (upper == "NOT") {
        const Part inner = Level();
        Expect(Kind::kClose);
        return {"not(" + inner.text + ")"};
      }
      std::string arguments = Level().text;
      while (Peek().kind == Kind::kSemicolon || (Peek().kind == Kind::kComma && upper == "DIFF")) {
        Next();
        arguments += ";" + Level().text;
      }
      Expect(Kind::kClose);
      return {token.text + "(" + arguments + ")"};
    }
    if (upper == "NOT") return Negated(Unary());
    if (upper == "TRUE") return {"1"};
    if (upper == "FALSE") return {"0"};
    return {Constant(token.text)};
  }

  static constexpr int kMaxDepth = 2'000;
  std::vector<Token> tokens_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace

std::optional<std::string> RewrittenAsMeant(std::string_view typed) {
  try {
    std::string text = Reader(Tokens(typed)).Whole();
    if (text == typed) return std::nullopt;
    return text;
  } catch (const NoReading&) {
    return std::nullopt;
  }
}

namespace {

// The diagnosis of the table of `text`, or none when its table cannot be built.
std::optional<Diagnosis> DiagnosisOf(const std::string& text, int maxVariables) {
  try {
    ExprTree tree;
    const Listing listing = ProcessExpression(text, tree);
    const std::vector<ListedLine> lines = ClassifyListing(tree, listing);
    if (FirstMissingOperand(lines)) return std::nullopt;
    TruthTable::Build(listing, DisplayMode::kZeroOne, maxVariables);
    return DiagnoseLines(TypedReading(text), tree, lines);
  } catch (const EngineError&) {
    return std::nullopt;
  }
}

}  // namespace

void SuggestCorrection(std::string_view typed, Diagnosis& diagnosis, int maxVariables) {
  diagnosis.suggestion.clear();
  if (diagnosis.warnings.empty()) return;
  const std::optional<std::string> text = RewrittenAsMeant(typed);
  if (!text) return;
  const std::optional<Diagnosis> again = DiagnosisOf(*text, maxVariables);
  if (!again || again->warnings.size() >= diagnosis.warnings.size()) return;
  for (const std::string& warning : again->warnings) {
    if (std::find(diagnosis.warnings.begin(), diagnosis.warnings.end(), warning) == diagnosis.warnings.end())
      return;
  }
  diagnosis.suggestion = *text;
}

std::optional<std::string> SuggestionAfterError(std::string_view typed, int maxVariables) {
  const std::optional<std::string> text = RewrittenAsMeant(typed);
  if (!text) return std::nullopt;
  const std::optional<Diagnosis> diagnosis = DiagnosisOf(*text, maxVariables);
  if (!diagnosis || !diagnosis->warnings.empty()) return std::nullopt;
  return text;
}

}  // namespace brevano
