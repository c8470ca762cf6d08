// The circuit widget: a circuit's picture, scaled to fit as far as it stays legible.
#pragma once

#include <QWidget>
#include <optional>

#include "circuit/circuit_picture.h"

namespace brevano {

/// The light or the dark circuit colours, whichever the palette is closer to, on its own base colour.
CircuitTheme CircuitThemeForPalette(const QPalette& palette);

/// Shows a picture centred: fitted to the widget (at most one and a half times its size, however
/// small it must be), or at a zoom chosen, its minimum size then the picture at that zoom, so that
/// a scroll area around it scrolls.
class CircuitView : public QWidget {
  Q_OBJECT

 public:
  explicit CircuitView(QWidget* parent = nullptr);

  /// Shows `picture`.
  void SetPicture(CircuitPicture picture);
  const CircuitPicture& Picture() const { return picture_; }
  /// The scale the picture is painted at.
  double Scale() const;
  /// Paints at `zoom` times the picture's size (bounded to kMinZoom … kMaxZoom), or fitted when nullopt.
  void SetZoom(std::optional<double> zoom);
  std::optional<double> Zoom() const { return zoom_; }
  /// Zooms in or out by one step from the scale shown.
  void ZoomBy(bool in);

  static constexpr double kMinZoom = 0.1;
  static constexpr double kMaxZoom = 4;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void UpdateMinimum();

  CircuitPicture picture_;
  std::optional<double> zoom_;
};

}  // namespace brevano
