// The function shown: what each change replaces, and what it makes the window forget.
#include "shown/shown_function.h"

#include <utility>

namespace brevano {

void ShownFunction::Forget() {
  diagram_.reset();
  diagramTooComplex_ = false;
  solver_.reset();
  ones_.reset();
  fileCounts_.clear();
}

unsigned ShownFunction::ShowTyped(std::string text, TruthTable table) {
  Forget();
  file_.reset();
  text_ = std::move(text);
  table_ = std::move(table);
  return kShownText | kShownTable | kShownOutput | kShownFunction | kShownCounts;
}

unsigned ShownFunction::ShowFile(std::shared_ptr<const FunctionFile> file,
                                 std::shared_ptr<const FileTable> table, std::string name) {
  Forget();
  table_.reset();
  ShownFile shown{std::move(file), std::move(table), name, {}, 0, std::nullopt, {}};
  for (const std::string& warning : shown.file->warnings) shown.warnings.push_back(name + ": " + warning);
  file_ = std::move(shown);
  text_ = std::move(name);
  return kShownText | kShownTable | kShownOutput | kShownFunction | kShownCounts;
}

unsigned ShownFunction::ChooseOutput(int output) {
  if (!file_ || output < 0 || output >= file_->table->OutputCount()) return 0;
  const unsigned chosen = output != file_->output ? kShownOutput : 0u;
  file_->output = output;
  file_->sum.reset();
  file_->dontCare.clear();
  return chosen | kShownFunction;
}

unsigned ShownFunction::SetOutputFunction(int output, std::string text, TruthTable sum,
                                          std::string dontCare) {
  if (!file_ || file_->output != output) return 0;
  file_->sum = std::move(sum);
  file_->dontCare = std::move(dontCare);
  text_ = std::move(text);
  return kShownText | kShownFunction;
}

unsigned ShownFunction::SetDisplayMode(DisplayMode mode) {
  if (mode == mode_) return 0;
  mode_ = mode;
  if (table_) table_ = TruthTable::FromProgram(table_->Program(), mode);
  return kShownMode;
}

const TruthTable* ShownFunction::FunctionTable() const {
  if (!file_) return Table();
  return file_->sum ? &*file_->sum : nullptr;
}

const std::string& ShownFunction::DontCare() const {
  static const std::string kNone;
  return file_ ? file_->dontCare : kNone;
}

SearchMemory ShownFunction::TakeMemory() {
  return SearchMemory{diagram_, diagramTooComplex_, std::move(solver_)};
}

unsigned ShownFunction::Learn(const SearchMemory& memory) {
  solver_ = memory.solver;
  return LearnDiagram(memory.diagram, memory.diagramTooComplex);
}

unsigned ShownFunction::LearnDiagram(const std::shared_ptr<const Diagram>& diagram, bool tooComplex) {
  const bool counted = ones_.has_value(), complex = diagramTooComplex_;
  if (diagram && !diagram_) diagram_ = diagram;
  if (tooComplex) diagramTooComplex_ = true;
  if (diagram_ && !ones_) ones_ = diagram_->Count(1);
  return ones_.has_value() != counted || diagramTooComplex_ != complex ? kShownCounts : 0u;
}

unsigned ShownFunction::LearnFileCounts(const std::vector<CubeCount>& counted) {
  fileCounts_.insert(fileCounts_.end(), counted.begin(), counted.end());
  return kShownCounts;
}

FunctionDiagrams ShownFunction::FileDiagrams(int output) const {
  const auto o = static_cast<std::size_t>(output);
  return output >= 0 && o < fileCounts_.size() ? fileCounts_[o].diagrams : FunctionDiagrams{};
}

std::optional<CellCounts> ShownFunction::FileCounts(int output) const {
  const auto o = static_cast<std::size_t>(output);
  return output >= 0 && o < fileCounts_.size() ? fileCounts_[o].counts : std::nullopt;
}

bool ShownFunction::FileCountTooComplex(int output) const {
  return FileDiagrams(output).status == DiagramStatus::kTooComplex;
}

}  // namespace brevano
