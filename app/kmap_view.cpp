// The Karnaugh map widget: paints the display list scaled to fit and maps the pointer back onto it.
#include "app/kmap_view.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/picture_painter.h"

namespace brevano {

namespace {

constexpr double kMaxScale = 1.6;

}  // namespace

KmapTheme ThemeForPalette(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Base);
  KmapTheme theme = base.lightness() < 128 ? DarkKmapTheme() : LightKmapTheme();
  theme.background = theme.cellFill = ToRgba(base);
  theme.text = ToRgba(palette.color(QPalette::Text));
  return theme;
}

KmapView::KmapView(KmapState* state, QWidget* parent) : QWidget(parent), state_(state) {
  setMouseTracking(true);
  setMinimumSize(160, 120);
  Refresh();
}

void KmapView::Refresh() {
  picture_ = state_->Picture(ThemeForPalette(palette()), false);
  update();
}

QSize KmapView::sizeHint() const {
  return QSize(static_cast<int>(std::ceil(picture_.width)), static_cast<int>(std::ceil(picture_.height)));
}

double KmapView::Scale() const {
  if (picture_.width <= 0 || picture_.height <= 0) return 1;
  return std::min({width() / picture_.width, height() / picture_.height, kMaxScale});
}

QPointF KmapView::ToWidget(double x, double y) const {
  const double scale = Scale();
  const double left = (width() - picture_.width * scale) / 2, top = (height() - picture_.height * scale) / 2;
  return QPointF(left + x * scale, top + y * scale);
}

QPointF KmapView::ToPicture(const QPointF& point) const {
  const QPointF origin = ToWidget(0, 0);
  const double scale = Scale();
  return QPointF((point.x() - origin.x()) / scale, (point.y() - origin.y()) / scale);
}

void KmapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToColor(ThemeForPalette(palette()).background));
  const QPointF origin = ToWidget(0, 0);
  painter.translate(origin);
  painter.scale(Scale(), Scale());
  PaintPicture(painter, picture_);
}

void KmapView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = ToPicture(event->position());
  const int term = GroupAt(picture_, at.x(), at.y());
  if (term != state_->Hovered()) emit termHovered(term);
  QWidget::mouseMoveEvent(event);
}

void KmapView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QPointF at = ToPicture(event->position());
  emit termClicked(GroupAt(picture_, at.x(), at.y()));
  const std::int64_t row = CellAt(picture_, at.x(), at.y());
  if (row >= 0) emit cellClicked(static_cast<quint64>(row));
}

void KmapView::leaveEvent(QEvent* event) {
  if (state_->Hovered() >= 0) emit termHovered(-1);
  QWidget::leaveEvent(event);
}

void KmapView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) Refresh();
  QWidget::changeEvent(event);
}

}  // namespace brevano
