// PLA files written: a sum of products of one output, one term a line.
#include <cctype>

#include "engine/engine_error.h"
#include "plafile/function_file.h"

namespace brevano {

namespace {

void CheckName(const std::string& name) {
  for (char c : name) {
    if (std::isspace(static_cast<unsigned char>(c)) || c == '#' || c == '|')
      throw EngineError("The name \"" + name +
                        "\" cannot be written in a PLA file: it holds a blank, \"#\" or \"|\"");
  }
}

}  // namespace

std::string WritePla(const std::vector<PlaOutput>& outputs, const std::vector<std::string>& inputs,
                     const std::string& comment) {
  for (const std::string& name : inputs) CheckName(name);
  for (const PlaOutput& output : outputs) CheckName(output.name);
  std::string text;
  std::size_t start = 0;
  while (!comment.empty() && start <= comment.size()) {
    const std::size_t end = std::min(comment.find('\n', start), comment.size());
    text += "# " + comment.substr(start, end - start) + "\n";
    start = end + 1;
  }
  const int n = static_cast<int>(inputs.size());
  std::size_t terms = 0;
  for (const PlaOutput& output : outputs) terms += output.terms.size();
  text += ".i " + std::to_string(n) + "\n.o " + std::to_string(outputs.size()) + "\n";
  if (n > 0) {
    text += ".ilb";
    for (const std::string& name : inputs) text += " " + name;
    text += "\n";
  }
  text += ".ob";
  for (const PlaOutput& output : outputs) text += " " + output.name;
  text += "\n.type f\n.p " + std::to_string(terms) + "\n";
  for (std::size_t o = 0; o < outputs.size(); ++o) {
    for (const Cube& term : outputs[o].terms) {
      for (int i = 0; i < n; ++i) {
        const std::uint64_t bit = std::uint64_t{1} << (n - 1 - i);
        text += (term.care & bit) == 0 ? '-' : (term.value & bit) ? '1' : '0';
      }
      text += ' ';
      for (std::size_t other = 0; other < outputs.size(); ++other) text += other == o ? '1' : '0';
      text += '\n';
    }
  }
  return text + ".e\n";
}

}  // namespace brevano
