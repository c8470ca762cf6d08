// What every subcommand of the command-line tool shares: how it is added and run, how errors and
// warnings are reported, and the options several subcommands take alike.
#pragma once

#include <CLI/CLI.hpp>
#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "frontend/tabulate_expression.h"
#include "tabulate/table_function.h"

namespace brevano::cli {

/// What the program keeps for its subcommands while the command line is parsed.
struct CommandLine {
  /// Texts that stand for a line of standard input when they are "-", read after parsing in order.
  std::vector<std::string*> standardInputTexts;
};

/// A subcommand's work once the command line chose it; its exit status.
using SubcommandRun = std::function<int()>;

/// Adds one subcommand (or a family of them) to `app`; each returned pair is the subcommand and
/// what runs it when it was chosen.
using SubcommandAdder = std::vector<std::pair<CLI::App*, SubcommandRun>> (*)(CLI::App& app,
                                                                             CommandLine& line);

/// The subcommands, one adder each, in the order `brevano --help` lists them.
std::vector<std::pair<CLI::App*, SubcommandRun>> AddEngineCommands(CLI::App& app, CommandLine& line);
std::vector<std::pair<CLI::App*, SubcommandRun>> AddAnalyseCommand(CLI::App& app, CommandLine& line);
std::vector<std::pair<CLI::App*, SubcommandRun>> AddTableCommand(CLI::App& app, CommandLine& line);
std::vector<std::pair<CLI::App*, SubcommandRun>> AddKmapCommand(CLI::App& app, CommandLine& line);
std::vector<std::pair<CLI::App*, SubcommandRun>> AddFindCommand(CLI::App& app, CommandLine& line);
std::vector<std::pair<CLI::App*, SubcommandRun>> AddEquivCommand(CLI::App& app, CommandLine& line);
std::vector<std::pair<CLI::App*, SubcommandRun>> AddCircuitCommand(CLI::App& app, CommandLine& line);
std::vector<std::pair<CLI::App*, SubcommandRun>> AddExportCommand(CLI::App& app, CommandLine& line);
/// explain and check-steps.
std::vector<std::pair<CLI::App*, SubcommandRun>> AddExplainCommands(CLI::App& app, CommandLine& line);
/// minimise.
std::vector<std::pair<CLI::App*, SubcommandRun>> AddMinimiseCommand(CLI::App& app, CommandLine& line);

/// Runs `work` on the large-stack thread; an engine error or a lack of memory is printed alone on
/// standard error and gives false.
bool RunReportingErrors(const std::function<void()>& work);

/// Runs `work` on the large stack into a buffer that is printed only when the whole command
/// succeeded, so that a failure prints its message alone; the exit status.
int PrintWhenDone(const std::function<void(std::ostream&)>& work);

/// Builds the table and prints its warnings on standard error, each led by `label` when there is
/// one; false when that failed or when `strict` turns the warnings into an error.
bool BuildReportingWarnings(const std::string& expression, DisplayMode mode, bool strict,
                            DiagnosedTable& built, const std::string& label = {});

/// The function of `table` with the don't-cares of `text` when `option` was given (read for the
/// table's columns, frontend/dont_care.h: a variable the table lacks is an error), printing their
/// warnings; false on an error, printed, or when `strict` turns the warnings into one. A blank text
/// gives no don't-cares.
bool BuildFunction(const TruthTable& table, const std::string& text, const CLI::Option* option, bool strict,
                   TableFunction& function);

/// The help of the expression argument.
inline constexpr const char* kExpressionHelp =
    "The expression (use -- before one that begins with '-'; - reads it from standard input)";
/// The help of --strict.
inline constexpr const char* kStrictHelp =
    "Fail (status 1, nothing on standard output) when there are warnings";
/// The help of --dont-care.
inline constexpr const char* kDontCareHelp =
    "An expression over the expression's variables (another variable is an error): the rows where it is 1 "
    "may take either value";
/// The help of --form for circuits and netlists.
inline constexpr const char* kCircuitFormHelp =
    "typed (the default: the tree the table evaluates), sop or pos (the least sum of products or product of "
    "sums), nand or nor (the same with NAND or NOR gates alone)";

/// Adds the required expression argument, read from standard input when it is "-".
CLI::Option* AddExpressionArgument(CLI::App& command, CommandLine& line, std::string& expression);

/// --pla FILE with --output N|NAME, which needs it; `verb` is what is done with the output chosen.
CLI::Option* AddFileOption(CLI::App& command, std::string& file, std::string& output, const std::string& help,
                           const std::string& verb);

/// --budget: the solver's seconds, a positive number of at most a day.
CLI::Option* AddBudgetOption(CLI::App& command, double& seconds);

/// The solver's time from --budget SECONDS.
std::chrono::milliseconds BudgetOf(double seconds);

}  // namespace brevano::cli
