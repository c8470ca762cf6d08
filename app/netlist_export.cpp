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

std::optional<NetlistChoice> NetlistExport::AskChoice() {
  QDialog dialog(window_);
  dialog.setWindowTitle(tr("Export"));
  auto* layout = new QFormLayout(&dialog);
  auto* format = new QComboBox(&dialog);
  for (const FormatEntry& entry : kFormats)
    format->addItem(QString::fromLatin1(entry.name), static_cast<int>(entry.format));
  format->setCurrentIndex(format->findData(static_cast<int>(last_.format)));
  auto* form = new QComboBox(&dialog);
  form->addItem(tr("As typed"), static_cast<int>(CircuitForm::kTyped));
  form->addItem(tr("Least sum of products"), static_cast<int>(CircuitForm::kSum));
  form->addItem(tr("Least product of sums"), static_cast<int>(CircuitForm::kProduct));
  form->addItem(tr("NAND only"), static_cast<int>(CircuitForm::kNand));
  form->addItem(tr("NOR only"), static_cast<int>(CircuitForm::kNor));
  form->setCurrentIndex(form->findData(static_cast<int>(last_.form)));
  layout->addRow(tr("Netlist format:"), format);
  layout->addRow(tr("Circuit:"), form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("Choose the file\u2026"));
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  AddHelpKey(&dialog, HelpTopic::kFiles);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  last_ = {static_cast<NetlistFormat>(format->currentData().toInt()),
           static_cast<CircuitForm>(form->currentData().toInt())};
  return last_;
}

void NetlistExport::Ask(const TruthTable& table, const QString& expression) {
  const std::optional<NetlistChoice> choice = AskChoice();
  if (!choice) return;
  // Every format is offered, the chosen one first; the typed suffix decides.
  std::vector<SaveFileType> types;
  int selected = 0;
  for (const FormatEntry& entry : kFormats) {
    QStringList suffixes{NetlistSuffix(entry.format)};
    if (entry.format == NetlistFormat::kVhdl) suffixes << QStringLiteral("vhdl");
    if (entry.format == choice->format) selected = static_cast<int>(types.size());
    types.push_back({FilterOf(entry), suffixes});
  }
  const std::optional<SaveChoice> file =
      AskSaveChoice(window_, tr("Export"), types, selected, QStringLiteral("circuit"));
  if (!file) return;
  NetlistChoice chosen = *choice;
  chosen.format = kFormats[file->type].format;
  last_.format = chosen.format;
  const QString path = file->path;
  connect(
      this, &NetlistExport::finished, this,
      [this, path](bool written, const QString& reason) {
        if (!written && !reason.isEmpty())
          QMessageBox::warning(window_, tr("Export"), tr("Could not export to \"%1\": %2").arg(path, reason));
      },
      Qt::SingleShotConnection);
  Write(table, expression, chosen, path);
}

void NetlistExport::Write(const TruthTable& table, const QString& expression, NetlistChoice choice,
                          const QString& path) {
  std::function<Netlist(JobControl&)> work = [table, expression = expression.toStdString(),
                                              choice](JobControl& control) {
    const TableCircuit circuit =
        CircuitOfTable(table, choice.form, [&control] { return control.StopRequested(); });
    if (!circuit.error.empty()) return Netlist{{}, circuit.error};
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
