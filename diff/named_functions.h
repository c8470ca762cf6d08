// Derivatives of the named elementary functions (sin, ln, sqrt, ...) as result shapes.
#pragma once

#include <string_view>

#include "diff/derivative_shapes.h"

namespace brevano {

/// The derivative shape for a function-call text such as "sin @F", or null when the text names
/// none of the functions with a derivative rule. Matching is exact and case-sensitive.
const Shape* NamedFunctionShape(std::string_view text);

}  // namespace brevano
