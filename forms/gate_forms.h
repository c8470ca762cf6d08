// The forms the field writes besides sums and products: XOR of products, NAND and NOR, canonical lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "minimise/cube.h"

namespace brevano {

/// The algebraic normal form over the table's captions: the products of `monomials` (each a set of
/// row bits, as in row numbers) joined by "/" (XOR), in ascending degree and then in table order;
/// "1" for the empty product, a product of several variables after the first in parentheses (the
/// parser gives "*" and "/" the same precedence); "0" without monomials.
std::string AnfText(std::vector<std::uint64_t> monomials, const std::vector<std::string>& variables);

/// The NAND form of the sum of `terms`: not(not(t1)*not(t2)*…), each term a product of
/// literals; a sum of one literal is that literal, and the constants are "0" and "1".
std::string NandText(const std::vector<Cube>& terms, const std::vector<std::string>& variables);

/// The NOR form of the product whose factors are the complements of `complementTerms` (as
/// ProductText takes them): not(not(s1)+not(s2)+…), each factor a sum of literals; a product of
/// one literal is that literal.
std::string NorText(const std::vector<Cube>& complementTerms, const std::vector<std::string>& variables);

/// "Σm(1, 3, 6)" or "ΠM(0, 2)" (`product`): the rows listed, and ", ... (N more)" when `total`
/// exceeds them; "Σm()" and "ΠM()" without rows.
std::string CanonicalText(const std::vector<std::uint64_t>& rows, std::uint64_t total, bool product);

}  // namespace brevano
