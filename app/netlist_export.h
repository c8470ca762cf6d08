// "Export…": the circuit of the table shown written as a netlist, whole or not at all.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "circuit/netlist.h"
#include "circuit/network.h"
#include "tabulate/tabulation.h"

class QWidget;

namespace brevano {

class BackgroundJob;

/// What to export: the netlist's format and the circuit's form.
struct NetlistChoice {
  NetlistFormat format = NetlistFormat::kVerilog;
  CircuitForm form = CircuitForm::kTyped;
};

/// The suffix of a format's files, without the dot: "blif", "v" or "vhd".
QString NetlistSuffix(NetlistFormat format);

/// Writes netlists of tables off the window's thread; once it runs long a progress dialog over the
/// window can cancel it. The file is written whole or not at all.
class NetlistExport : public QObject {
  Q_OBJECT

 public:
  /// `window` carries the dialogs.
  explicit NetlistExport(QWidget* window);

  /// Asks for the format and the form, then for the file, and writes it (Write). A failure is shown
  /// in a message box.
  void Ask(const TruthTable& table, const QString& expression);
  /// Makes the netlist of `table` (typed as `expression`) as `choice` says and writes it to
  /// `path`, exactly as `brevano export` prints it.
  void Write(const TruthTable& table, const QString& expression, NetlistChoice choice, const QString& path);
  /// True while a netlist is being made.
  bool Running() const;

 signals:
  /// The export ended: written, or not (with the reason, empty when cancelled).
  void finished(bool written, const QString& reason);

 private:
  std::optional<NetlistChoice> AskChoice();

  QWidget* window_;
  BackgroundJob* job_ = nullptr;
  NetlistChoice last_;
};

}  // namespace brevano
