// The joint cover of a file's outputs as PLA text.
#include "filetable/joint_pla.h"

#include "engine/engine_error.h"
#include "function/cube_algebra.h"

namespace brevano {

namespace {

std::string Names(const std::vector<std::string>& names) {
  std::string line;
  for (const std::string& name : names) line += ' ' + name;
  return line;
}

// One term: its inputs, then for each output `fed` where it holds the output and `other` where not.
std::string TermLine(const MultiCube& cube, char fed, char other) {
  std::string line = InputText(cube);
  line += ' ';
  for (int o = 0; o < cube.outputs; ++o) line += cube.HasOutput(o) ? fed : other;
  return line + '\n';
}

// The 0 points of every output as cubes, each tagged with the outputs it is 0 in.
CubeCover ZeroCubes(const BooleanFunction& function) {
  CubeCover zeros;
  for (int o = 0; o < function.OutputCount(); ++o) {
    const OutputCubes cubes = CubesOf(function, o);
    CubeCover allowed = cubes.on;
    allowed.insert(allowed.end(), cubes.dontCare.begin(), cubes.dontCare.end());
    const std::optional<CubeCover> off = Complement(allowed, WithOutput(function.AllOutputs(), o), 1000000);
    if (!off) throw EngineError("The 0 points of an output take more than a million cubes: use f or fd");
    zeros.insert(zeros.end(), off->begin(), off->end());
  }
  return zeros;
}

}  // namespace

std::string JointCoverSummary(const JointCover& cover, bool single) {
  const std::size_t terms = cover.terms.size();
  std::string text = std::to_string(terms) + (terms == 1 ? " term" : " terms") +
                     (single ? ", each output alone" : ", all outputs together");
  if (cover.proven) return text + ", proven fewest";
  return text + ", at least " + std::to_string(cover.lowerBound) + " needed";
}

std::optional<JointCover> MinimiseJointlyUnlessStopped(const BooleanFunction& function,
                                                       const JointOptions& options) {
  bool stopped = false;
  JointOptions watched = options;
  watched.progress = [&stopped, &options](std::uint64_t done, std::uint64_t total) {
    if (options.progress && !options.progress(done, total)) stopped = true;
    return !stopped;
  };
  JointCover cover = MinimiseJointly(function, watched);
  if (stopped) return std::nullopt;
  return cover;
}

void CheckPlaNames(const BooleanFunction& function) {
  for (const auto* names : {&function.inputs, &function.outputs}) {
    for (const std::string& name : *names) {
      if (name.empty() || name.find_first_of(" \t\r\n\f\v#|") != std::string::npos)
        throw EngineError("The name \"" + name + "\" cannot be written in a PLA file");
    }
  }
}

std::string JointCoverPla(const BooleanFunction& function, const JointCover& cover,
                          const std::string& outputType, bool single) {
  CheckPlaNames(function);
  std::string pla = "# " + JointCoverSummary(cover, single) + "\n.i " +
                    std::to_string(function.InputCount()) + "\n.o " + std::to_string(function.OutputCount()) +
                    '\n';
  if (!function.inputs.empty()) pla += ".ilb" + Names(function.inputs) + '\n';
  pla += ".ob" + Names(function.outputs) + '\n';
  std::string terms;
  std::size_t count = cover.terms.size();
  const bool fr = outputType == "fr";
  for (const MultiCube& cube : cover.terms) terms += TermLine(cube, '1', fr ? '~' : '0');
  if (outputType == "fd") {
    for (const MultiCube& cube : function.dontCare) terms += TermLine(cube, '-', '0');
    count += function.dontCare.size();
  } else if (fr) {
    const CubeCover zeros = ZeroCubes(function);
    for (const MultiCube& cube : zeros) terms += TermLine(cube, '0', '~');
    count += zeros.size();
  }
  if (outputType != "f") pla += ".type " + outputType + '\n';
  return pla + ".p " + std::to_string(count) + '\n' + terms + ".e\n";
}

std::optional<std::string> MinimisedPla(const FunctionFile& file, const JointOptions& options) {
  const BooleanFunction function = FunctionOfFile(file);
  CheckPlaNames(function);
  const std::optional<JointCover> cover = MinimiseJointlyUnlessStopped(function, options);
  if (!cover) return std::nullopt;
  return JointCoverPla(function, *cover);
}

}  // namespace brevano
