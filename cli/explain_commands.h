// The commands that explain answers: a derivation by laws or the tabular method, and the check of a
// derivation line by line.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace brevano::cli {

/// The options of `explain` and `check-steps`, filled in by the parser.
struct ExplainCommands {
  std::string form = "sop";
  std::string format = "text";
  std::string method = "laws";
  std::string dontCare;
  CLI::Option* dontCareOption = nullptr;
  bool explainChosen = false;
  std::string stepsFile;
  bool checkChosen = false;

  /// Runs the command chosen on `expression` (explain) and returns its exit status; none when
  /// neither was chosen.
  std::optional<int> Run(const std::string& expression) const;
};

/// Adds `explain` and `check-steps` to `app`; `expression` receives explain's expression.
void AddExplainCommands(CLI::App& app, ExplainCommands& commands, std::string& expression);

}  // namespace brevano::cli
