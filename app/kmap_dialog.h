// The "Karnaugh map…" dialog: the map of a table of 1 to 6 variables with its least cover, and exports.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "kmap/kmap_state.h"
#include "tabulate/table_function.h"
#include "tabulate/tabulation.h"

class QLabel;
class QPrinter;
class QListWidget;
class QRadioButton;

namespace brevano {

class DontCareField;
class KmapView;

/// Shows the map with the least sum of products grouped on the 1-cells or, toggled, the least
/// product of sums grouped on the 0-cells; the terms are listed beside it, and hovering or selecting
/// one highlights its group and the other way round. Clicking a cell reports its table row. The
/// files and the copied image hold the light picture with the terms under the map, the one that
/// `brevano kmap --format svg` writes. The cells of the rows of the "Don't care:" expression are
/// drawn "-" and grouped where that makes a cover smaller.
class KmapDialog : public QDialog {
  Q_OBJECT

 public:
  /// True when `table` has 1 to kMaxKmapVariables variables.
  static bool CanShow(const TruthTable& table);

  /// The map of `table`, which CanShow.
  explicit KmapDialog(const TruthTable& table, QWidget* parent = nullptr);
  ~KmapDialog() override;

  /// A new tabulation: the map shows `table` when it can, else it is marked as showing the
  /// previous table and clicks on cells no longer report rows.
  void SetTable(const TruthTable& table);
  /// True once the map shows a table that is no longer the window's.
  bool Stale() const { return stale_; }
  /// The "Don't care:" field.
  DontCareField* DontCare() const { return dontCareField_; }
  /// Reads the "Don't care:" field and, when it is usable, draws the map again with its rows as
  /// don't-cares; an error is shown beside the field and the map stays as it was. False on an error.
  bool ApplyDontCare();

  /// Shows the sum of products or the product of sums.
  void SetCoverKind(KmapCoverKind kind);
  KmapCoverKind CoverKind() const { return state_->Kind(); }
  /// The map drawn: its variables and the value of each cell.
  const KmapLayout& Layout() const { return state_->Layout(); }
  /// The terms listed, in order.
  QStringList TermTexts() const;
  /// The term highlighted on the map, or -1.
  int HighlightedTerm() const { return state_->Highlighted(); }

  /// The picture as an image at `scale` (2 for files and the clipboard).
  QImage Image(double scale = 2) const;
  /// Writes the picture as SVG or PNG, whole or not at all; on failure, `error` says why.
  bool SaveSvg(const QString& path, QString& error) const;
  bool SavePng(const QString& path, QString& error) const;
  /// Puts the image on the clipboard.
  void CopyImage() const;
  /// Prints the picture on one page; `error` says why not.
  bool Print(QPrinter& printer, QString& error) const;

  KmapView* View() const { return view_; }
  QListWidget* TermList() const { return terms_; }

 signals:
  /// A cell was clicked while the map shows the window's table.
  void rowClicked(quint64 row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildLayout();
  void ConnectControls();
  void ShowState();
  void Highlight();
  void AskSave(bool svg);
  KmapPicture ExportPicture() const;

  void ShowFunction(const TableFunction& function);

  std::unique_ptr<KmapState> state_;
  TruthTable table_;
  TableFunction function_;  // the table with the don't-cares applied
  DontCareField* dontCareField_ = nullptr;
  bool stale_ = false;
  QLabel* note_ = nullptr;
  QLabel* staleNote_ = nullptr;
  QRadioButton* sum_ = nullptr;
  QRadioButton* product_ = nullptr;
  QLabel* title_ = nullptr;
  QListWidget* terms_ = nullptr;
  KmapView* view_ = nullptr;
};

}  // namespace brevano
