// The circuit widget: a circuit's picture, scaled to fit as far as it stays legible.
#pragma once

#include <QWidget>

#include "circuit/circuit_picture.h"

namespace brevano {

/// The light or the dark circuit colours, whichever the palette is closer to, on its own base colour.
CircuitTheme CircuitThemeForPalette(const QPalette& palette);

/// Shows a picture centred, scaled to fit its widget between half and one and a half times its size;
/// its minimum size is the picture at half its size, so that a scroll area around it scrolls beyond.
class CircuitView : public QWidget {
  Q_OBJECT

 public:
  explicit CircuitView(QWidget* parent = nullptr);

  /// Shows `picture`.
  void SetPicture(CircuitPicture picture);
  const CircuitPicture& Picture() const { return picture_; }
  /// The scale the picture is painted at.
  double Scale() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CircuitPicture picture_;
};

}  // namespace brevano
