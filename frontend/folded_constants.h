// Where the numbers of a processed expression came from: the constant parts the simplifier folded.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "frontend/typed_text.h"

namespace brevano {

/// The constant parts of a typed expression and what simplification folds them to.
struct FoldedConstants {
  /// Folded number text → the first typed part that folds to it ("2" → "1+1").
  std::unordered_map<std::string, std::string> origins;
  /// Parts folded to 0 or 1 by arithmetic where the truth values would differ, or that are not
  /// Boolean at all: one sentence each.
  std::vector<std::string> warnings;
};

/// The nodes of a typed tree, given in pre-order, that the simplifier turns into the number 0
/// whatever their variables: a 0, a product with such a factor, a sum or difference of two, such a
/// part divided by a number other than 0.
std::unordered_set<const ExprNode*> ZeroParts(const std::vector<const ExprNode*>& preOrder);

/// Folds each largest constant part of the typed text's first statement on its own. Derivatives
/// are not expanded again (that is the pipeline's costliest stage), so constants they make are left
/// unexplained; so are the remaining parts once a budget of copied nodes is spent. A product with
/// a 0 factor counts as constant.
FoldedConstants FindFoldedConstants(const TypedReading& reading);

}  // namespace brevano
