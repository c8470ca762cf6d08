// Fuzz target: the parser and the tree printer on arbitrary bytes.
#include <string_view>

#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "engine/parser.h"
#include "engine/tree_printer.h"
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    brevano::ExprTree tree;
    brevano::ParseExpression(tree, text, brevano::CreateRoot(tree, ""));
    brevano::PrintTopLevel(tree);
    brevano::StripOuterParens(text);
  } catch (const brevano::EngineError&) {
  }
  return 0;
}
