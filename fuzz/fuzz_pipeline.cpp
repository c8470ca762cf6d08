// Fuzz target: the whole pipeline (parse, diff, simplify, list) on arbitrary bytes.
#include <string_view>

#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "engine/pipeline.h"
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the decimal separator, so both separators are explored.
  brevano::SetDecimalSeparator(data[0] & 1 ? ',' : '.');
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  // On the fuzzer's own thread: no stage may need more stack than an ordinary thread has.
  try {
    brevano::ExprTree tree;
    brevano::ProcessExpression(text, tree);
  } catch (const brevano::EngineError&) {
  }
  return 0;
}
