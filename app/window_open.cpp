// The window's File > Open…: a PLA or table file read off the window's thread and shown as the file
// has it, and the chosen output's least sum made for the analysis, the map and the circuit.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringList>

#include "app/analysis_dialog.h"
#include "app/background_job.h"
#include "app/circuit_dialog.h"
#include "app/frm_boolean.h"
#include "app/help_dialog.h"
#include "app/kmap_dialog.h"
#include "app/save_dialogs.h"
#include "app/truth_table_view.h"
#include "app/warning_line.h"
#include "app/window_commands.h"
#include "app/window_settings.h"
#include "filetable/file_table.h"
#include "filetable/joint_pla.h"
#include "multiout/joint_minimise.h"

namespace brevano {

namespace {

// How long Open… waits for the work before it shows a progress dialog.
constexpr std::chrono::milliseconds kOpenWait{50};

// A file read and made into its table.
struct ReadFile {
  std::shared_ptr<const FunctionFile> file;
  std::shared_ptr<const FileTable> table;
};

}  // namespace

void Tfrm_bool_alg::AskOpen() {
  const std::optional<QString> path =
      AskOpenPath(this, tr("Open a PLA or table file"),
                  {tr("PLA and table files (*.pla *.tsv *.csv *.txt)"), tr("PLA files (*.pla)"),
                   tr("Table files (*.tsv *.csv *.txt)"), tr("All files (*)")},
                  [](QDialog& dialog) { AddHelpKey(&dialog, HelpTopic::kFiles); });
  if (path) OpenFunctionFile(*path);
}

bool Tfrm_bool_alg::OpeningFile() const { return open_ && open_->Running(); }

bool Tfrm_bool_alg::MakingOutput() const { return output_ && output_->Running(); }

void Tfrm_bool_alg::OpenFunctionFile(const QString& path) {
  if (!open_) open_ = new BackgroundJob(this);
  const std::string local = QFile::encodeName(path).toStdString();
  const QString name = QFileInfo(path).fileName();
  std::function<ReadFile(JobControl&)> work = [local](JobControl&) {
    auto file = std::make_shared<const FunctionFile>(ReadFunctionFileAt(local));
    return ReadFile{file, std::make_shared<const FileTable>(FileTable::Of(*file))};
  };
  StartJob<ReadFile>(
      *open_, std::move(work),
      [this, name, path](const ReadFile& read) {
        AddRecentFile(path);
        ShowFile(read.file, read.table, name);
      },
      [this, name](const JobFailure& failure) {
        ShowError(ErrorMessageText(
            tr("Cannot open %1: %2").arg(name, failure.Text(tr("not enough memory"))).toStdString()));
      },
      kOpenWait);
  if (open_->Running()) open_->ShowProgressDialog(this, tr("Reading %1\u2026").arg(name));
}

// The file's table replaces the one shown; the file's warnings go on the warning line at once, and
// the first output is made for the analysis, which opens once it is.
void Tfrm_bool_alg::ShowFile(const std::shared_ptr<const FunctionFile>& file,
                             const std::shared_ptr<const FileTable>& table, const QString& name) {
  if (compare_) compare_->Cancel();
  OpenedFile opened{file, name, {}, std::nullopt, {}};
  for (const std::string& warning : file->warnings)
    opened.warnings.push_back(name.toStdString() + ": " + warning);
  LV->SetFileTable(table, r1->isChecked() ? DisplayMode::kFalseTrue : DisplayMode::kZeroOne);
  opened_ = std::move(opened);
  shownText_ = name;
  Diagnosis diagnosis;
  diagnosis.warnings = opened_->warnings;
  Warn->SetDiagnosis(diagnosis, eIN->text());
  {
    const QSignalBlocker quiet(outputBox_);
    outputBox_->clear();
    for (const std::string& output : table->Outputs()) outputBox_->addItem(QString::fromStdString(output));
  }
  outputBox_->setVisible(true);
  outputLabel_->setVisible(true);
  for (AnalysisDialog* dialog : findChildren<AnalysisDialog*>()) dialog->MarkStale();
  StartFileOutput(0, true);
}

// A typed expression's table took the place of the file's.
void Tfrm_bool_alg::FileTableGone() {
  if (LV->File() || !opened_) return;
  opened_.reset();
  if (output_) output_->Cancel();
  outputBox_->setVisible(false);
  outputLabel_->setVisible(false);
}

void Tfrm_bool_alg::ChooseFileOutput(int output) {
  if (!LV->File() || !opened_ || output < 0 || output >= LV->File()->OutputCount()) return;
  if (output != LV->ChosenOutput()) {
    LV->SetChosenOutput(output);
    commands_->UpdateStates();
    UpdateStatus();  // the status bar counts the chosen output
  }
  if (outputBox_->currentIndex() != output) {
    const QSignalBlocker quiet(outputBox_);
    outputBox_->setCurrentIndex(output);
  }
  bool analysed = false;
  for (AnalysisDialog* dialog : findChildren<AnalysisDialog*>()) analysed = analysed || dialog->isVisible();
  StartFileOutput(output, analysed);
}

const TruthTable* Tfrm_bool_alg::FunctionTable() const {
  if (!LV->File()) return LV->Table();
  return opened_ && opened_->sum ? &*opened_->sum : nullptr;
}

QString Tfrm_bool_alg::OpenedFileName() const { return LV->File() && opened_ ? opened_->name : QString(); }

void Tfrm_bool_alg::StartFileOutput(int output, bool analyse) {
  if (!output_) output_ = new BackgroundJob(this);
  opened_->sum.reset();
  opened_->dontCare.clear();
  std::function<std::optional<OpenedFunction>(JobControl&)> work = [file = opened_->file,
                                                                    output](JobControl& control) {
    return OpenOutput(*file, static_cast<std::size_t>(output),
                      [&control] { return control.StopRequested(); });
  };
  const QString name = opened_->name;
  const QString outputName =
      QString::fromStdString(opened_->file->outputs[static_cast<std::size_t>(output)].name);
  StartJob<std::optional<OpenedFunction>>(
      *output_, std::move(work),
      [this, output, analyse](const std::optional<OpenedFunction>& made) {
        FileOutputMade(output, made, analyse);
      },
      [this, name, outputName](const JobFailure& failure) {
        ShowError(ErrorMessageText(tr("Cannot analyse output %1 of %2: %3")
                                       .arg(outputName, name, failure.Text(tr("not enough memory")))
                                       .toStdString()));
      },
      kOpenWait);
  if (output_->Running())
    output_->ShowProgressDialog(this, tr("Minimising output %1 of %2\u2026").arg(outputName, name));
}

// The least sum goes into the expression box and its table serves the analysis, the map and the
// circuit; the file's table stays.
void Tfrm_bool_alg::FileOutputMade(int output, const std::optional<OpenedFunction>& made, bool analyse) {
  if (!made || !opened_ || !LV->File() || LV->ChosenOutput() != output) return;
  const QString sum = QString::fromStdString(made->sum);
  std::optional<DiagnosedTable> built =
      TableOf(sum, r1->isChecked() ? DisplayMode::kFalseTrue : DisplayMode::kZeroOne);
  if (!built) return;
  opened_->sum = std::move(built->table);
  opened_->dontCare = QString::fromStdString(made->dontCare);
  if (eIN->text() != sum) eIN->setText(sum);
  shownText_ = sum;
  history_.Add(sum.toStdString());
  SaveHistory(history_.Entries());
  std::vector<std::string>& warnings = built->diagnosis.warnings;
  warnings.insert(warnings.begin(), opened_->warnings.begin(), opened_->warnings.end());
  if (!made->leftOut.empty())
    warnings.insert(warnings.begin(), opened_->name.toStdString() + ": " + made->leftOut);
  Warn->SetDiagnosis(built->diagnosis, shownText_);
  for (KmapDialog* map : findChildren<KmapDialog*>()) map->SetTable(*opened_->sum);
  for (CircuitDialog* circuit : findChildren<CircuitDialog*>()) circuit->SetTable(*opened_->sum);
  commands_->UpdateStates();
  if (!analyse) return;
  // An analysis replaced as the outputs are stepped through leaves the keys with the window.
  const bool active = isActiveWindow();
  OpenAnalysis(opened_->dontCare);
  if (active) activateWindow();
}

// "Output:" and the box of the file's outputs lead the status bar while a file's table is shown.
void Tfrm_bool_alg::CreateOutputBox() {
  outputBox_ = new QComboBox(this);
  outputBox_->setObjectName(QStringLiteral("OutputBox"));
  outputBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  outputBox_->setToolTip(
      tr("The output whose column F3 and F4 search, and whose least sum the analysis, the "
         "Karnaugh map and the circuit show (a click on its caption chooses it too)"));
  outputLabel_ = new QLabel(tr("O&utput:"), this);
  outputLabel_->setBuddy(outputBox_);
  statusBar()->insertWidget(0, outputLabel_);
  statusBar()->insertWidget(1, outputBox_);
  outputBox_->setVisible(false);
  outputLabel_->setVisible(false);
  connect(outputBox_, &QComboBox::currentIndexChanged, this, [this](int index) { ChooseFileOutput(index); });
  connect(LV, &TruthTableView::outputClicked, this, &Tfrm_bool_alg::ChooseFileOutput);
  connect(LV, &TruthTableView::tableChanged, this, &Tfrm_bool_alg::FileTableGone);
}

bool Tfrm_bool_alg::SharedCircuitRunning() const { return shared_ && shared_->Running(); }

void Tfrm_bool_alg::OpenSharedCircuit() {
  if (!opened_ || !LV->File() || SharedCircuitRunning()) return;
  if (!shared_) shared_ = new BackgroundJob(this);
  struct Made {
    BooleanFunction function;
    JointCover cover;
  };
  std::function<std::optional<Made>(JobControl&)> work = [file = opened_->file](JobControl& control) {
    Made made{FunctionOfFile(*file), {}};
    JointOptions options;
    options.progress = [&control](std::uint64_t done, std::uint64_t total) {
      return control.Report(done, total);
    };
    std::optional<JointCover> cover = MinimiseJointlyUnlessStopped(made.function, options);
    if (!cover) return std::optional<Made>();
    made.cover = std::move(*cover);
    return std::optional<Made>(std::move(made));
  };
  const QString name = opened_->name;
  StartJob<std::optional<Made>>(
      *shared_, std::move(work),
      [this, name](const std::optional<Made>& made) {
        if (!made) return;
        CircuitDialog* dialog = OpenCircuit();
        if (!dialog) return;
        dialog->SetSharedCircuit(
            made->function, made->cover.terms,
            tr("Every output of %1: %2").arg(name, QString::fromStdString(JointCoverSummary(made->cover))));
      },
      [this, name](const JobFailure& failure) {
        ShowError(ErrorMessageText(tr("No circuit of every output of %1: %2")
                                       .arg(name, failure.Text(tr("not enough memory")))
                                       .toStdString()));
      },
      kOpenWait);
  if (shared_->Running())
    shared_->ShowProgressDialog(this, tr("Minimising every output of %1 together\u2026").arg(name));
}

}  // namespace brevano
