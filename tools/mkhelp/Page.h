// The help page: headings, short texts and pictures laid out top to bottom on a fixed-size sheet.
#pragma once
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include "Shots.h"

namespace mkhelp {

// Width and height of the help picture; the help window's scroll range is made for this height.
constexpr int PageWidth = 462;
constexpr int PageHeight = 1601;

// A sheet that blocks are added to from the top down. Each call places its block below the last
// one; Bottom() tells how much of the sheet is used. Everything is placed in the page's own pixels;
// with `scale` 2 the sheet holds twice as many each way, for screens of two device pixels a pixel.
class Page {
 public:
  explicit Page(int scale);

  void Title(const QString& text, const QString& subtitle);
  void Heading(const QString& text);
  void Paragraph(const QString& text);
  // A screenshot centred across the page, scaled by `scale`, with a thin frame.
  void Picture(const QImage& picture, double scale);
  // A screenshot at the left, scaled by `scale`, with bullet points to its right.
  void PictureBeside(const QImage& picture, double scale, const QStringList& bullets);
  // A tool-bar button at the left, its name in bold and what it does beside it.
  void ToolRow(const QImage& button, const QString& name, const QString& text);
  // A closing line set at the foot of the sheet.
  void Footer(const QString& text);

  int Bottom() const { return y_; }
  // Ends the drawing and gives the sheet.
  QImage Finish();

 private:
  // Draws wrapped text into the column from x, width w, at the current line; returns its height.
  int Text(const QString& text, int x, int y, int w, const QFont& font, const QColor& colour);
  int Bullets(const QStringList& bullets, int x, int y, int w);
  QRect Framed(const QImage& picture, double scale, int x, int y);

  QImage image_;
  QPainter painter_;
  int y_ = 0;
  QFont body_, heading_, title_, small_;
};

// The whole help page from the screenshots, at `scale` (1 or 2; the screenshots taken at the same).
QImage HelpPage(const Shots& shots, int scale, QString& error);

}  // namespace mkhelp
