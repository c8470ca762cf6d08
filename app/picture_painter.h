// Painting a display list with Qt, and its image, SVG and PNG files and clipboard copy.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "picture/picture.h"

class QColor;
class QPainter;

namespace brevano {

/// Paints `picture` in its own coordinates: on the screen, into an image and into an SVG generator.
void PaintPicture(QPainter& painter, const Picture& picture);

/// The colour of a display list's colour.
QColor ToColor(Rgba colour);
/// The opaque display-list colour of a Qt colour.
Rgba ToRgba(const QColor& colour);

/// The picture as an image at `scale`, on white.
QImage PictureImage(const Picture& picture, double scale);

/// Writes the picture as SVG (through Qt's generator, titled `title`) or as PNG at twice its size,
/// whole or not at all; on failure, `error` says why.
bool SavePictureSvg(const Picture& picture, const QString& title, const QString& path, QString& error);
bool SavePicturePng(const Picture& picture, const QString& path, QString& error);

/// Writes `bytes` to `path` whole or not at all; on failure, `error` says why.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error);

/// Puts the picture on the clipboard as an image at twice its size.
void CopyPictureImage(const Picture& picture);

}  // namespace brevano
