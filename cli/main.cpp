// brevano: the engine and the truth table from the command line.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "cli/arguments.h"
#include "cli/circuit_commands.h"
#include "cli/commands.h"
#include "cli/file_commands.h"
#include "cli/minimise_command.h"
#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "engine/numbers.h"

namespace {

using Command = std::function<void(const std::string&, std::ostream&)>;

struct Subcommand {
  const char* name;
  const char* help;
  Command run;
};

// Runs `work` on the large-stack thread; an engine error or a lack of memory is printed alone
// on standard error and gives false.
bool RunReportingErrors(const std::function<void()>& work) {
  try {
    brevano::RunWithLargeStack(work);
  } catch (const brevano::EngineError& error) {
    std::cerr << error.what() << '\n';
    return false;
  } catch (const std::bad_alloc&) {
    std::cerr << "Not enough memory for this expression\n";
    return false;
  }
  return true;
}

// Runs one engine command; the result is written only when the whole command succeeded, so a
// failure prints its message alone.
int RunEngineCommand(const Command& command, const std::string& expression) {
  std::ostringstream out;
  const bool done = RunReportingErrors([&] {
    brevano::cli::CheckExpressionLength(expression);
    command(expression, out);
  });
  if (!done) return 1;
  std::cout << out.str() << std::flush;
  return 0;
}

// Builds the table and prints its warnings on standard error, each led by `label` when there is
// one; false when that failed or when `strict` turns the warnings into an error.
bool BuildReportingWarnings(const std::string& expression, brevano::DisplayMode mode, bool strict,
                            brevano::DiagnosedTable& built, const std::string& label = {}) {
  const bool done = RunReportingErrors([&] {
    brevano::cli::CheckExpressionLength(expression);
    built = brevano::cli::BuildExpressionTable(expression, mode);
  });
  if (!done) return false;
  brevano::cli::WriteWarnings(built.diagnosis, std::cerr, label);
  return !(strict && !built.diagnosis.warnings.empty());
}

// Builds the table, then streams it: an error before the first byte is written prints its
// message alone. A reader that stops early (`| head`) ends the output quietly, with success.
int RunTableCommand(const std::string& expression, brevano::DisplayMode mode, brevano::TableFormat format,
                    bool strict) {
  brevano::DiagnosedTable built;
  if (!BuildReportingWarnings(expression, mode, strict, built)) return 1;
  std::signal(SIGPIPE, SIG_IGN);
  std::string error;
  if (brevano::cli::WriteTableTo(STDOUT_FILENO, built.table, format, error) ==
      brevano::cli::WriteOutcome::kFailed) {
    std::cerr << error << '\n';
    return 1;
  }
  return 0;
}

// The options of `analyse`, filled in by the parser.
struct AnalyseOptions {
  bool strict = false;
  std::string dontCare;
  CLI::Option* dontCareOption = nullptr;
  std::string file, output;
  CLI::Option* fileOption = nullptr;
  std::string form = "both";
  double budget = 0;
  CLI::Option* budgetOption = nullptr;
  bool chosen = false;

