// The circuit widget: paints the display list centred, scaled to its room within legible bounds.
#include "app/circuit_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/picture_painter.h"

namespace brevano {

namespace {

constexpr double kMinScale = 0.5;
constexpr double kMaxScale = 1.5;

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
  setMinimumSize(static_cast<int>(std::ceil(picture_.width * kMinScale)),
                 static_cast<int>(std::ceil(picture_.height * kMinScale)));
  updateGeometry();
  update();
}

double CircuitView::Scale() const {
  if (picture_.width <= 0 || picture_.height <= 0) return 1;
  return std::clamp(std::min(width() / picture_.width, height() / picture_.height), kMinScale, kMaxScale);
}

QSize CircuitView::sizeHint() const {
  return QSize(static_cast<int>(std::ceil(picture_.width)), static_cast<int>(std::ceil(picture_.height)));
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
