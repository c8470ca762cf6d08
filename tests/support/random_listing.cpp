// Random listings and expressions for the property checks of the tabulation.
#include "tests/support/random_listing.h"

#include <array>
#include <string_view>

namespace brevano::testing {

std::string VariableName(int number) { return "v" + std::to_string(number); }

namespace {

constexpr std::array<std::string_view, 12> kVariables = {"a",  "B", "c", "a10", "A2", "m @A",
                                                         "x1", "9", ":", "_y",  "z",  "\xC4"};
constexpr std::array<std::string_view, 4> kBinary = {"+ @F", "* @F", "/ @F", "- @F"};
constexpr std::array<std::string_view, 3> kUnary = {"not @F", "NOT @F", "sin @F"};
constexpr std::array<std::string_view, 5> kConstants = {"0 @N", "1 @N", "2 @N", " @N", "1.0 @N"};

int Pick(std::mt19937_64& rng, int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng); }

// The line with random letter case and random blanks around it.
std::string Disguise(std::mt19937_64& rng, std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c >= 'a' && c <= 'z' && Pick(rng, 2) == 0) c = static_cast<char>(c - 32);
  }
  static constexpr std::string_view kBlanks[] = {"", "", "", " ", "\t", "\x01 "};
  return std::string(kBlanks[Pick(rng, 6)]) + line + std::string(kBlanks[Pick(rng, 6)]);
}

std::string RandomLeaf(std::mt19937_64& rng, int variables) {
  if (variables > 0 && Pick(rng, 10) < 7) return Disguise(rng, kVariables[Pick(rng, variables)]);
  // Mostly the two constants; now and then a number line that pushes nothing.
  const int roll = Pick(rng, 20);
  return Disguise(rng, kConstants[roll < 8 ? 0 : roll < 16 ? 1 : 2 + roll % 3]);
}

void AppendTree(std::mt19937_64& rng, int variables, int nodes, Listing& out) {
  if (nodes <= 1) {
    out.push_back(RandomLeaf(rng, variables));
    return;
  }
  if (Pick(rng, 4) == 0) {
    // The unary lines: mostly NOT, now and then a function that does nothing.
    out.push_back(Disguise(rng, kUnary[Pick(rng, 8) == 0 ? 2 : Pick(rng, 2)]));
    AppendTree(rng, variables, nodes - 1, out);
    return;
  }
  out.push_back(Disguise(rng, kBinary[Pick(rng, 13) == 0 ? 3 : Pick(rng, 3)]));
  const int left = 1 + Pick(rng, nodes - 2 > 0 ? nodes - 2 : 1);
  AppendTree(rng, variables, left, out);
  AppendTree(rng, variables, nodes - 1 - left, out);
}

std::string ExpressionText(std::mt19937_64& rng, int variables, int nodes) {
  if (nodes <= 1) {
    if (Pick(rng, 4) == 0) return Pick(rng, 2) ? "1" : "0";
    return std::string(1, static_cast<char>((Pick(rng, 2) ? 'a' : 'A') + Pick(rng, variables)));
  }
  const bool negate = Pick(rng, 4) == 0;
  std::string text(negate ? "not(" : "(");
  if (negate) {
    text += ExpressionText(rng, variables, nodes - 1);
  } else {
    static constexpr char kOperators[] = {'+', '*', '/'};
    const int left = 1 + Pick(rng, nodes - 2 > 0 ? nodes - 2 : 1);
    text += ExpressionText(rng, variables, left);
    text += kOperators[Pick(rng, 3)];
    text += ExpressionText(rng, variables, nodes - 1 - left);
  }
  return text + ")";
}

// The sum of `terms` products of four of `variables` variables, each plain or negated, drawn from
// `seed`; `name` gives a variable's name.
template <class Name>
std::string RandomProducts(std::uint64_t seed, int variables, int terms, Name name) {
  std::mt19937_64 rng(seed);
  std::string text;
  for (int t = 0; t < terms; ++t) {
    text += t ? "+" : "";
    for (int f = 0; f < 4; ++f) {
      const std::string variable = name(static_cast<int>(rng() % static_cast<unsigned>(variables)));
      text += (f ? "*" : "") + (rng() % 2 ? variable : "not(" + variable + ")");
    }
  }
  return text;
}

}  // namespace

Listing RandomTreeListing(std::mt19937_64& rng, int variables, int nodes) {
  Listing listing;
  AppendTree(rng, variables, nodes, listing);
  return listing;
}

Listing RandomLineSoup(std::mt19937_64& rng, int variables, int lines) {
  Listing listing;
  for (int i = 0; i < lines; ++i) {
    const int roll = Pick(rng, 10);
    if (roll < 3) {
      listing.push_back(Disguise(rng, kBinary[Pick(rng, 4)]));
    } else if (roll < 4) {
      listing.push_back(Disguise(rng, kUnary[Pick(rng, 3)]));
    } else {
      listing.push_back(RandomLeaf(rng, variables));
    }
  }
  return listing;
}

std::string RandomExpressionText(std::mt19937_64& rng, int variables, int nodes) {
  return ExpressionText(rng, variables, nodes);
}

std::string TangledProducts(int variables, int terms) {
  return RandomProducts(3, variables, terms,
                        [](int v) { return std::string("t") + char('0' + v / 10) + char('0' + v % 10); });
}

std::string TangledLetterProducts() {
  return RandomProducts(7, 24, 40, [](int v) { return std::string(1, static_cast<char>('a' + v)); });
}

}  // namespace brevano::testing
