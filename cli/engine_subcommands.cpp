// The engine's stages as subcommands: parse, expand, tree, listing and check, each printing one
// text of one expression.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct EngineCommand {
  const char* name;
  const char* help;
  void (*run)(const std::string&, std::ostream&);
};

constexpr EngineCommand kEngineCommands[] = {
    {"parse", "Print the parsed tree of every top-level statement", CommandParse},
    {"expand", "Print the tree after the diff calls are expanded", CommandExpand},
    {"tree", "Print the tree after differentiation and simplification", CommandTree},
    {"listing", "Print the tagged listing the truth table evaluates", CommandListing},
    {"check", "Print what the table evaluates and what it ignores of the expression", CommandCheck},
};

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddEngineCommands(CLI::App& app, CommandLine& line) {
  std::vector<std::pair<CLI::App*, SubcommandRun>> added;
  for (const EngineCommand& engine : kEngineCommands) {
    CLI::App* command = app.add_subcommand(engine.name, engine.help);
    auto expression = std::make_shared<std::string>();
    AddExpressionArgument(*command, line, *expression)->required();
    added.emplace_back(command, [expression, run = engine.run] {
      return PrintWhenDone([&](std::ostream& out) {
        CheckExpressionLength(*expression);
        run(*expression, out);
      });
    });
  }
  return added;
}

}  // namespace brevano::cli
