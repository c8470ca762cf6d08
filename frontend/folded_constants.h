// Where the numbers of a processed expression came from: the constant parts the simplifier folded.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brevano {

/// The constant parts of a typed expression and what simplification folds them to.
struct FoldedConstants {
  /// Folded number text → the first typed part that folds to it ("2" → "1+1").
  std::unordered_map<std::string, std::string> origins;
  /// Parts folded to 0 or 1 by arithmetic where the truth values would differ, or that are not
  /// Boolean at all: one sentence each.
  std::vector<std::string> warnings;
};

/// Parses `typed` and folds each largest constant part on its own. Derivatives are not expanded
/// again (that is the pipeline's costliest stage), so constants they make are left unexplained; so
/// are the remaining parts once a budget of copied nodes is spent.
FoldedConstants FindFoldedConstants(std::string_view typed);

}  // namespace brevano
