// Opening a function file: reading it whole, and its least sum and don't-cares as expressions.
#include "app/function_opening.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/engine_error.h"
#include "forms/boolean_form.h"
#include "minimise/cube_list.h"
#include "twolevel/least.h"

namespace brevano {

namespace {

std::uint64_t Bit(std::size_t index, std::size_t count) { return std::uint64_t{1} << (count - 1 - index); }

// The row bits, over `variables`, of the variables that `terms` over `used` name.
std::uint64_t MaskOf(const CubeList& terms, const std::vector<std::string>& used,
                     const std::vector<std::string>& variables) {
  std::uint64_t care = 0;
  for (const Cube& term : terms) care |= term.care;
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < used.size(); ++i) {
    if (!(care & Bit(i, used.size()))) continue;
    const auto found = std::find(variables.begin(), variables.end(), used[i]);
    if (found != variables.end()) mask |= Bit(found - variables.begin(), variables.size());
  }
  return mask;
}

// The least sum of `function`, over its variables; nullopt when stopped.
std::optional<MinimalForm> LeastSum(const TableFunction& function, const std::function<bool()>& stop) {
  const Progress progress = [&stop](std::uint64_t, std::uint64_t) { return !(stop && stop()); };
  const LeastForm least = Least(function, FormSide::kSum, {}, progress);
  if (stop && stop()) return std::nullopt;
  MinimalForm sum = MinimalFormOf(least, function.Variables(), false, function.dontCare.has_value());
  if (sum.expression.empty()) throw EngineError("No sum of products: " + FormItemText(sum));
  return sum;
}

// The terms of the don't-cares over the variables of `mask` alone: each term with the other
// variables left out, kept when all its rows are still don't-cares.
CubeList DontCaresWithin(const CubeList& terms, std::uint64_t mask) {
  CubeList kept;
  for (const Cube& term : terms) {
    const Cube within{term.care & mask, term.value & mask};
    if (CoversCube(terms, within) &&
        std::none_of(kept.begin(), kept.end(), [&](const Cube& k) { return ContainsCube(k, within); }))
      kept.push_back(within);
  }
  return kept;
}

}  // namespace

FunctionFile ReadFunctionFileAt(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EngineError("Cannot read the file: " + std::string(std::strerror(errno)));
  in.seekg(0, std::ios::end);
  if (in.tellg() > static_cast<std::streamoff>(kMaxOpenedFileBytes))
    throw EngineError("Cannot read the file: larger than " + std::to_string(kMaxOpenedFileBytes >> 20) +
                      " MiB");
  in.seekg(0);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw EngineError("Cannot read the file: " + std::string(std::strerror(errno)));
  return ReadFunctionFile(text.str(), path);
}

std::optional<OpenedFunction> OpenOutput(const FunctionFile& file, std::size_t output,
                                         const std::function<bool()>& stop) {
  const TableFunction function = TablesOfOutput(file, output);
  const std::optional<MinimalForm> on = LeastSum(function, stop);
  if (!on) return std::nullopt;
  if (!on->typable)
    throw EngineError("The least sum of products names the input " + on->untypableVariable +
                      ", which the expression box cannot take as a variable");
  OpenedFunction opened;
  opened.sum = on->expression;
  if (!function.dontCare) return opened;
  const std::optional<MinimalForm> free = LeastSum({*function.dontCare, std::nullopt}, stop);
  if (!free) return std::nullopt;
  const std::vector<std::string>& variables = function.Variables();
  const std::vector<std::string>& freeVariables = function.dontCare->Variables();
  const std::uint64_t mask = MaskOf(on->cubes, variables, freeVariables);
  const CubeList within = DontCaresWithin(free->cubes, mask);
  if (!within.empty()) opened.dontCare = SumText(within, freeVariables);
  if (!std::all_of(free->cubes.begin(), free->cubes.end(),
                   [&within](const Cube& term) { return CoversCube(within, term); }))
    opened.leftOut =
        "Some don't-cares depend on inputs the least sum of products does not use; they are left out "
        "of the table's analysis";
  return opened;
}

}  // namespace brevano
