// Small drawing helpers shared by the picture makers: blank canvases, pixel-exact boxes and pixel glyphs.
#include "Draw.h"

#include <QDir>
#include <QFileInfo>
#include <QPainterPath>

namespace mkicons {

QImage blankImage(int side) {
  QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

void prepare(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void fillPixels(QPainter& p, int x, int y, int w, int h, const QColor& c) {
  if (w <= 0 || h <= 0) return;
  p.fillRect(QRectF(x, y, w, h), c);
}

void pixelBox(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& border) {
  fillPixels(p, x, y, w, h, border);
  fillPixels(p, x + 1, y + 1, w - 2, h - 2, fill);
}

void roundBox(QPainter& p, int x, int y, int w, int h, qreal radius, const QColor& fill,
              const QColor& border) {
  p.save();
  p.setPen(QPen(border, 1.0));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(x + 0.5, y + 0.5, w - 1.0, h - 1.0), radius, radius);
  p.restore();
}

void pixelGlyph(QPainter& p, int x, int y, std::span<const std::string_view> rows,
                const QColor& c) {
  int row = 0;
  for (std::string_view line : rows) {
    for (int col = 0; col < static_cast<int>(line.size()); ++col) {
      if (line[static_cast<size_t>(col)] == '#') fillPixels(p, x + col, y + row, 1, 1, c);
    }
    ++row;
  }
}

void pixelGlyph(QPainter& p, int x, int y, std::initializer_list<std::string_view> rows,
                const QColor& c) {
  pixelGlyph(p, x, y, std::span<const std::string_view>(rows.begin(), rows.size()), c);
}

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

bool savePng(const QImage& img, const QString& path, QString& error) {
  const QFileInfo info(path);
  if (!QDir().mkpath(info.absolutePath())) {
    error = QStringLiteral("cannot create folder %1").arg(info.absolutePath());
    return false;
  }
  if (!img.save(path, "PNG")) {
    error = QStringLiteral("cannot write %1").arg(path);
    return false;
  }
  return true;
}

} // namespace mkicons
