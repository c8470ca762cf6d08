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
#include "app/shown_model.h"
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
  // The view, the commands and the open dialogs follow the model; the output box follows it here.
  shown_->ShowFile(file, table, name);
  Diagnosis diagnosis;
  diagnosis.warnings = shown_->Shown().File()->warnings;
  Warn->SetDiagnosis(diagnosis, eIN->text());
  StartFileOutput(0, true);
}

// The output box shows the file's outputs while its table is shown; a typed expression's table in
// its place ends the making of the output's sum.
void Tfrm_bool_alg::ShownChanged(unsigned parts) {
  const ShownFile* opened = shown_->Shown().File();
  if (parts & kShownTable) {
    if (!opened && output_) output_->Cancel();
    if (opened) {
      const QSignalBlocker quiet(outputBox_);
      outputBox_->clear();
      for (const std::string& output : opened->table->Outputs())
        outputBox_->addItem(QString::fromStdString(output));
    }
    outputBox_->setVisible(opened != nullptr);
    outputLabel_->setVisible(opened != nullptr);
  }
  if ((parts & kShownOutput) && opened && outputBox_->currentIndex() != opened->output) {
    const QSignalBlocker quiet(outputBox_);
    outputBox_->setCurrentIndex(opened->output);
  }
  if (parts & (kShownOutput | kShownCounts)) UpdateStatus();
}

void Tfrm_bool_alg::ChooseFileOutput(int output) {
  const ShownFile* opened = shown_->Shown().File();
  if (!opened || output < 0 || output >= opened->table->OutputCount()) return;
  // The view, the commands and the status bar follow the output chosen.
  shown_->ChooseOutput(output);
  StartFileOutput(output, analysis_ && analysis_->isVisible());
}

const TruthTable* Tfrm_bool_alg::FunctionTable() const { return shown_->Shown().FunctionTable(); }

QString Tfrm_bool_alg::OpenedFileName() const {
  const ShownFile* opened = shown_->Shown().File();
  return opened ? QString::fromStdString(opened->name) : QString();
}

// Its sum is made anew: until it is there the tools have no function.
void Tfrm_bool_alg::StartFileOutput(int output, bool analyse) {
  if (!output_) output_ = new BackgroundJob(this);
  const ShownFile& opened = *shown_->Shown().File();
  std::function<std::optional<OpenedFunction>(JobControl&)> work = [file = opened.file,
                                                                    output](JobControl& control) {
    return OpenOutput(*file, static_cast<std::size_t>(output),
                      [&control] { return control.StopRequested(); });
  };
  const QString name = QString::fromStdString(opened.name);
  const QString outputName =
      QString::fromStdString(opened.file->outputs[static_cast<std::size_t>(output)].name);
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
  const ShownFile* opened = shown_->Shown().File();
  if (!made || !opened || opened->output != output) return;
  const QString sum = QString::fromStdString(made->sum);
  std::optional<DiagnosedTable> built =
      TableOf(sum, r1->isChecked() ? DisplayMode::kFalseTrue : DisplayMode::kZeroOne);
  if (!built) return;
  // An error shown meanwhile may have let another table or output take the place of this one.
  opened = shown_->Shown().File();
  if (!opened || opened->output != output) return;
  if (eIN->text() != sum) eIN->setText(sum);
  // The open maps and circuits follow the model.
  shown_->SetOutputFunction(output, sum, std::move(built->table), made->dontCare);
  history_.Add(sum.toStdString());
  SaveHistory(history_.Entries());
  std::vector<std::string>& warnings = built->diagnosis.warnings;
  warnings.insert(warnings.begin(), opened->warnings.begin(), opened->warnings.end());
  if (!made->leftOut.empty()) warnings.insert(warnings.begin(), opened->name + ": " + made->leftOut);
  Warn->SetDiagnosis(built->diagnosis, sum);
  commands_->UpdateStates();
  if (!analyse) return;
  // An analysis replaced as the outputs are stepped through leaves the keys with the window.
  const bool active = isActiveWindow();
  OpenAnalysis(QString::fromStdString(made->dontCare));
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
  connect(shown_, &ShownModel::changed, this, &Tfrm_bool_alg::ShownChanged);
}

bool Tfrm_bool_alg::SharedCircuitRunning() const { return shared_ && shared_->Running(); }

void Tfrm_bool_alg::OpenSharedCircuit() {
  const ShownFile* opened = shown_->Shown().File();
  if (!opened || SharedCircuitRunning()) return;
  if (!shared_) shared_ = new BackgroundJob(this);
  struct Made {
    BooleanFunction function;
    JointCover cover;
  };
  std::function<std::optional<Made>(JobControl&)> work = [file = opened->file](JobControl& control) {
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
  const QString name = QString::fromStdString(opened->name);
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
