// Reading the command line as a person meant it when the parser cannot.
#include "cli/arguments.h"

#include <string_view>

namespace brevano::cli {

namespace {

// The global options that take a value in the next argument.
bool TakesValue(const CLI::App& app, std::string_view argument) {
  if (argument.find('=') != std::string_view::npos || argument.rfind("--", 0) != 0) return false;
  const CLI::Option* option = app.get_option_no_throw(std::string(argument));
  return option && option->get_type_size() > 0;
}

// The index of the command's argument (the first that is not an option of the program), or argc.
int CommandIndex(const CLI::App& app, int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") return i + 1;
    if (argument.size() < 2 || argument.front() != '-') return i;
    if (TakesValue(app, argument)) ++i;
  }
  return argc;
}

bool NamesOption(const CLI::App& app, std::string argument) {
  if (const std::size_t equals = argument.find('='); equals != std::string::npos) argument.resize(equals);
  return app.get_option_no_throw(argument) != nullptr;
}

}  // namespace

std::optional<std::string> UnknownCommandMessage(const CLI::App& app, int argc, const char* const* argv) {
  const int at = CommandIndex(app, argc, argv);
  if (at >= argc) return std::nullopt;
  const std::string name = argv[at];
  std::string commands;
  for (const CLI::App* command : app.get_subcommands({})) {
    if (command->get_name() == name) return std::nullopt;
    commands += (commands.empty() ? "" : ", ") + command->get_name();
  }
  return "Unknown command \"" + name + "\": the commands are " + commands + ".";
}

std::optional<std::string> OptionLikeExpressionHint(const CLI::App& app, int argc, const char* const* argv) {
  const int at = CommandIndex(app, argc, argv);
  if (at >= argc) return std::nullopt;
  const CLI::App* command = nullptr;
  for (const CLI::App* candidate : app.get_subcommands({})) {
    if (candidate->get_name() == argv[at]) command = candidate;
  }
  if (!command) return std::nullopt;
  for (int i = at + 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--") return std::nullopt;
    if (argument.size() < 2 || argument.front() != '-') continue;
    if (NamesOption(*command, argument) || NamesOption(app, argument)) continue;
    return "The expression \"" + argument +
           "\" begins with \"-\" and was taken for an option: put -- before it, as in brevano " +
           command->get_name() + " -- " + argument;
  }
  return std::nullopt;
}

std::optional<std::string> ReadExpressionLine(std::istream& in) {
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace brevano::cli
