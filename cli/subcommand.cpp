// The parts every subcommand shares: error and warning reporting and the common options.
#include "cli/subcommand.h"

#include <cstdint>
#include <iostream>
#include <sstream>

#include "cli/commands.h"
#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "frontend/dont_care.h"

namespace brevano::cli {

bool RunReportingErrors(const std::function<void()>& work) {
  try {
    RunWithLargeStack(work);
  } catch (const EngineError& error) {
    std::cerr << error.what() << '\n';
    return false;
  } catch (const std::bad_alloc&) {
    std::cerr << "Not enough memory for this expression\n";
    return false;
  }
  return true;
}

int PrintWhenDone(const std::function<void(std::ostream&)>& work) {
  std::ostringstream out;
  if (!RunReportingErrors([&] { work(out); })) return 1;
  std::cout << out.str() << std::flush;
  return 0;
}

bool BuildReportingWarnings(const std::string& expression, DisplayMode mode, bool strict,
                            DiagnosedTable& built, const std::string& label) {
  const bool done = RunReportingErrors([&] {
    CheckExpressionLength(expression);
    built = BuildExpressionTable(expression, mode);
  });
  if (!done) return false;
  WriteWarnings(built.diagnosis, std::cerr, label);
  return !(strict && !built.diagnosis.warnings.empty());
}

bool BuildFunction(const TruthTable& table, const std::string& text, const CLI::Option* option, bool strict,
                   TableFunction& function) {
  function = {table, std::nullopt};
  if (!option->count()) return true;
  DontCareInput input = ReadDontCare(text, table.Variables(), kMaxExpressionBytes);
  if (!input.Usable()) {
    std::cerr << input.error << '\n';
    return false;
  }
  Diagnosis diagnosis;
  diagnosis.warnings = std::move(input.warnings);
  WriteWarnings(diagnosis, std::cerr, "don't-care");
  if (strict && !diagnosis.warnings.empty()) return false;
  if (!input.table) return true;
  return RunReportingErrors([&] { function = FunctionOfTables(table, &*input.table); });
}

CLI::Option* AddExpressionArgument(CLI::App& command, CommandLine& line, std::string& expression) {
  line.standardInputTexts.push_back(&expression);
  return command.add_option("expression", expression, kExpressionHelp);
}

CLI::Option* AddFileOption(CLI::App& command, std::string& file, std::string& output, const std::string& help,
                           const std::string& verb) {
  CLI::Option* option = command.add_option("--pla,--file", file, help);
  command
      .add_option(
          "--output", output,
          "With --pla: the output to " + verb + ", by name or by number from 1 (default: every output)")
      ->needs(option);
  return option;
}

CLI::Option* AddBudgetOption(CLI::App& command, double& seconds) {
  return command
      .add_option("--budget", seconds,
                  "Seconds the SAT solver may spend where the decision diagram is too complex (default 10)")
      ->check(CLI::Range(0.001, 86400.0));
}

std::chrono::milliseconds BudgetOf(double seconds) {
  return std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000 + 0.5));
}

}  // namespace brevano::cli
