// XOR of products, NAND and NOR forms in the program's syntax, and canonical lists in the field's notation.
#include "forms/gate_forms.h"

#include <algorithm>
#include <bit>

#include "forms/boolean_form.h"

namespace brevano {

namespace {

// The two levels of a NAND circuit (or, `nor`, of a NOR circuit): a first-level gate per term,
// written not(t), whose complement of a lone literal is the literal's complement; the second-level
// gate negates the product (the sum) of their outputs.
std::string GateFormText(const std::vector<Cube>& terms, const std::vector<std::string>& variables,
                         bool nor) {
  if (terms.empty()) return nor ? "1" : "0";
  std::vector<std::string> firstLevel;
  for (const Cube& term : terms) {
    if (term.care == 0) return nor ? "0" : "1";
    const std::vector<std::string> literals = Literals(term, variables, nor);
    if (literals.size() == 1 && terms.size() == 1) return literals[0];
    firstLevel.push_back(literals.size() == 1 ? Literals(term, variables, !nor)[0]
                                              : "not(" + Join(literals, nor ? "+" : "*") + ')');
  }
  return "not(" + Join(firstLevel, nor ? "+" : "*") + ')';
}

}  // namespace

std::string AnfText(std::vector<std::uint64_t> monomials, const std::vector<std::string>& variables) {
  if (monomials.empty()) return "0";
  // Within a degree, descending masks put the first variables first: table order.
  std::sort(monomials.begin(), monomials.end(), [](std::uint64_t a, std::uint64_t b) {
    const int da = std::popcount(a), db = std::popcount(b);
    return da != db ? da < db : a > b;
  });
  std::string text;
  for (std::uint64_t monomial : monomials) {
    const std::vector<std::string> names = Literals({monomial, monomial}, variables, false);
    const bool wrap = !text.empty() && names.size() > 1;
    if (!text.empty()) text += '/';
    if (wrap) text += '(';
    text += names.empty() ? "1" : Join(names, "*");
    if (wrap) text += ')';
  }
  return text;
}

std::string NandText(const std::vector<Cube>& terms, const std::vector<std::string>& variables) {
  return GateFormText(terms, variables, false);
}

std::string NorText(const std::vector<Cube>& complementTerms, const std::vector<std::string>& variables) {
  return GateFormText(complementTerms, variables, true);
}

std::string CanonicalText(const std::vector<std::uint64_t>& rows, std::uint64_t total, bool product) {
  std::string text = product ? "\u03a0M(" : "\u03a3m(";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) text += ", ";
    text += std::to_string(rows[i]);
  }
  if (total > rows.size()) text += ", ... (" + std::to_string(total - rows.size()) + " more)";
  return text + ')';
}

}  // namespace brevano
