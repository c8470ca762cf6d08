// brevano kmap: the Karnaugh map of up to 6 variables with a least cover.
#include <memory>

#include "cli/commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct KmapOptions {
  std::string expression;
  std::string cover = "sop";
  std::string format = "text";
  std::string dontCare;
  CLI::Option* dontCareOption = nullptr;
};

// The map is printed only once it is complete, after the warnings of its table.
int RunKmap(const KmapOptions& options) {
  DiagnosedTable built;
  TableFunction function;
  if (!BuildReportingWarnings(options.expression, DisplayMode::kZeroOne, false, built)) return 1;
  if (!BuildFunction(built.table, options.dontCare, options.dontCareOption, false, function)) return 1;
  return PrintWhenDone(
      [&](std::ostream& out) { CommandKmap(function, options.cover, options.format == "svg", out); });
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddKmapCommand(CLI::App& app, CommandLine& line) {
  auto options = std::make_shared<KmapOptions>();
  CLI::App* kmap = app.add_subcommand(
      "kmap", "Print the Karnaugh map (1 to 6 variables) with a least sum of products or product of sums");
  kmap->add_option("--cover", options->cover,
                   "sop (the default: groups of 1-cells), pos (groups of 0-cells) or none")
      ->check(CLI::IsMember({"sop", "pos", "none"}));
  kmap->add_option("--format", options->format, "text (the default) or svg (the picture the window saves)")
      ->check(CLI::IsMember({"text", "svg"}));
  options->dontCareOption = kmap->add_option("--dont-care", options->dontCare, kDontCareHelp);
  AddExpressionArgument(*kmap, line, options->expression)->required();
  return {{kmap, [options] { return RunKmap(*options); }}};
}

}  // namespace brevano::cli
