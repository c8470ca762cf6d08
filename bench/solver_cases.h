// The functions too complex for a decision diagram that the solver's benchmarks time: the command-line
// and library bench and the window bench measure the same texts.
#pragma once

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace brevano::bench {

/// A variable's name: the prefix and two digits ("x07").
inline std::string Name(char prefix, int i) {
  char text[16];
  std::snprintf(text, sizeof text, "%c%02d", prefix, i);
  return text;
}

/// A random expression tree, kept to be written twice: as generated, and rewritten.
struct Tree {
  char op = 0;  // '+', '*', '/', or 0 for a variable
  int variable = 0;
  bool negated = false;
  std::unique_ptr<Tree> left, right;
};

/// A tree of `leaves` leaves over x00..x(variables-1), a quarter of its nodes negated.
inline std::unique_ptr<Tree> RandomTree(std::mt19937_64& rng, int variables, int leaves) {
  auto tree = std::make_unique<Tree>();
  tree->negated = rng() % 4 == 0;
  if (leaves <= 1) {
    tree->variable = static_cast<int>(rng() % variables);
    return tree;
  }
  const int left = 1 + static_cast<int>(rng() % (leaves - 1));
  tree->op = "+*/"[rng() % 3];
  tree->left = RandomTree(rng, variables, left);
  tree->right = RandomTree(rng, variables, leaves - left);
  return tree;
}

/// "not(text)" when negated.
inline std::string Negated(const std::string& text, bool negated) {
  return negated ? "not(" + text + ")" : text;
}

/// The tree as generated, fully parenthesised.
inline std::string Written(const Tree& tree) {
  if (!tree.op) return Negated(Name('x', tree.variable), tree.negated);
  return Negated("(" + Written(*tree.left) + tree.op + Written(*tree.right) + ")", tree.negated);
}

/// The tree with every operand pair swapped, OR and AND by De Morgan, and chains of one operator
/// regrouped ((x op y) op z as x op (y op z)), which the solver's gate sharing does not see through.
inline std::string Rewritten(const Tree& tree, bool negate = false) {
  negate = negate != tree.negated;
  if (!tree.op) return Negated(Name('x', tree.variable), negate);
  const Tree& a = *tree.left;
  const Tree& b = *tree.right;
  if (tree.op != '/' && a.op == tree.op && !a.negated) {
    // (p op q) op b -> p op (q op b), by De Morgan when negated: not(p) op' (not(q) op' not(b)).
    const char op = negate ? (tree.op == '+' ? '*' : '+') : tree.op;
    const std::string inner = "(" + Rewritten(*a.right, negate) + op + Rewritten(b, negate) + ")";
    return "(" + Rewritten(*a.left, negate) + op + inner + ")";
  }
  if (tree.op == '/') return Negated("(" + Rewritten(b) + "/" + Rewritten(a) + ")", negate);
  const char op = negate ? (tree.op == '+' ? '*' : '+') : tree.op;
  return "(" + Rewritten(b, negate) + op + Rewritten(a, negate) + ")";
}

/// The text with its first variable name replaced by the next variable's.
inline std::string OneLiteralChanged(std::string text, int variables) {
  const std::size_t at = text.find('x');
  const int v = std::stoi(text.substr(at + 1, 2));
  return text.replace(at, 3, Name('x', (v + 1) % variables));
}

/// a > b over 31 bits, every a before every b: from the most significant bit down, or as a ripple
/// from the least significant bit up.
inline std::string Greater(bool ripple) {
  std::string text = ripple ? Name('a', 30) + "*not(" + Name('b', 30) + ")" : "0";
  for (int i = ripple ? 29 : 30; i >= 0; --i) {
    const std::string a = Name('a', i), b = Name('b', i);
    text = ripple ? a + "*not(" + b + ")+(" + a + "+not(" + b + "))*(" + text + ")"
                  : a + "*not(" + b + ")+not(" + a + "/" + b + ")*(" + text + ")";
  }
  return text;
}

/// A sum of products as written and rewritten (terms and their literals in reverse order).
struct Sum {
  std::string written, rewritten;
};

/// A sum of `terms` random products of 6 to 20 literals over 54 inputs, as a two-level PLA holds.
inline Sum RandomSum(std::mt19937_64& rng, int terms) {
  std::vector<std::vector<std::string>> products;
  for (int t = 0; t < terms; ++t) {
    std::vector<int> chosen(54);
    for (int i = 0; i < 54; ++i) chosen[i] = i;
    std::shuffle(chosen.begin(), chosen.end(), rng);
    chosen.resize(6 + rng() % 15);
    std::sort(chosen.begin(), chosen.end());
    std::vector<std::string> literals;
    for (int v : chosen) literals.push_back(Negated(Name('x', v), rng() % 2));
    products.push_back(literals);
  }
  auto join = [](const std::vector<std::string>& parts, const char* separator, bool reversed) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
      text += (i ? separator : "") + parts[reversed ? parts.size() - 1 - i : i];
    return text;
  };
  std::vector<std::string> written, rewritten;
  for (const auto& literals : products) {
    written.push_back(join(literals, "*", false));
    rewritten.push_back(join(literals, "*", true));
  }
  return {join(written, "+", false), join(rewritten, "+", true)};
}

/// A function of the benchmark: its text, the same function rewritten, and one literal changed.
struct Case {
  std::string name, expression, rewritten, changed;
};

/// The fixed (seeded) cases: random trees of 48 and 63 variables, the comparator, sums of 100, 115
/// and 130 products over 54 inputs.
inline std::vector<Case> Cases() {
  std::vector<Case> cases;
  std::mt19937_64 rng(24);
  for (auto [variables, leaves] : {std::pair{48, 400}, {63, 2000}}) {
    const std::unique_ptr<Tree> tree = RandomTree(rng, variables, leaves);
    const std::string text = Written(*tree);
    cases.push_back(
        {"random tree, " + std::to_string(variables) + " variables, " + std::to_string(leaves) + " leaves",
         text, Rewritten(*tree), OneLiteralChanged(text, variables)});
  }
  const std::string greater = Greater(false);
  std::string changed = greater;
  changed.replace(changed.find("not(b07)"), 8, "not(b08)");
  cases.push_back({"a > b, 31 bits, every a before every b", greater, Greater(true), changed});
  for (int terms : {100, 115, 130}) {
    const Sum sum = RandomSum(rng, terms);
    cases.push_back({"sum of " + std::to_string(terms) + " products, 54 inputs", sum.written, sum.rewritten,
                     OneLiteralChanged(sum.written, 54)});
  }
  return cases;
}

}  // namespace brevano::bench
