// Fuzz target: the whole pipeline (parse, diff, simplify, list) on arbitrary bytes.
#include <string_view>

#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "fuzz/fuzz_target.h"
#include "pipeline/pipeline.h"

namespace {
constexpr std::size_t kFuzzMaxNodes = 1'000;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the decimal separator, so both separators are explored.
  brevano::SetDecimalSeparator(data[0] & 1 ? ',' : '.');
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  // On the fuzzer's own thread: no stage may need more stack than an ordinary thread has. A lower
  // node limit keeps runaway derivatives from dominating the run time; the real limit is the
  // regression inputs' and the benchmark's business.
  try {
    brevano::ExprTree tree;
    tree.maxNodes = kFuzzMaxNodes;
    brevano::ProcessExpression(text, tree);
  } catch (const brevano::EngineError&) {
  }
  return 0;
}
