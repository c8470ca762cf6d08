// The Berkeley PLA format: keywords, then terms of input and output characters that may spread over
// lines; every error names its line.
#include <algorithm>
#include <cctype>

#include "engine/engine_error.h"
#include "plafile/function_file.h"

namespace brevano {

namespace {

[[noreturn]] void Fail(std::size_t line, const std::string& reason) {
  throw EngineError("Line " + std::to_string(line) + ": " + reason);
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::size_t start = i;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

int Count(const std::vector<std::string>& words, std::size_t line, int least, int most) {
  if (words.size() != 2 || words[1].empty() || words[1].size() > 6 ||
      !std::all_of(words[1].begin(), words[1].end(), [](char c) { return c >= '0' && c <= '9'; })) {
    Fail(line, words[0] + " takes one number");
  }
  const int count = std::stoi(words[1]);
  if (count < least || count > most)
    Fail(line, words[0] + " " + words[1] + ": from " + std::to_string(least) + " to " + std::to_string(most));
  return count;
}

FileSets SetsOfType(const std::vector<std::string>& words, std::size_t line) {
  if (words.size() != 2) Fail(line, ".type takes one of f, fd, r, fr, dr, fdr");
  const std::string& type = words[1];
  if (type == "f") return {true, false, false};
  if (type == "fd") return {true, true, false};
  if (type == "r") return {false, false, true};
  if (type == "fr") return {true, false, true};
  if (type == "dr") return {false, true, true};
  if (type == "fdr") return {true, true, true};
  Fail(line, "unknown .type \"" + type + "\": f, fd, r, fr, dr or fdr");
}

// The file being read: the header so far and the term being gathered.
class PlaReader {
 public:
  FunctionFile Read(std::string_view text) {
    std::size_t start = 0;
    while (start <= text.size() && !ended_) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      ++line_;
      std::string_view content = text.substr(start, end - start);
      if (const std::size_t hash = content.find('#'); hash != std::string_view::npos)
        content = content.substr(0, hash);
      ReadLine(content);
      start = end + 1;
    }
    if (ended_ &&
        text.substr(std::min(start, text.size())).find_first_not_of(" \t\r\n\f\v") != std::string_view::npos)
      file_.warnings.push_back("Line " + std::to_string(line_) + ": what follows " + endWord_ +
                               " is not read.");
    return Finish();
  }

 private:
  void ReadLine(std::string_view content) {
    const std::size_t first = content.find_first_not_of(" \t\r\f\v");
    if (first == std::string_view::npos) return;
    if (content[first] == '.') {
      if (!term_.empty())
        Fail(termLine_, ShortTerm("the term") + " before \"" + Words(content)[0].substr(0, 20) +
                            "\" on line " + std::to_string(line_));
      Keyword(Words(content));
      return;
    }
    for (char c : content) {
      if (std::isspace(static_cast<unsigned char>(c)) || c == '|') continue;
      if (term_.empty()) termLine_ = line_;
      term_ += c;
      if (!inputsGiven_ || !outputsGiven_)
        Fail(line_, "a term before .i and .o give the numbers of inputs and outputs");
      if (static_cast<int>(term_.size()) == inputs_ + outputs_) Term();
    }
  }

  // What a term cut short holds: "the term has its 3 inputs but 1 of its 2 outputs".
  std::string ShortTerm(const std::string& term) const {
    const auto count = [](int n, const char* what) {
      return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
    };
    const int held = static_cast<int>(term_.size());
    if (held < inputs_)
      return term + " has " + std::to_string(held) + " of its " + count(inputs_, "input") +
             " and none of its " + count(outputs_, "output");
    return term + " has its " + count(inputs_, "input") + " but " + std::to_string(held - inputs_) +
           " of its " + count(outputs_, "output");
  }

  void Keyword(const std::vector<std::string>& words) {
    const std::string& key = words[0];
    if (key == ".i" || key == ".o") {
      if (terms_ > 0) Fail(line_, key + " after the first term");
      (key == ".i" ? inputs_ : outputs_) =
          Count(words, line_, key == ".i" ? 0 : 1, key == ".i" ? kMaxPlaCubeInputs : 1000);
      (key == ".i" ? inputsGiven_ : outputsGiven_) = true;
    } else if ((key == ".ilb" || key == ".ob" || key == ".type") && terms_ > 0) {
      Fail(line_, key + " after the first term");
    } else if (key == ".ilb") {
      inputNames_.assign(words.begin() + 1, words.end());
      inputNamesLine_ = line_;
    } else if (key == ".ob") {
      outputNames_.assign(words.begin() + 1, words.end());
      outputNamesLine_ = line_;
    } else if (key == ".p") {
      declaredTerms_ = Count(words, line_, 0, 100000000);
      declaredLine_ = line_;
    } else if (key == ".type") {
      file_.sets = SetsOfType(words, line_);
    } else if (key == ".e" || key == ".end") {
      ended_ = true;
      endWord_ = key;
    } else if (key == ".phase" || key == ".pair" || key == ".symbolic" || key == ".mv" || key == ".kiss" ||
               key == ".label" || key == ".symbolic-output") {
      Fail(line_, key + " is not supported: only binary inputs and outputs, taken as written");
    } else {
      Fail(line_, "unknown keyword \"" + key + "\"");
    }
  }

  void Term() {
    if (file_.outputs.empty()) Start();
    const bool tables = inputs_ <= kMaxPlaInputs;
    Cube cube;
    MultiCube wide = MultiCube::Universe(inputs_, outputs_);
    for (int i = 0; i < inputs_; ++i) {
      const std::uint64_t bit = tables ? std::uint64_t{1} << (inputs_ - 1 - i) : 0;
      switch (term_[static_cast<std::size_t>(i)]) {
        case '0': cube.care |= bit, wide.SetInput(i, Literal::kZero); break;
        case '1': cube.care |= bit, cube.value |= bit, wide.SetInput(i, Literal::kOne); break;
        case '-':
        case '2': break;
        default:
          Fail(termLine_, "input " + std::to_string(i + 1) + " of a term is \"" +
                              term_[static_cast<std::size_t>(i)] + "\": 0, 1 or -");
      }
    }
    MultiCube on = wide, dontCare = wide, off = wide;
    for (int o = 0; o < outputs_; ++o) {
      const char c = term_[static_cast<std::size_t>(inputs_ + o)];
      FileOutput& output = file_.outputs[static_cast<std::size_t>(o)];
      if (c == '1' || c == '4') {
        if (file_.sets.on && tables) output.on.push_back(cube);
        on.SetOutput(o, file_.sets.on);
      } else if (c == '0' || c == '3') {
        if (file_.sets.off && tables) output.off.push_back(cube);
        off.SetOutput(o, file_.sets.off);
      } else if (c == '-' || c == '2') {
        if (file_.sets.dontCare && tables) output.dontCare.push_back(cube);
        dontCare.SetOutput(o, file_.sets.dontCare);
      } else if (c != '~') {
        Fail(termLine_,
             "output " + std::to_string(o + 1) + " of a term is \"" + c + "\": 1, 0, -, ~ (or 4, 3, 2)");
      }
    }
    if (!on.NoOutput()) file_.cubes.on.push_back(std::move(on)), onLines_.push_back(termLine_);
    if (!off.NoOutput()) file_.cubes.off.push_back(std::move(off)), offLines_.push_back(termLine_);
    if (!dontCare.NoOutput()) file_.cubes.dontCare.push_back(std::move(dontCare));
    ++terms_;
    term_.clear();
  }

  // The header is complete once the first term comes: names checked, outputs made.
  void Start() {
    if (!inputNames_.empty() && static_cast<int>(inputNames_.size()) != inputs_)
      Fail(inputNamesLine_, ".ilb names " + std::to_string(inputNames_.size()) + " inputs, .i says " +
                                std::to_string(inputs_));
    if (!outputNames_.empty() && static_cast<int>(outputNames_.size()) != outputs_)
      Fail(outputNamesLine_, ".ob names " + std::to_string(outputNames_.size()) + " outputs, .o says " +
                                 std::to_string(outputs_));
    file_.inputs = inputNames_.empty() ? DefaultNames(inputs_) : inputNames_;
    for (int o = 0; o < outputs_; ++o)
      file_.outputs.push_back(
          {outputNames_.empty() ? "f" + std::to_string(o + 1) : outputNames_[static_cast<std::size_t>(o)],
           {},
           {},
           {}});
    file_.cubes.read = true;
  }

  // A, B, ... up to 26 inputs; X01, X02, ... beyond, with as many digits as the last number needs
  // (at least two), so that the names sort in file order as text.
  static std::vector<std::string> DefaultNames(int count) {
    std::vector<std::string> names;
    const std::size_t digits = std::max<std::size_t>(2, std::to_string(count).size());
    for (int i = 0; i < count; ++i) {
      if (count <= 26) {
        names.emplace_back(1, static_cast<char>('A' + i));
      } else {
        const std::string number = std::to_string(i + 1);
        names.push_back("X" + std::string(digits - number.size(), '0') + number);
      }
    }
    return names;
  }

  FunctionFile Finish() {
    if (!term_.empty()) {
      Fail(termLine_, ShortTerm("the last term"));
    }
    if (!inputsGiven_ || !outputsGiven_) throw EngineError("No .i and .o: not a PLA file");
    if (file_.outputs.empty()) Start();
    if (declaredLine_ > 0 && declaredTerms_ != terms_) {
      file_.warnings.push_back("Line " + std::to_string(declaredLine_) + ": .p says " +
                               std::to_string(declaredTerms_) + " terms, the file has " +
                               std::to_string(terms_) + "; all of them are read.");
    }
    CheckConflicts();
    return std::move(file_);
  }

  // An output that a term makes 1 and another 0 for the same inputs is not a function.
  void CheckConflicts() const {
    const CubeCover& on = file_.cubes.on;
    const CubeCover& off = file_.cubes.off;
    for (std::size_t a = 0; a < on.size(); ++a) {
      for (std::size_t b = 0; b < off.size(); ++b) {
        if (!InputsIntersect(on[a], off[b]) || !OutputsIntersect(on[a], off[b])) continue;
        int o = 0;
        while (!(on[a].HasOutput(o) && off[b].HasOutput(o))) ++o;
        Fail(onLines_[a], "output \"" + file_.outputs[static_cast<std::size_t>(o)].name +
                              "\" is 1 here and 0 on line " + std::to_string(offLines_[b]) +
                              " for the same inputs");
      }
    }
  }

  FunctionFile file_;
  int inputs_ = 0, outputs_ = 0;
  bool inputsGiven_ = false, outputsGiven_ = false;
  std::vector<std::string> inputNames_, outputNames_;
  std::size_t inputNamesLine_ = 0, outputNamesLine_ = 0;
  int declaredTerms_ = 0, terms_ = 0;
  std::size_t declaredLine_ = 0;
  std::string term_;
  std::size_t line_ = 0, termLine_ = 0;
  std::vector<std::size_t> onLines_, offLines_;  // the line of each cube of file_.cubes.on and .off
  bool ended_ = false;
  std::string endWord_;
};

}  // namespace

FunctionFile ReadPla(std::string_view text) { return PlaReader().Read(text); }

}  // namespace brevano
