// The "Circuit…" dialog: the logic circuit of the table shown, in the form and symbols chosen, and its
// pictures.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <memory>

#include "circuit/circuit_state.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QVBoxLayout;
class QPrinter;
class QProgressBar;
class QScrollArea;

namespace brevano {

class BackgroundJob;
class CircuitView;

/// Shows the circuit of a table as typed, of its least sum of products or product of sums, or of
/// those with NAND or NOR gates alone, in distinctive-shape or rectangular symbols. A form is made
/// off the window's thread when first chosen (the least forms may take seconds); a circuit too
/// large to draw, or a form not computed, says so in place of the picture. The files and the
/// copied image hold the light picture, the one `brevano circuit --format svg` writes.
class CircuitDialog : public QDialog {
  Q_OBJECT

 public:
  /// The circuit of `table`, as typed.
  explicit CircuitDialog(const TruthTable& table, QWidget* parent = nullptr);
  ~CircuitDialog() override;

  /// A new tabulation: the dialog shows its circuit in the same form and symbols.
  void SetTable(const TruthTable& table);
  /// Shows every output of `function` in one circuit of `cover` (its outputs minimised together),
  /// each product term one AND gate wired to the OR of every output it feeds, under `title`; the
  /// form choices are hidden until SetTable shows a table again.
  void SetSharedCircuit(const BooleanFunction& function, const CubeCover& cover, const QString& title);
  /// True while the dialog shows the circuit of several outputs.
  bool Shared() const { return shared_ != nullptr; }
  /// Chooses the form, or the symbols, as the dialog's buttons do.
  void SetForm(CircuitForm form);
  CircuitForm Form() const { return state_->Form(); }
  void SetStyle(SymbolStyle style);
  SymbolStyle Style() const { return state_->Style(); }

  /// True while the chosen form is being made.
  bool Busy() const;
  /// The circuit's title above the picture, and what stands in its place ("" while drawn).
  QString TitleText() const;
  QString MessageText() const;
  CircuitView* View() const { return view_; }

  /// The light picture as an image at `scale` (2 for files and the clipboard).
  QImage Image(double scale = 2) const;
  /// Writes the light picture as SVG or PNG, whole or not at all; on failure, `error` says why.
  bool SaveSvg(const QString& path, QString& error) const;
  bool SavePng(const QString& path, QString& error) const;
  /// Puts the image on the clipboard.
  void CopyImage() const;
  /// Prints the light picture on one page; `error` says why not.
  bool Print(QPrinter& printer, QString& error) const;

 signals:
  /// The chosen circuit, or why there is none, is shown.
  void circuitShown();

 protected:
  void changeEvent(QEvent* event) override;
  void done(int result) override;

 private:
  void BuildLayout();
  void AddChoices(QVBoxLayout* layout);
  void AddTitleRow(QVBoxLayout* layout);
  void AddButtons(QVBoxLayout* outer);
  void MakeCircuit();
  void ShowState();
  void AskSave(bool svg);
  void ShowShared();
  // The picture shown: the shared circuit's, or the chosen form's.
  CircuitPicture ShownPicture(const CircuitTheme& theme) const;

  // The circuit of several outputs, laid out once; its message says why it is not drawn.
  struct SharedShown {
    SharedNetwork network;
    SharedCircuitLayout layout;
    QString title, message;
  };

  std::unique_ptr<CircuitState> state_;
  std::unique_ptr<SharedShown> shared_;
  QGroupBox* formBox_ = nullptr;
  BackgroundJob* job_ = nullptr;
  QButtonGroup* forms_ = nullptr;
  QButtonGroup* styles_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* busy_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  CircuitView* view_ = nullptr;
  QList<QWidget*> pictureButtons_;
};

}  // namespace brevano
