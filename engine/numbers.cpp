// Number conversions and extended-precision arithmetic with the engine's floating-point errors.
#include "engine/numbers.h"

#include <langinfo.h>
#include <locale.h>

#include <atomic>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/engine_error.h"

namespace brevano {

namespace {

std::atomic<char> g_separator{'.'};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

[[noreturn]] void ThrowNotANumber(std::string_view text) {
  throw EngineError("'" + std::string(text) + "' is not a valid floating point value");
}

// Runs one floating-point operation with the exception flags cleared before and tested after.
// Operands pass through volatiles so that the compiler cannot fold the operation away.
template <class Op>
long double Checked(Op op) {
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile long double result = op();
  const int flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  if (flags & FE_INVALID) throw EngineError("Invalid floating point operation");
  if (flags & FE_DIVBYZERO) throw EngineError("Floating point division by zero");
  if (flags & FE_OVERFLOW) throw EngineError("Floating point overflow");
  return result;
}

}  // namespace

char DecimalSeparator() { return g_separator.load(); }

void SetDecimalSeparator(char separator) { g_separator.store(separator); }

char UseLocaleDecimalSeparator() {
  char separator = '.';
  if (locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    if (radix && radix[0] != '\0' && radix[1] == '\0') separator = radix[0];
    freelocale(user);
  }
  SetDecimalSeparator(separator);
  return separator;
}

// Accepted: blanks, a sign, digits with at most one separator (at least one digit), an optional
// exponent of "E" or "e", a sign and digits, trailing blanks. The accepted text is rewritten in
// the C locale's notation and converted with correct rounding to the 64-bit significand.
long double TextToNumber(std::string_view text) {
  const char separator = DecimalSeparator();
  std::size_t i = 0;
  const std::size_t n = text.size();
  std::string plain;
  while (i < n && text[i] == ' ') ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  std::size_t digits = 0;
  while (i < n && IsDigit(text[i])) plain += text[i++], ++digits;
  if (i < n && text[i] == separator) {
    plain += '.';
    ++i;
    while (i < n && IsDigit(text[i])) plain += text[i++], ++digits;
  }
  if (digits == 0) ThrowNotANumber(text);
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    std::size_t expDigits = 0;
    while (i < n && IsDigit(text[i])) plain += text[i++], ++expDigits;
    if (expDigits == 0) ThrowNotANumber(text);
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) ThrowNotANumber(text);
  const long double value = strtold_l(plain.c_str(), nullptr, CLocale());
  if (std::isinf(value)) ThrowNotANumber(text);
  return value;
}

// Rounds to 15 significant digits. With value = 0.d1d2... x 10^e, exponent form is used when e
// is above 15 or below -3, fixed form otherwise; trailing zeros of the fraction are dropped.
std::string NumberToText(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14Le", value);
  std::string digits;
  const char* p = buffer;
  const bool negative = *p == '-';
  for (; *p && *p != 'e'; ++p) {
    if (IsDigit(*p)) digits += *p;
  }
  const int e = std::atoi(p + 1) + 1;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  const char separator = DecimalSeparator();
  std::string out = negative ? "-" : "";
  if (e > 15 || e < -3) {
    out += digits[0];
    if (digits.size() > 1) out += separator + digits.substr(1);
    out += 'E' + std::to_string(e - 1);
  } else if (e <= 0) {
    out += '0';
    out += separator;
    out.append(static_cast<std::size_t>(-e), '0');
    out += digits;
  } else {
    const auto whole = static_cast<std::size_t>(e);
    if (digits.size() <= whole) {
      out += digits;
      out.append(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole);
      out += separator;
      out += digits.substr(whole);
    }
  }
  return out;
}

long double RoundToDouble(long double value) {
  return Checked([value] {
    volatile long double v = value;
    volatile double d = static_cast<double>(v);
    return static_cast<long double>(d);
  });
}

long double CheckedAdd(long double a, long double b) {
  return Checked([a, b] {
    volatile long double x = a, y = b;
    return x + y;
  });
}

long double CheckedSub(long double a, long double b) {
  return Checked([a, b] {
    volatile long double x = a, y = b;
    return x - y;
  });
}

long double CheckedMul(long double a, long double b) {
  return Checked([a, b] {
    volatile long double x = a, y = b;
    return x * y;
  });
}

long double CheckedDiv(long double a, long double b) {
  return Checked([a, b] {
    volatile long double x = a, y = b;
    return x / y;
  });
}

long double CheckedSqrtAbs(long double a) {
  return Checked([a] {
    volatile long double x = a;
    return sqrtl(fabsl(x));
  });
}

long double CheckedSin(long double a) {
  if (fabsl(a) >= 0x1p63L) return 0;
  return Checked([a] {
    volatile long double x = a;
    return sinl(x);
  });
}

long double CheckedCos(long double a) {
  if (fabsl(a) >= 0x1p63L) return 0;
  return Checked([a] {
    volatile long double x = a;
    return cosl(x);
  });
}

long double CheckedExp(long double a) {
  return Checked([a] {
    volatile long double x = a;
    return expl(x);
  });
}

std::string GroupedNumber(std::uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace brevano
