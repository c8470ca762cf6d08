// Number conversions and extended-precision arithmetic with the engine's floating-point errors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brevano {

/// The decimal separator used when numbers are converted and formatted ("." by default).
char DecimalSeparator();
/// Sets the decimal separator.
void SetDecimalSeparator(char separator);
/// Sets the decimal separator from the user's locale (LC_NUMERIC); returns the separator chosen.
char UseLocaleDecimalSeparator();

/// Converts a decimal text to extended precision; raises "'%s' is not a valid floating point value".
long double TextToNumber(std::string_view text);
/// Formats a value with at most 15 significant digits, in fixed or exponent form.
std::string NumberToText(long double value);

/// Rounds to double precision; raises "Floating point overflow" beyond the double range.
long double RoundToDouble(long double value);

/// Extended-precision operations that raise "Invalid floating point operation",
/// "Floating point division by zero" or "Floating point overflow"; underflow and inexact pass.
long double CheckedAdd(long double a, long double b);
long double CheckedSub(long double a, long double b);
long double CheckedMul(long double a, long double b);
long double CheckedDiv(long double a, long double b);
long double CheckedSqrtAbs(long double a);
/// Sine in radians; 0 for a magnitude of 2^63 or more.
long double CheckedSin(long double a);
/// Cosine in radians; 0 for a magnitude of 2^63 or more.
long double CheckedCos(long double a);
long double CheckedExp(long double a);

/// The number with its digits grouped by commas: 1,000.
std::string GroupedNumber(std::uint64_t value);

}  // namespace brevano
