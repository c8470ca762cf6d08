// The export dialog: format and circuit, the file, and the netlist made and written off the window's thread.
#include "app/netlist_export.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>
#include <QPushButton>

#include "app/background_job.h"
#include "app/help_dialog.h"
#include "app/picture_painter.h"
#include "app/save_dialogs.h"
#include "circuit/circuit_forms.h"
#include "circuit/cover_netlist.h"
#include "filetable/joint_pla.h"

namespace brevano {

namespace {

struct FormatEntry {
  NetlistFormat format;
  const char* name;
};

constexpr FormatEntry kFormats[] = {
    {NetlistFormat::kVerilog, "Verilog"}, {NetlistFormat::kVhdl, "VHDL"}, {NetlistFormat::kBlif, "BLIF"}};

QString FilterOf(const FormatEntry& entry) {
  return QObject::tr("%1 files (*.%2)").arg(QString::fromLatin1(entry.name), NetlistSuffix(entry.format));
}

// The netlist, or why there is none.
struct Netlist {
  std::string text;
  std::string error;
};

// Every output of `file` minimised together as one netlist, its comment `title` and the cover's
// summary; nullopt when options.progress stopped it (the cover is then partial and not written).
std::optional<std::string> FileNetlist(const FunctionFile& file, NetlistFormat format,
                                       const std::string& title, const JointOptions& options) {
  const BooleanFunction function = FunctionOfFile(file);
  const std::optional<JointCover> cover = MinimiseJointlyUnlessStopped(function, options);
  if (!cover) return std::nullopt;
  const std::string comment = title + ": " + JointCoverSummary(*cover);
  return WriteCoverNetlist(function, cover->terms, format, comment);
}

}  // namespace

QString NetlistSuffix(NetlistFormat format) {
  switch (format) {
    case NetlistFormat::kBlif: return QStringLiteral("blif");
    case NetlistFormat::kVerilog: return QStringLiteral("v");
    case NetlistFormat::kVhdl: break;
  }
  return QStringLiteral("vhd");
}

NetlistExport::NetlistExport(QWidget* window) : QObject(window), window_(window) {
  job_ = new BackgroundJob(this);
  connect(job_, &BackgroundJob::cancelled, this, [this] { emit finished(false, QString()); });
}

bool NetlistExport::Running() const { return job_->Running(); }

std::map<std::string, std::string> InputNamesByColumn(const FunctionFile& file) {
  std::map<std::string, std::string> names;
  for (const std::string& input : file.inputs) {
    std::string column = input;
    for (char& c : column) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    names.emplace(column, input);
  }
  return names;
}

// The format's data is -1 for PLA, offered and chosen first for an opened file; an opened file's
// circuit is always the joint cover of its outputs, so its form box only says so, greyed.
std::optional<NetlistChoice> NetlistExport::AskChoice(bool pla) {
  QDialog dialog(window_);
  dialog.setWindowTitle(tr("Export"));
  auto* layout = new QFormLayout(&dialog);
  auto* format = new QComboBox(&dialog);
  if (pla) format->addItem(tr("PLA (every output, minimised together)"), -1);
  for (const FormatEntry& entry : kFormats)
    format->addItem(QString::fromLatin1(entry.name), static_cast<int>(entry.format));
  format->setCurrentIndex(pla ? 0 : format->findData(static_cast<int>(last_.format)));
  auto* form = new QComboBox(&dialog);
  if (pla) {
    // Every export of an opened file is its outputs' joint cover.
    form->addItem(tr("Every output, minimised together"));
    form->setEnabled(false);
  } else {
    form->addItem(tr("As typed"), static_cast<int>(CircuitForm::kTyped));
    form->addItem(tr("Least sum of products"), static_cast<int>(CircuitForm::kSum));
    form->addItem(tr("Least product of sums"), static_cast<int>(CircuitForm::kProduct));
    form->addItem(tr("NAND only"), static_cast<int>(CircuitForm::kNand));
    form->addItem(tr("NOR only"), static_cast<int>(CircuitForm::kNor));
    form->setCurrentIndex(form->findData(static_cast<int>(last_.form)));
  }
  layout->addRow(pla ? tr("Format:") : tr("Netlist format:"), format);
  layout->addRow(tr("Circuit:"), form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("Choose the file\u2026"));
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  AddHelpKey(&dialog, HelpTopic::kFiles);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  NetlistChoice choice = last_;
  const int chosen = format->currentData().toInt();
  choice.pla = chosen < 0;
  if (!choice.pla) {
    choice.format = last_.format = static_cast<NetlistFormat>(chosen);
    if (!pla) choice.form = last_.form = static_cast<CircuitForm>(form->currentData().toInt());
  }
  return choice;
}

void NetlistExport::ReportFailure(const QString& path) {
  connect(
      this, &NetlistExport::finished, this,
      [this, path](bool written, const QString& reason) {
        if (!written && !reason.isEmpty())
          QMessageBox::warning(window_, tr("Export"), tr("Could not export to \"%1\": %2").arg(path, reason));
      },
      Qt::SingleShotConnection);
}

void NetlistExport::Ask(const TruthTable& table, const QString& expression, const ExportedFile* opened) {
  const std::optional<NetlistChoice> choice = AskChoice(opened != nullptr);
  if (!choice) return;
  const QString name = opened ? opened->name : QStringLiteral("circuit");
  if (choice->pla) {
    const std::optional<SaveChoice> file =
        AskSaveChoice(window_, tr("Export"), {{tr("PLA files (*.pla)"), {QStringLiteral("pla")}}}, 0, name);
    if (!file) return;
    ReportFailure(file->path);
    return WritePla(opened->file, file->path);
  }
  // Every format is offered, the chosen one first; the typed suffix decides.
  std::vector<SaveFileType> types;
  int selected = 0;
  for (const FormatEntry& entry : kFormats) {
    QStringList suffixes{NetlistSuffix(entry.format)};
    if (entry.format == NetlistFormat::kVhdl) suffixes << QStringLiteral("vhdl");
    if (entry.format == choice->format) selected = static_cast<int>(types.size());
    types.push_back({FilterOf(entry), suffixes});
  }
  const std::optional<SaveChoice> file = AskSaveChoice(window_, tr("Export"), types, selected, name);
  if (!file) return;
  NetlistChoice chosen = *choice;
  chosen.format = kFormats[file->type].format;
  last_.format = chosen.format;
  ReportFailure(file->path);
  if (opened) return WriteFileNetlist(opened->file, chosen.format, opened->title, file->path);
  Write(table, expression, chosen, file->path);
}

void NetlistExport::WritePla(const std::shared_ptr<const FunctionFile>& file, const QString& path) {
  WriteJoint([file](const JointOptions& options) { return MinimisedPla(*file, options); }, path);
}

void NetlistExport::WriteFileNetlist(const std::shared_ptr<const FunctionFile>& file, NetlistFormat format,
                                     const QString& title, const QString& path) {
  WriteJoint([file, format, title = title.toStdString()](
                 const JointOptions& options) { return FileNetlist(*file, format, title, options); },
             path);
}

// The file is made whole off the window's thread and written all at once; nothing is written when
// the minimisation is cancelled.
void NetlistExport::WriteJoint(std::function<std::optional<std::string>(const JointOptions&)> make,
                               const QString& path) {
  std::function<std::optional<std::string>(JobControl&)> work = [make =
                                                                     std::move(make)](JobControl& control) {
    JointOptions options;
    options.progress = [&control](std::uint64_t done, std::uint64_t total) {
      return control.Report(done, total);
    };
    return make(options);
  };
  StartJob<std::optional<std::string>>(
      *job_, std::move(work),
      [this, path](const std::optional<std::string>& text) {
        QString error;
        const bool written = text && WriteWholeFile(path, QByteArray::fromStdString(*text), error);
        emit finished(written, error);
      },
      [this](const JobFailure& failure) { emit finished(false, failure.Text(tr("not enough memory"))); },
      std::chrono::milliseconds(20));
  if (job_->Running()) job_->ShowProgressDialog(window_, tr("Minimising every output together\u2026"));
}

void NetlistExport::Write(const TruthTable& table, const QString& expression, NetlistChoice choice,
                          const QString& path, const std::map<std::string, std::string>& inputNames) {
  std::function<Netlist(JobControl&)> work = [table, expression = expression.toStdString(), choice,
                                              inputNames](JobControl& control) {
    TableCircuit circuit =
        CircuitOfTable(table, choice.form, Budget(Budget::kNoLimit, [&control](std::uint64_t, std::uint64_t) {
                         return !control.StopRequested();
                       }));
    if (!circuit.error.empty()) return Netlist{{}, circuit.error};
    for (std::string& input : circuit.network.inputs) {
      if (const auto name = inputNames.find(input); name != inputNames.end()) input = name->second;
    }
    return Netlist{WriteNetlist(circuit.network, choice.format, NetlistComment(expression, circuit.title)),
                   {}};
  };
  StartJob<Netlist>(
      *job_, std::move(work),
      [this, path](const Netlist& netlist) {
        QString error = QString::fromStdString(netlist.error);
        const bool written =
            error.isEmpty() && WriteWholeFile(path, QByteArray::fromStdString(netlist.text), error);
        emit finished(written, error);
      },
      [this](const JobFailure& failure) { emit finished(false, failure.Text(tr("not enough memory"))); },
      std::chrono::milliseconds(20));
  if (job_->Running()) job_->ShowProgressDialog(window_, tr("Making the circuit\u2026"));
}

}  // namespace brevano
