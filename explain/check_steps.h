// The check of a derivation typed line by line: each line the same function as the one before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brevano {

/// One line of a derivation: its number in the text (from 1), the expression and the law named
/// after "#" (empty when none).
struct DerivationLine {
  std::size_t number = 0;
  std::string expression;
  std::string law;
};

/// The lines of `text` that hold an expression (blank lines and lines that are only a comment
/// are skipped), each split at its first "#".
std::vector<DerivationLine> SplitDerivation(std::string_view text);

/// The outcome of a check.
struct StepsCheck {
  std::size_t lines = 0;               ///< lines checked
  bool equal = true;                   ///< every line is the same function as the one before
  std::size_t wrongLine = 0;           ///< the first line that is not (its number in the text)
  std::size_t previousLine = 0;        ///< the line before it
  std::vector<std::string> variables;  ///< of the two lines together, in table order
  std::uint64_t row = 0;               ///< a row over `variables` on which they differ
  int previousValue = 0, value = 0;
  std::string law;        ///< the law the wrong line named, if any
  bool lawKnown = false;  ///< that law is one of KnownLaws
  /// Laws named on lines that are not among KnownLaws ("line 3: ..."), and the lines' warnings.
  std::vector<std::string> notes;
  /// Steps that are the same function but that the law named does not give ("line 3: ...").
  std::vector<std::string> lawNotes;
};

/// Checks the lines in order: the first line against nothing, each later line against the one
/// before, over the variables of both (by their rows up to 16 variables, by the comparison of the
/// solver and the diagrams beyond; `solverBudget` milliseconds per pair). Raises EngineError for a
/// line that cannot be read ("line 3: …") or a comparison without an answer. Recursive: run it on
/// the large stack.
StepsCheck CheckDerivation(const std::vector<DerivationLine>& lines, std::int64_t solverBudget = 10000);

/// The outcome in words: "All 5 lines are the same function." or the first wrong line with the
/// assignment on which it differs and, where it named a law, that the law does not give it.
std::string StepsCheckText(const StepsCheck& check);

}  // namespace brevano