  brevano::cli::AnalyseSettings Settings() const {
    brevano::cli::AnalyseSettings settings;
    settings.sum = form != "pos";
    settings.product = form != "sop";
    if (budgetOption->count()) settings.budget = budget;
    if (isatty(STDERR_FILENO)) settings.progress = &std::cerr;
    return settings;
  }
};

// Builds the table of the don't-cares, when asked for, with its warnings; false on an error.
bool BuildDontCare(const std::string& text, const CLI::Option* option, bool strict,
                   std::optional<brevano::DiagnosedTable>& built) {
  if (!option->count()) return true;
  built.emplace();
  return BuildReportingWarnings(text, brevano::DisplayMode::kZeroOne, strict, *built, "don't-care");
}

// The analysis is printed after the warnings, its counts and rows as soon as they are known (the
// command writes nothing before it can no longer fail).
int RunAnalyseCommand(const std::string& expression, const AnalyseOptions& options) {
  if (options.fileOption->count()) {
    const bool done = RunReportingErrors([&] {
      brevano::cli::CommandAnalyseFile(options.file, options.output, options.Settings(), std::cout,
                                       std::cerr);
    });
    std::cout << std::flush;
    return done ? 0 : 1;
  }
  brevano::DiagnosedTable built;
  std::optional<brevano::DiagnosedTable> dontCare;
  if (!BuildReportingWarnings(expression, brevano::DisplayMode::kZeroOne, options.strict, built)) return 1;
  if (!BuildDontCare(options.dontCare, options.dontCareOption, options.strict, dontCare)) return 1;
  const bool done = RunReportingErrors([&] {
    brevano::cli::CommandAnalyse(built.table, dontCare ? &dontCare->table : nullptr, options.Settings(),
                                 std::cout);
  });
  std::cout << std::flush;
  return done ? 0 : 1;
}

// The row found is printed only once the search succeeded, after the warnings.
int RunFindCommand(const std::string& expression, const brevano::cli::FindOptions& options) {
  brevano::DiagnosedTable built;
  if (!BuildReportingWarnings(expression, brevano::DisplayMode::kZeroOne, false, built)) return 1;
  std::ostringstream out;
  if (!RunReportingErrors([&] { brevano::cli::CommandFind(built.table, options, out); })) return 1;
  std::cout << out.str() << std::flush;
  return 0;
}

// Compares two expressions after the warnings of each, each led by its expression: 0 when
// equivalent, 3 when not, 1 on an error. With warnings the verdict says it is about the tables as read.
int RunEquivCommand(const std::string& first, const std::string& second, std::chrono::milliseconds budget) {
  brevano::DiagnosedTable a, b;
  const auto label = [](const std::string& text) { return brevano::cli::QuotedExpression(text); };
  if (!BuildReportingWarnings(first, brevano::DisplayMode::kZeroOne, false, a, label(first))) return 1;
  if (!BuildReportingWarnings(second, brevano::DisplayMode::kZeroOne, false, b, label(second))) return 1;
  const bool asRead = !a.diagnosis.warnings.empty() || !b.diagnosis.warnings.empty();
  std::ostringstream out;
  bool equivalent = false;
  if (!RunReportingErrors([&] {
        equivalent = brevano::cli::CommandEquiv(a.table, first, b.table, second, out, asRead, budget);
      }))
    return 1;
  std::cout << out.str() << std::flush;
  return equivalent ? 0 : 3;
}

constexpr const char* kExpressionHelp =
    "The expression (use -- before one that begins with '-'; - reads it from standard input)";

// --pla FILE with --output N|NAME, which needs it; `verb` is what is done with the output chosen.
CLI::Option* AddFileOption(CLI::App& command, std::string& file, std::string& output, const std::string& help,
                           const std::string& verb) {
  CLI::Option* option = command.add_option("--pla,--file", file, help);
  command
      .add_option("--output", output,
                  "With --pla: the output to " + verb + ", by name or by number from 1 (default: every output)")
      ->needs(option);
  return option;
}

constexpr const char* kStrictHelp = "Fail (status 1, nothing on standard output) when there are warnings";

// The options of `table`, filled in by the parser.
struct TableOptions {
  bool falseTrue = false;
  std::string format = "tsv";
  bool strict = false;
  bool chosen = false;
};

void AddTableCommand(CLI::App& app, TableOptions& options, std::string& expression) {
  CLI::App* table =
      app.add_subcommand("table", "Print the truth table: a caption line, then one line per row");
  table->add_flag("--ft", options.falseTrue, "Write truth values as F and T instead of 0 and 1");
  table->add_flag("--strict", options.strict, kStrictHelp);
  table
      ->add_option("--format", options.format,
                   "tsv (the default), csv (RFC 4180, CRLF line ends), markdown or latex")
      ->check(CLI::IsMember({"tsv", "csv", "markdown", "latex"}));
  table->add_option("expression", expression, kExpressionHelp)->required();
  table->callback([&options] { options.chosen = true; });
}

constexpr const char* kDontCareHelp =
    "An expression over the same variables, or others: the rows where it is 1 may take either value";

void AddAnalyseCommand(CLI::App& app, AnalyseOptions& options, std::string& expression) {
  CLI::App* analyse =
      app.add_subcommand("analyse", "Print the analysis of the Result column, one labelled line each");
  analyse->add_flag("--strict", options.strict, kStrictHelp);
  options.dontCareOption = analyse->add_option("--dont-care", options.dontCare, kDontCareHelp);
  analyse->add_option("--form", options.form, "sop, pos or both (the default): the least forms printed")
      ->check(CLI::IsMember({"sop", "pos", "both"}));
  options.budgetOption =
      analyse
          ->add_option(
              "--budget", options.budget,
              "Seconds each search may take: each form's, the SAT solver's, and a count row by row "
              "(default 10 s, the count about a second's worth of rows); then the best found is printed")
          ->check(CLI::Range(0.001, 86400.0));
  options.fileOption = AddFileOption(
      *analyse, options.file, options.output,
      "A PLA file, or a table file as brevano table writes it (TSV or CSV), instead of an expression", "analyse");
  options.dontCareOption->excludes(options.fileOption);
  CLI::Option* typed =
      analyse->add_option("expression", expression, kExpressionHelp)->excludes(options.fileOption);
  analyse->footer(brevano::cli::AnalyseHelp());
  analyse->callback([&options, typed] {
    if (!typed->count() && !options.fileOption->count()) throw CLI::RequiredError("expression or --pla FILE");
    options.chosen = true;
  });
}

// The options of `kmap`, filled in by the parser.
struct KmapOptions {
  std::string cover = "sop";
  std::string format = "text";
  std::string dontCare;
  CLI::Option* dontCareOption = nullptr;
  bool chosen = false;
};

void AddKmapCommand(CLI::App& app, KmapOptions& options, std::string& expression) {
  CLI::App* kmap = app.add_subcommand(
      "kmap", "Print the Karnaugh map (1 to 6 variables) with a least sum of products or product of sums");
  kmap->add_option("--cover", options.cover,
                   "sop (the default: groups of 1-cells), pos (groups of 0-cells) or none")
      ->check(CLI::IsMember({"sop", "pos", "none"}));
  kmap->add_option("--format", options.format, "text (the default) or svg (the picture the window saves)")
      ->check(CLI::IsMember({"text", "svg"}));
  options.dontCareOption = kmap->add_option("--dont-care", options.dontCare, kDontCareHelp);
  kmap->add_option("expression", expression, kExpressionHelp)->required();
  kmap->callback([&options] { options.chosen = true; });
}

// The map is printed only once it is complete, after the warnings of its table.
int RunKmapCommand(const std::string& expression, const KmapOptions& options) {
  brevano::DiagnosedTable built;
  std::optional<brevano::DiagnosedTable> dontCare;
  if (!BuildReportingWarnings(expression, brevano::DisplayMode::kZeroOne, false, built)) return 1;
  if (!BuildDontCare(options.dontCare, options.dontCareOption, false, dontCare)) return 1;
  std::ostringstream out;
  const bool done = RunReportingErrors([&] {
    brevano::cli::CommandKmap(built.table, dontCare ? &dontCare->table : nullptr, options.cover,
                              options.format == "svg", out);
  });
  if (!done) return 1;
  std::cout << out.str() << std::flush;
  return 0;
}

// The options of `circuit`, filled in by the parser.
struct CircuitArguments {
  std::string form = "typed";
  std::string style = "ansi";
  std::string format = "text";
  bool chosen = false;
};

constexpr const char* kCircuitFormHelp =
    "typed (the default: the tree the table evaluates), sop or pos (the least sum of products or product of "
    "sums), nand or nor (the same with NAND or NOR gates alone)";

void AddCircuitCommand(CLI::App& app, CircuitArguments& circuit, std::string& expression) {
  CLI::App* command =
      app.add_subcommand("circuit", "Print the logic circuit of the Result: its gates, or its picture");
  command->add_option("--form", circuit.form, kCircuitFormHelp)
      ->check(CLI::IsMember({"typed", "sop", "pos", "nand", "nor"}));
  command->add_option("--style", circuit.style, "ansi (the default: distinctive shapes) or iec (rectangles)")
      ->check(CLI::IsMember({"ansi", "iec"}));
  command
      ->add_option("--format", circuit.format, "text (the default: one line per gate) or svg (the picture)")
      ->check(CLI::IsMember({"text", "svg"}));
  command->add_option("expression", expression, kExpressionHelp)->required();
  command->callback([&circuit] { circuit.chosen = true; });
}

// The options of `export`, filled in by the parser.
struct ExportArguments {
  std::string format;
  std::string form = "typed";
  CLI::Option* formOption = nullptr;
  std::string dontCare;
  CLI::Option* dontCareOption = nullptr;
  std::string file, output;
  CLI::Option* fileOption = nullptr;
  bool chosen = false;
};

void AddExportCommand(CLI::App& app, ExportArguments& exported, std::string& expression) {
  CLI::App* command = app.add_subcommand(
      "export", "Print the Result's circuit as a netlist: one module, the table's columns in, Result out");
  command
      ->add_option("--format", exported.format,
                   "blif, verilog or vhdl; or pla: the least sum of products as a PLA file")
      ->required()
      ->check(CLI::IsMember({"blif", "verilog", "vhdl", "pla"}));
  exported.formOption = command->add_option("--form", exported.form, kCircuitFormHelp)
                            ->check(CLI::IsMember({"typed", "sop", "pos", "nand", "nor"}));
  exported.dontCareOption = command->add_option("--dont-care", exported.dontCare,
                                                std::string(kDontCareHelp) + " (with --format pla)");
  exported.fileOption = AddFileOption(
      *command, exported.file, exported.output,
      "With --format pla: a PLA or table file whose outputs are written minimised, instead of an expression",
      "write");
  exported.dontCareOption->excludes(exported.fileOption);
  CLI::Option* typed =
      command->add_option("expression", expression, kExpressionHelp)->excludes(exported.fileOption);
  command->callback([&exported, typed] {
    if (!typed->count() && !exported.fileOption->count())
      throw CLI::RequiredError("expression or --pla FILE");
    const bool pla = exported.format == "pla";
    if (!pla && exported.fileOption->count()) throw CLI::ValidationError("--pla", "only with --format pla");
    if (pla && exported.formOption->count() && exported.form != "sop")
      throw CLI::ValidationError("--form", "a PLA file holds a sum of products: --form sop, or none");
    if (!pla && exported.dontCareOption->count())
      throw CLI::ValidationError("--dont-care", "only with --format pla");
    exported.chosen = true;
  });
}

// The circuit or the netlist is printed only once it is complete, after the warnings of its table.
int RunCircuitCommand(const std::string& expression,
                      const std::function<void(const brevano::TruthTable&, std::ostream&)>& command) {
  brevano::DiagnosedTable built;
  if (!BuildReportingWarnings(expression, brevano::DisplayMode::kZeroOne, false, built)) return 1;
  std::ostringstream out;
  if (!RunReportingErrors([&] { command(built.table, out); })) return 1;
  std::cout << out.str() << std::flush;
  return 0;
}

// The PLA file is printed only once it is complete, after the warnings of both tables.
int RunExportPlaCommand(const std::string& expression, const ExportArguments& exported) {
  std::ostringstream out;
  if (exported.fileOption->count()) {
    if (!RunReportingErrors(
            [&] { brevano::cli::CommandExportPlaFile(exported.file, exported.output, out, std::cerr); }))
      return 1;
    std::cout << out.str() << std::flush;
    return 0;
  }
  brevano::DiagnosedTable built;
  std::optional<brevano::DiagnosedTable> dontCare;
  if (!BuildReportingWarnings(expression, brevano::DisplayMode::kZeroOne, false, built)) return 1;
  if (!BuildDontCare(exported.dontCare, exported.dontCareOption, false, dontCare)) return 1;
  const bool done = RunReportingErrors([&] {
    brevano::cli::CommandExportPla(built.table, dontCare ? &dontCare->table : nullptr, expression, out);
  });
  if (!done) return 1;
  std::cout << out.str() << std::flush;
  return 0;
}

// The solver's time from --budget SECONDS.
std::chrono::milliseconds BudgetOf(double seconds) {
  return std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000 + 0.5));
}

