// The one routine that paints display lists, and the files and clipboard images made with it.
#include "app/picture_painter.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

namespace brevano {

namespace {

// The picture's units are CSS pixels.
constexpr int kSvgDotsPerInch = 96;
constexpr double kFileScale = 2;

void PaintText(QPainter& painter, const PictureItem& item) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(item.fontSize))));
  font.setBold(item.bold);
  const QString text = QString::fromStdString(item.text);
  double x = item.x;
  if (item.anchor != TextAnchor::kStart) {
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    x -= item.anchor == TextAnchor::kMiddle ? width / 2 : width;
  }
  painter.setFont(font);
  painter.setPen(ToColor(item.fill));
  painter.drawText(QPointF(x, item.y), text);
}

QPainterPath PathOf(const std::vector<PathStep>& steps) {
  QPainterPath path;
  for (const PathStep& step : steps) {
    switch (step.kind) {
      case PathStep::Kind::kMove: path.moveTo(step.x, step.y); break;
      case PathStep::Kind::kLine: path.lineTo(step.x, step.y); break;
      case PathStep::Kind::kQuad: path.quadTo(step.x1, step.y1, step.x, step.y); break;
      case PathStep::Kind::kCubic: path.cubicTo(step.x1, step.y1, step.x2, step.y2, step.x, step.y); break;
      case PathStep::Kind::kClose: path.closeSubpath(); break;
    }
  }
  return path;
}

// The pen and brush of a filled and outlined item.
void SetShapePaint(QPainter& painter, const PictureItem& item) {
  painter.setPen(item.strokeWidth > 0
                     ? QPen(ToColor(item.stroke), item.strokeWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)
                     : QPen(Qt::NoPen));
  painter.setBrush(item.fill.a > 0 ? QBrush(ToColor(item.fill)) : QBrush(Qt::NoBrush));
}

}  // namespace

QColor ToColor(Rgba colour) { return QColor(colour.r, colour.g, colour.b, colour.a); }

Rgba ToRgba(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue()), 255};
}

void PaintPicture(QPainter& painter, const Picture& picture) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const PictureItem& item : picture.items) {
    switch (item.kind) {
      case PictureItem::Kind::kRect:
        SetShapePaint(painter, item);
        painter.drawRect(QRectF(item.x, item.y, item.w, item.h));
        break;
      case PictureItem::Kind::kEllipse:
        SetShapePaint(painter, item);
        painter.drawEllipse(QRectF(item.x, item.y, item.w, item.h));
        break;
      case PictureItem::Kind::kPath:
        SetShapePaint(painter, item);
        painter.drawPath(PathOf(item.path));
        break;
      case PictureItem::Kind::kLine:
        painter.setPen(QPen(ToColor(item.stroke), item.strokeWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(item.x, item.y), QPointF(item.x + item.w, item.y + item.h));
        break;
      case PictureItem::Kind::kText: PaintText(painter, item); break;
    }
  }
  painter.restore();
}

QImage PictureImage(const Picture& picture, double scale) {
  QImage image(static_cast<int>(std::ceil(picture.width * scale)),
               static_cast<int>(std::ceil(picture.height * scale)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  PaintPicture(painter, picture);
  return image;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

bool SavePictureSvg(const Picture& picture, const QString& title, const QString& path, QString& error) {
  QBuffer buffer;
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setResolution(kSvgDotsPerInch);
  generator.setSize(
      QSize(static_cast<int>(std::ceil(picture.width)), static_cast<int>(std::ceil(picture.height))));
  generator.setViewBox(QRectF(0, 0, picture.width, picture.height));
  generator.setTitle(title);
  QPainter painter(&generator);
  PaintPicture(painter, picture);
  painter.end();
  return WriteWholeFile(path, buffer.data(), error);
}

bool SavePicturePng(const Picture& picture, const QString& path, QString& error) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!PictureImage(picture, kFileScale).save(&buffer, "PNG")) {
    error = QObject::tr("The image could not be encoded");
    return false;
  }
  return WriteWholeFile(path, buffer.data(), error);
}

void CopyPictureImage(const Picture& picture) {
  QApplication::clipboard()->setImage(PictureImage(picture, kFileScale));
}

}  // namespace brevano
