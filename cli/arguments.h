// The command line's own mistakes, told plainly: an unknown command, an expression taken for an
// option; and "-" for an expression read from standard input.
#pragma once

#include <CLI/CLI.hpp>
#include <istream>
#include <optional>
#include <string>

namespace brevano::cli {

/// The message for an argument that names no command, or none when the command line names one
/// (or names nothing at all, which the parser reports itself): 'Unknown command "frobnicate": the
/// commands are parse, expand, …'. The global options before the command are skipped.
std::optional<std::string> UnknownCommandMessage(const CLI::App& app, int argc, const char* const* argv);

/// After a parse error: the hint for the first argument before "--" that begins with "-" but names
/// no option of the program or of its command, so that it was meant as the expression ('The
/// expression "-a" begins with "-" and was taken for an option: put -- before it, as in brevano
/// table -- -a'); none when there is no such argument.
std::optional<std::string> OptionLikeExpressionHint(const CLI::App& app, int argc, const char* const* argv);

/// The expression "-" stands for: the next line of `in`, without its line end; none at the end of
/// the input.
std::optional<std::string> ReadExpressionLine(std::istream& in);

}  // namespace brevano::cli
