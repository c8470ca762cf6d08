// Sums of products and products of sums written in the program's own expression syntax.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "minimise/cube.h"

namespace brevano {

/// True when the table caption `name`, typed as an expression or as an operand in one, is read
/// back as the same variable: it holds no character the parser treats specially and the pipeline
/// lists it as a lone variable line equal to itself. Indexed names such as "M @A" are not.
bool CanBeTypedBack(const std::string& name);

/// The literals of `cube` in table order, X or not(X), each complemented when `complement` is set.
std::vector<std::string> Literals(Cube cube, const std::vector<std::string>& variables, bool complement);

/// The parts joined by `separator`.
std::string Join(const std::vector<std::string>& parts, const char* separator);

/// The sum: terms joined by "+", the literals of a term by "*" in the order of `variables`, a
/// negated variable as not(X); "0" without terms and "1" for a term without literals.
std::string SumText(const std::vector<Cube>& terms, const std::vector<std::string>& variables);

/// The product whose factors are the complements of `complementTerms` (the terms of a sum equal to
/// the complement of the function): factors joined by "*", a factor of several literals in
/// parentheses with its literals joined by "+"; "1" without terms and "0" for a term without
/// literals.
std::string ProductText(const std::vector<Cube>& complementTerms, const std::vector<std::string>& variables);

/// The first variable, in table order, that `terms` use and that cannot be typed back.
std::optional<std::string> FirstUntypableVariable(const std::vector<Cube>& terms,
                                                  const std::vector<std::string>& variables);

}  // namespace brevano