constexpr const char* kBudgetHelp =
    "Seconds the SAT solver may spend where the decision diagram is too complex (default 10)";

// --budget: a positive number of seconds, at most a day.
CLI::Option* AddBudgetOption(CLI::App& command, double& seconds) {
  return command.add_option("--budget", seconds, kBudgetHelp)->check(CLI::Range(0.001, 86400.0));
}

// The options of `find`, filled in by the parser.
struct FindArguments {
  brevano::cli::FindOptions options;
  double budget = 10;
  std::uint64_t from = 0, nth = 0;
  CLI::Option* fromOption = nullptr;
  CLI::Option* nthOption = nullptr;
  bool chosen = false;

  brevano::cli::FindOptions Options() const {
    brevano::cli::FindOptions chosenOptions = options;
    if (fromOption->count()) chosenOptions.from = from;
    if (nthOption->count()) chosenOptions.nth = nth;
    chosenOptions.budget = BudgetOf(budget);
    return chosenOptions;
  }
};

void AddFindCommand(CLI::App& app, FindArguments& find, std::string& expression) {
  CLI::App* command =
      app.add_subcommand("find", "Print the first row with a given Result: its number and assignment");
  command->add_option("--result", find.options.result, "The Result looked for: 0 or 1 (default 1)")
      ->check(CLI::IsMember({0, 1}));
  find.fromOption = command->add_option(
      "--from", find.from, "The row the search starts at (default: the first; the last with --previous)");
  CLI::Option* previous = command->add_flag("--previous", find.options.previous,
                                            "Search towards row 0: the last row at or before --from");
  find.nthOption =
      command->add_option("--nth", find.nth, "The n-th row with the Result instead, counted from 1")
          ->excludes(find.fromOption)
          ->excludes(previous);
  AddBudgetOption(*command, find.budget);
  command->add_option("expression", expression, kExpressionHelp)->required();
  command->callback([&find] { find.chosen = true; });
  command->footer(
      "Rows count from 0, the first variable being the most significant bit; \"none\" when there is\n"
      "no such row.");
}

