// Writing cubes as expressions that the window reads back as the same function.
#include "forms/boolean_form.h"

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "tabulate/compiled_program.h"

namespace brevano {

namespace {

// Characters that split, group or tag a text wherever they stand in it.
constexpr const char* kSpecialCharacters = "+-*/^;:=<>!()[]@";

std::uint64_t RowBitOf(int variable, int variableCount) {
  return std::uint64_t{1} << (variableCount - 1 - variable);
}

std::string Literal(const std::string& name, bool plain) {
  if (plain) return name;
  std::string literal = "not(";
  literal += name;
  literal += ')';
  return literal;
}

}  // namespace

std::vector<std::string> Literals(Cube cube, const std::vector<std::string>& variables, bool complement) {
  const int count = static_cast<int>(variables.size());
  std::vector<std::string> literals;
  for (int variable = 0; variable < count; ++variable) {
    const std::uint64_t bit = RowBitOf(variable, count);
    if (cube.care & bit)
      literals.push_back(Literal(variables[variable], ((cube.value & bit) != 0) != complement));
  }
  return literals;
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

bool CanBeTypedBack(const std::string& name) {
  if (name.empty() || name.find_first_of(kSpecialCharacters) != std::string::npos) return false;
  try {
    ExprTree tree;
    const Listing listing = ProcessExpression(name, tree);
    if (listing.size() != 1) return false;
    const TypedLine line = ReadListingLine(listing[0]);
    return line.op == OpCode::kPushVariable && line.name == name;
  } catch (const EngineError&) {
    return false;
  }
}

std::string SumText(const std::vector<Cube>& terms, const std::vector<std::string>& variables) {
  if (terms.empty()) return "0";
  std::vector<std::string> parts;
  for (const Cube& term : terms) {
    const std::vector<std::string> literals = Literals(term, variables, false);
    parts.push_back(literals.empty() ? "1" : Join(literals, "*"));
  }
  return Join(parts, "+");
}

std::string ProductText(const std::vector<Cube>& complementTerms, const std::vector<std::string>& variables) {
  if (complementTerms.empty()) return "1";
  std::vector<std::string> factors;
  for (const Cube& term : complementTerms) {
    const std::vector<std::string> literals = Literals(term, variables, true);
    if (literals.empty()) {
      factors.emplace_back("0");
    } else {
      factors.push_back(literals.size() == 1 ? literals[0] : '(' + Join(literals, "+") + ')');
    }
  }
  return Join(factors, "*");
}

std::optional<std::string> FirstUntypableVariable(const std::vector<Cube>& terms,
                                                  const std::vector<std::string>& variables) {
  std::uint64_t used = 0;
  for (const Cube& term : terms) used |= term.care;
  const int count = static_cast<int>(variables.size());
  for (int variable = 0; variable < count; ++variable) {
    if ((used & RowBitOf(variable, count)) && !CanBeTypedBack(variables[variable]))
      return variables[variable];
  }
  return std::nullopt;
}

}  // namespace brevano
