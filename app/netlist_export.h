// "Export…": the circuit of the table shown written as a netlist, whole or not at all.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "circuit/netlist.h"
#include "circuit/network.h"
#include "multiout/joint_minimise.h"
#include "plafile/function_file.h"
#include "tabulate/tabulation.h"

class QWidget;

namespace brevano {

class BackgroundJob;

/// What to export: the netlist's format and the circuit's form, or a PLA file of an opened file.
struct NetlistChoice {
  NetlistFormat format = NetlistFormat::kVerilog;
  CircuitForm form = CircuitForm::kTyped;  ///< for a typed expression; an opened file's are its joint cover
  bool pla = false;  ///< every output of the opened file minimised together, as a PLA file
};

/// The opened file whose table is shown, for its exports.
struct ExportedFile {
  std::shared_ptr<const FunctionFile> file;
  QString name;   ///< the name offered for the exported file: the file's, without its suffix
  QString title;  ///< the file's name as the netlists' comment line gives it
};

/// The input names of `file` by the names of the table columns they are (upper-cased).
std::map<std::string, std::string> InputNamesByColumn(const FunctionFile& file);

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
  /// With `opened`, PLA is offered first, and every format writes all of the file's outputs from
  /// their joint cover (WritePla, WriteFileNetlist); `table` and `expression` are then unused.
  void Ask(const TruthTable& table, const QString& expression, const ExportedFile* opened = nullptr);
  /// Makes the netlist of `table` (typed as `expression`) as `choice` says and writes it to
  /// `path`, exactly as `brevano export` prints it; the inputs renamed by `inputNames` when given.
  void Write(const TruthTable& table, const QString& expression, NetlistChoice choice, const QString& path,
             const std::map<std::string, std::string>& inputNames = {});
  /// Minimises every output of `file` together and writes the PLA file to `path`.
  void WritePla(const std::shared_ptr<const FunctionFile>& file, const QString& path);
  /// Minimises every output of `file` together and writes the cover to `path` as one netlist in
  /// `format` with the file's names, as `brevano minimise` prints it; its comment is `title` and
  /// the cover's terms, proven fewest or how many at least are needed.
  void WriteFileNetlist(const std::shared_ptr<const FunctionFile>& file, NetlistFormat format,
                        const QString& title, const QString& path);
  /// True while a netlist is being made.
  bool Running() const;

 signals:
  /// The export ended: written, or not (with the reason, empty when cancelled).
  void finished(bool written, const QString& reason);

 private:
  std::optional<NetlistChoice> AskChoice(bool pla);
  void ReportFailure(const QString& path);
  void WriteJoint(std::function<std::optional<std::string>(const JointOptions&)> make, const QString& path);

  QWidget* window_;
  BackgroundJob* job_ = nullptr;
  NetlistChoice last_;
};

}  // namespace brevano
