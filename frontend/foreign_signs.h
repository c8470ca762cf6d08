// Logic signs of other notations (∧ ∨ ¬ ⊕ → ↔ …) found in a text, with the program's way to write them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brevano {

/// A sign of another notation and how to write what it means here.
struct ForeignSign {
  std::string_view sign;  ///< as found, in UTF-8
  std::string hint;       ///< "use * for AND", "write a→b as not(a)+b", …
};

/// The first logic sign of another notation in `text` (UTF-8), if any.
std::optional<ForeignSign> FindForeignSign(std::string_view text);

}  // namespace brevano
