// brevano: the engine and the truth table from the command line.
#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/commands.h"
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

// Runs one engine command on the large-stack thread; the result is written only when the whole
// command succeeded, so a failure prints its message alone.
int RunEngineCommand(const Command& command, const std::string& expression) {
  std::ostringstream out;
  try {
    brevano::RunWithLargeStack([&] {
      brevano::cli::CheckExpressionLength(expression);
      command(expression, out);
    });
  } catch (const brevano::EngineError& error) {
    std::cerr << error.what() << '\n';
    return 1;
  } catch (const std::bad_alloc&) {
    std::cerr << "Not enough memory for this expression\n";
    return 1;
  }
  std::cout << out.str() << std::flush;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  brevano::UseLocaleDecimalSeparator();
  CLI::App app{"Brevano Boolean: truth tables of Boolean expressions", "brevano"};
  app.set_version_flag("--version", "brevano " BREVANO_VERSION);
  app.require_subcommand(1);
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
  };
  std::string expression;
  const Subcommand* chosen = nullptr;
  for (const Subcommand& sub : subcommands) {
    CLI::App* cmd = app.add_subcommand(sub.name, sub.help);
    cmd->add_option("expression", expression, "The expression (use -- before one that begins with '-')")
        ->required();
    cmd->callback([&chosen, &sub] { chosen = &sub; });
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e, std::cerr, std::cerr);
    return 2;
  }
  if (!separator.empty()) brevano::SetDecimalSeparator(separator[0]);
  return chosen ? RunEngineCommand(chosen->run, expression) : 2;
}
