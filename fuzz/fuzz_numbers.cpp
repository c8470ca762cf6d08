// Fuzz target: text-to-number conversion and formatting; a formatted number converts back.
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "engine/text_tests.h"
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  brevano::SetDecimalSeparator(data[0] & 1 ? ',' : '.');
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  brevano::IsNumberText(text);
  brevano::IsAtomText(text);
  long double value = 0;
  try {
    value = brevano::TextToNumber(text);
  } catch (const brevano::EngineError&) {
    return 0;
  }
  const std::string formatted = brevano::NumberToText(value);
  // Whatever converted formats to a text that converts again, to the same 15 digits.
  const long double again = brevano::TextToNumber(formatted);
  if (brevano::NumberToText(again) != formatted) std::abort();
  return 0;
}
