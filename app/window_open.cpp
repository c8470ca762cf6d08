// The window's File > Open…: a PLA or table file read off the window's thread, one output tabulated
// as its least sum of products and analysed with the file's don't-cares.
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QStringList>

#include "app/analysis_dialog.h"
#include "app/background_job.h"
#include "app/frm_boolean.h"
#include "app/function_opening.h"
#include "app/help_dialog.h"
#include "app/save_dialogs.h"
#include "app/window_settings.h"

namespace brevano {

namespace {

// How long Open… waits for the work before it shows a progress dialog.
constexpr std::chrono::milliseconds kOpenWait{50};

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

void Tfrm_bool_alg::OpenFunctionFile(const QString& path) {
  if (!open_) open_ = new BackgroundJob(this);
  const std::string local = QFile::encodeName(path).toStdString();
  const QString name = QFileInfo(path).fileName();
  std::function<FunctionFile(JobControl&)> work = [local](JobControl&) { return ReadFunctionFileAt(local); };
  StartJob<FunctionFile>(
      *open_, std::move(work),
      [this, name, path](FunctionFile file) {
        AddRecentFile(path);
        // Out of the job's end handler: the next step starts a job of its own on it.
        auto read = std::make_shared<const FunctionFile>(std::move(file));
        QMetaObject::invokeMethod(this, [this, read, name] { OpenOutputOf(read, name); }, Qt::QueuedConnection);
      },
      [this, name](const JobFailure& failure) {
        ShowError(ErrorMessageText(
            tr("Cannot open %1: %2").arg(name, failure.Text(tr("not enough memory"))).toStdString()));
      },
      kOpenWait);
  if (open_->Running()) open_->ShowProgressDialog(this, tr("Reading %1\u2026").arg(name));
}

std::optional<std::size_t> Tfrm_bool_alg::AskOutput(const FunctionFile& file, const QString& name) {
  QStringList outputs;
  for (std::size_t o = 0; o < file.outputs.size(); ++o)
    outputs << QStringLiteral("%1: %2").arg(o + 1).arg(QString::fromStdString(file.outputs[o].name));
  bool ok = false;
  const QString chosen = QInputDialog::getItem(this, tr("Open %1").arg(name),
                                               tr("%1 has %2 outputs. Open which one?").arg(name).arg(outputs.size()),
                                               outputs, 0, false, &ok);
  if (!ok) return std::nullopt;
  return static_cast<std::size_t>(outputs.indexOf(chosen));
}

// The output chosen minimised off the window's thread, then shown: its sum in the box and the
// table, the file's warnings on the warning line, the analysis with the don't-cares.
void Tfrm_bool_alg::OpenOutputOf(const std::shared_ptr<const FunctionFile>& file, const QString& name) {
  std::optional<std::size_t> output = std::size_t{0};
  if (file->outputs.size() > 1) output = AskOutput(*file, name);
  if (!output || *output >= file->outputs.size()) return;
  std::function<std::optional<OpenedFunction>(JobControl&)> work = [file, o = *output](JobControl& control) {
    return OpenOutput(*file, o, [&control] { return control.StopRequested(); });
  };
  StartJob<std::optional<OpenedFunction>>(
      *open_, std::move(work),
      [this, file, name](const std::optional<OpenedFunction>& opened) {
        if (!opened) return;
        std::vector<std::string> warnings;
        if (!opened->leftOut.empty()) warnings.push_back(name.toStdString() + ": " + opened->leftOut);
        for (const std::string& warning : file->warnings) warnings.push_back(name.toStdString() + ": " + warning);
        if (Tabulate(QString::fromStdString(opened->sum), warnings))
          OpenAnalysis(QString::fromStdString(opened->dontCare));
      },
      [this, name](const JobFailure& failure) {
        ShowError(ErrorMessageText(
            tr("Cannot open %1: %2").arg(name, failure.Text(tr("not enough memory"))).toStdString()));
      },
      kOpenWait);
  if (open_->Running())
    open_->ShowProgressDialog(this, tr("Minimising output %1 of %2\u2026")
                                        .arg(QString::fromStdString(file->outputs[*output].name), name));
}

}  // namespace brevano
