// The circuit widget: paints the display list centred, scaled to its room within legible bounds.
#include "app/circuit_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/picture_painter.h"

namespace brevano {

namespace {

constexpr double kMaxFitScale = 1.5;
constexpr double kZoomStep = 1.25;

}  // namespace

CircuitTheme CircuitThemeForPalette(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Base);
  CircuitTheme theme = base.lightness() < 128 ? DarkCircuitTheme() : LightCircuitTheme();
  theme.background = ToRgba(base);
  theme.text = ToRgba(palette.color(QPalette::Text));
  return theme;
}

CircuitView::CircuitView(QWidget* parent) : QWidget(parent) {}

void CircuitView::SetPicture(CircuitPicture picture) {
  picture_ = std::move(picture);
  UpdateMinimum();
}

void CircuitView::SetZoom(std::optional<double> zoom) {
  zoom_ = zoom ? std::optional(std::clamp(*zoom, kMinZoom, kMaxZoom)) : std::nullopt;
  UpdateMinimum();
}

void CircuitView::ZoomBy(bool in) { SetZoom(in ? Scale() * kZoomStep : Scale() / kZoomStep); }

// Fitted, the view takes whatever room it is given; zoomed, it asks for the picture at that zoom.
void CircuitView::UpdateMinimum() {
  if (zoom_) {
    setMinimumSize(static_cast<int>(std::ceil(picture_.width * *zoom_)),
                   static_cast<int>(std::ceil(picture_.height * *zoom_)));
  } else {
    setMinimumSize(0, 0);
  }
  updateGeometry();
  update();
}

double CircuitView::Scale() const {
  if (zoom_) return *zoom_;
  if (picture_.width <= 0 || picture_.height <= 0 || width() <= 0 || height() <= 0) return 1;
  return std::min({width() / picture_.width, height() / picture_.height, kMaxFitScale});
}

QSize CircuitView::sizeHint() const {
  const double scale = zoom_.value_or(1);
  return QSize(static_cast<int>(std::ceil(picture_.width * scale)),
               static_cast<int>(std::ceil(picture_.height * scale)));
}

void CircuitView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  const double scale = Scale();
  painter.translate(std::max(0.0, (width() - picture_.width * scale) / 2),
                    std::max(0.0, (height() - picture_.height * scale) / 2));
  painter.scale(scale, scale);
  PaintPicture(painter, picture_);
}

}  // namespace brevano
