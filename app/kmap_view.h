// The Karnaugh map widget.
#pragma once

#include <QPalette>
#include <QWidget>
#include <cstdint>

#include "kmap/kmap_picture.h"
#include "kmap/kmap_state.h"

class QPainter;

namespace brevano {

/// The light or the dark theme, whichever the palette is closer to, on the palette's own base colour.
KmapTheme ThemeForPalette(const QPalette& palette);

/// Shows the picture of a KmapState scaled to fit and centred. Moving the pointer over a group
/// hovers its term; a click reports the group and the cell under it.
class KmapView : public QWidget {
  Q_OBJECT

 public:
  /// `state` must outlive the view.
  explicit KmapView(KmapState* state, QWidget* parent = nullptr);

  /// Draws the state again (after the cover, the highlighted term or the palette changed).
  void Refresh();
  /// The picture shown.
  const KmapPicture& Picture() const { return picture_; }
  /// The widget point at which the picture point (x, y) is shown.
  QPointF ToWidget(double x, double y) const;

  QSize sizeHint() const override;

 signals:
  /// The pointer moved onto another group (-1: none).
  void termHovered(int term);
  /// A click on a group (-1 when outside every group).
  void termClicked(int term);
  /// A click on a cell: its table row.
  void cellClicked(quint64 row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  double Scale() const;
  QPointF ToPicture(const QPointF& point) const;

  KmapState* state_;
  KmapPicture picture_;
};

}  // namespace brevano
