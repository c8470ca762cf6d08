// The joint cover of a file's outputs as PLA text.
#include "filetable/joint_pla.h"

#include "engine/engine_error.h"

namespace brevano {

namespace {

std::string NameLine(const char* keyword, const std::vector<std::string>& names) {
  std::string line = keyword;
  for (const std::string& name : names) {
    if (name.empty() || name.find_first_of(" \t\r\n\f\v#|") != std::string::npos)
      throw EngineError("The name \"" + name + "\" cannot be written in a PLA file");
    line += ' ' + name;
  }
  return line + '\n';
}

}  // namespace

std::optional<std::string> MinimisedPla(const FunctionFile& file, const JointOptions& options) {
  const BooleanFunction function = FunctionOfFile(file);
  const std::string inputs = NameLine(".ilb", function.inputs), outputs = NameLine(".ob", function.outputs);
  bool stopped = false;
  JointOptions watched = options;
  watched.progress = [&stopped, &options](std::uint64_t done, std::uint64_t total) {
    if (options.progress && !options.progress(done, total)) stopped = true;
    return !stopped;
  };
  const JointCover cover = MinimiseJointly(function, watched);
  if (stopped) return std::nullopt;
  const std::size_t terms = cover.terms.size();
  std::string pla =
      "# " + std::to_string(terms) + (terms == 1 ? " term" : " terms") + ", all outputs together" +
      (cover.proven ? ", proven fewest\n" : ", at least " + std::to_string(cover.lowerBound) + " needed\n");
  pla +=
      ".i " + std::to_string(function.InputCount()) + "\n.o " + std::to_string(function.OutputCount()) + '\n';
  if (!function.inputs.empty()) pla += inputs;
  pla += outputs + ".p " + std::to_string(terms) + '\n';
  for (const MultiCube& cube : cover.terms) {
    pla += InputText(cube) + ' ';
    for (int o = 0; o < cube.outputs; ++o) pla += cube.HasOutput(o) ? '1' : '0';
    pla += '\n';
  }
  return pla + ".e\n";
}

}  // namespace brevano