// The options of `equiv`, filled in by the parser.
struct EquivArguments {
  std::string second;
  double budget = 10;
  bool chosen = false;
};

void AddEquivCommand(CLI::App& app, EquivArguments& equiv, std::string& expression) {
  CLI::App* command = app.add_subcommand(
      "equiv",
      "Compare two expressions over the union of their variables: exit status 0 when equivalent, 3 when not");
  command->add_option("expression", expression, kExpressionHelp)->required();
  command->add_option("expression2", equiv.second, "The second expression")->required();
  AddBudgetOption(*command, equiv.budget);
  command->callback([&equiv] { equiv.chosen = true; });
}

// Parses the command line, then replaces each of `expressions` that is "-" by the next line of
// standard input, as Unix tools read a file named "-". The exit status when the run ends here
// (help, the version, a usage error), none to go on.
std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv,
                                  std::initializer_list<std::string*> expressions) {
  if (const auto unknown = brevano::cli::UnknownCommandMessage(app, argc, argv)) {
    std::cerr << *unknown << '\n';
    return 2;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e, std::cerr, std::cerr);
    if (const auto hint = brevano::cli::OptionLikeExpressionHint(app, argc, argv)) std::cerr << *hint << '\n';
    return 2;
  }
  for (std::string* text : expressions) {
    if (*text != "-") continue;
    const std::optional<std::string> line = brevano::cli::ReadExpressionLine(std::cin);
    if (!line) {
      std::cerr << "The expression \"-\" stands for a line of standard input, but it has none\n";
      return 2;
    }
    *text = *line;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  brevano::UseLocaleDecimalSeparator();
  CLI::App app{"Brevano Boolean: truth tables of Boolean expressions", "brevano"};
  app.set_version_flag("--version", "brevano " BREVANO_VERSION);
  app.require_subcommand(1);
  app.fallthrough();  // the global option may also follow the command: brevano tree --decimal-separator , …
  std::string separator;
  app.add_option("--decimal-separator", separator, "Decimal separator of numbers (default: the locale's)")
      ->check([](const std::string& value) {
        return value.size() == 1 ? std::string() : std::string("must be a single character");
      });

  const Subcommand subcommands[] = {
      {"parse", "Print the parsed tree of every top-level statement", brevano::cli::CommandParse},
      {"expand", "Print the tree after the diff calls are expanded", brevano::cli::CommandExpand},
      {"tree", "Print the tree after differentiation and simplification", brevano::cli::CommandTree},
      {"listing", "Print the tagged listing the truth table evaluates", brevano::cli::CommandListing},
      {"check", "Print what the table evaluates and what it ignores of the expression",
       brevano::cli::CommandCheck},
  };
  std::string expression;
  const Subcommand* chosen = nullptr;
  for (const Subcommand& sub : subcommands) {
    CLI::App* cmd = app.add_subcommand(sub.name, sub.help);
    cmd->add_option("expression", expression, kExpressionHelp)->required();
    cmd->callback([&chosen, &sub] { chosen = &sub; });
  }
  AnalyseOptions analyse;
  AddAnalyseCommand(app, analyse, expression);
  TableOptions table;
  AddTableCommand(app, table, expression);
  KmapOptions kmap;
  AddKmapCommand(app, kmap, expression);
  FindArguments find;
  AddFindCommand(app, find, expression);
  EquivArguments equiv;
  AddEquivCommand(app, equiv, expression);
  CircuitArguments circuit;
  AddCircuitCommand(app, circuit, expression);
  ExportArguments exported;
  AddExportCommand(app, exported, expression);
  brevano::cli::MinimiseArguments minimise;
  brevano::cli::AddMinimiseCommand(app, minimise);

  if (const std::optional<int> status = ParseArguments(app, argc, argv, {&expression, &equiv.second}))
    return *status;
  if (!separator.empty()) brevano::SetDecimalSeparator(separator[0]);
  if (minimise.chosen) return brevano::cli::RunMinimiseCommand(minimise);
  if (table.chosen) {
    const auto mode = table.falseTrue ? brevano::DisplayMode::kFalseTrue : brevano::DisplayMode::kZeroOne;
    return RunTableCommand(expression, mode, *brevano::TableFormatFromName(table.format), table.strict);
  }
  if (analyse.chosen) return RunAnalyseCommand(expression, analyse);
  if (kmap.chosen) return RunKmapCommand(expression, kmap);
  if (find.chosen) return RunFindCommand(expression, find.Options());
  if (equiv.chosen) return RunEquivCommand(expression, equiv.second, BudgetOf(equiv.budget));
  if (circuit.chosen) {
    return RunCircuitCommand(expression, [&](const brevano::TruthTable& table, std::ostream& out) {
      brevano::cli::CommandCircuit(table, circuit.form, circuit.style, circuit.format == "svg", out);
    });
  }
  if (exported.chosen && exported.format == "pla") return RunExportPlaCommand(expression, exported);
  if (exported.chosen) {
    return RunCircuitCommand(expression, [&](const brevano::TruthTable& table, std::ostream& out) {
      brevano::cli::CommandExport(table, expression, exported.format, exported.form, out);
    });
  }
  return chosen ? RunEngineCommand(chosen->run, expression) : 2;
}
