// Fuzz target: the PLA reader, every output made into tables, and the 1 terms written and read back.
#include <cstdlib>
#include <string_view>

#include "engine/engine_error.h"
#include "fuzz/file_checks.h"
#include "fuzz/fuzz_target.h"
#include "plafile/function_file.h"

namespace {

// The 1 terms of the first output written as a PLA file read back as the same terms.
void CheckWrittenBack(const brevano::FunctionFile& file) {
  if (file.outputs.empty() || !file.sets.on) return;
  std::string written;
  try {
    written = brevano::WritePla({{file.outputs[0].name, file.outputs[0].on}}, file.inputs, "fuzz");
  } catch (const brevano::EngineError&) {
    return;  // a name a PLA file cannot hold
  }
  const brevano::FunctionFile again = brevano::ReadPla(written);
  if (again.inputs != file.inputs || again.outputs.size() != 1 || again.outputs[0].on != file.outputs[0].on)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  brevano::FunctionFile file;
  try {
    file = brevano::ReadPla(text);
  } catch (const brevano::EngineError&) {
    return 0;
  }
  brevano::fuzz::CheckOutputs(file, 4);
  CheckWrittenBack(file);
  return 0;
}
