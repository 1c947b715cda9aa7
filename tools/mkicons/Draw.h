// Small drawing helpers shared by the picture makers: blank canvases, pixel-exact boxes and pixel glyphs.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include <initializer_list>
#include <span>
#include <string_view>

namespace mkicons {

// A transparent square canvas of the given side in pixels.
QImage blankImage(int side);

// Sets up a painter for antialiased drawing with smooth pixmap scaling.
void prepare(QPainter& p);

// Fills whole pixels: the rectangle of w x h pixels whose top-left pixel is (x, y).
void fillPixels(QPainter& p, int x, int y, int w, int h, const QColor& c);

// A box of whole pixels with a one-pixel border drawn inside it.
void pixelBox(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& border);

// A rounded box whose outer edge runs along pixel edges, with a one-pixel border.
void roundBox(QPainter& p, int x, int y, int w, int h, qreal radius, const QColor& fill,
              const QColor& border);

// A bitmap glyph given as rows of '#' (set) and any other character (clear), drawn
// with its top-left pixel at (x, y).
void pixelGlyph(QPainter& p, int x, int y, std::span<const std::string_view> rows,
                const QColor& c);
void pixelGlyph(QPainter& p, int x, int y, std::initializer_list<std::string_view> rows,
                const QColor& c);

// Same colour with another alpha (0..255).
QColor withAlpha(QColor c, int alpha);

// Writes an image as PNG; returns false and fills `error` on failure.
bool savePng(const QImage& img, const QString& path, QString& error);

} // namespace mkicons
