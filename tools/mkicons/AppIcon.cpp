// The program icon: a Sudoku board with a few bold digits on a warm tile, at any pixel size.
#include "AppIcon.h"

#include "Draw.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>

#include <string_view>

namespace mkicons {
namespace {

// Colours, shared with velmora.svg.
const QColor kTile(0xE8, 0x64, 0x3A);
const QColor kPaper(0xFF, 0xF8, 0xEE);
const QColor kThin(0xE6, 0xD6, 0xC2);
const QColor kBold(0x4A, 0x3B, 0x34);
const QColor kDigit(0x3B, 0x2F, 0x2A);
const QColor kLitDigit(0xFF, 0xFF, 0xFF);

// Geometry in the SVG's 256-unit space.
constexpr qreal kTileX = 8.0;
constexpr qreal kTileSide = 240.0;
constexpr qreal kTileRadius = 48.0;
constexpr qreal kBoardX = 29.0;
constexpr qreal kCell = 22.0;
constexpr qreal kBoardSide = 9 * kCell;
constexpr qreal kBoardRadius = 10.0;

// A given digit on the board; the lit one sits on the accent cell.
struct Given {
  int row;
  int col;
  char digit;
  bool lit;
};
constexpr std::array<Given, 9> kGivens = {{
    {1, 1, '5', false},
    {0, 4, '7', false},
    {1, 7, '2', false},
    {4, 2, '8', false},
    {4, 4, '9', true},
    {5, 6, '1', false},
    {7, 0, '4', false},
    {7, 4, '6', false},
    {7, 7, '3', false},
}};

// The digit font: bold DejaVu Sans, as named first in the SVG.
QFont digitFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setBold(true);
  f.setPixelSize(100);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

// Draws `digit` in the given size (in the painter's units) horizontally centred on
// `centreX`, with its baseline `drop` below `centreY` - like SVG text-anchor="middle".
void drawDigit(QPainter& p, char digit, qreal size, qreal centreX, qreal centreY, qreal drop,
               const QColor& c) {
  static const QFont font = digitFont();
  static const QFontMetricsF metrics(font);
  const QString text(QChar::fromLatin1(digit));
  QPainterPath glyph;
  glyph.addText(0.0, 0.0, font, text);
  const qreal k = size / 100.0;
  QTransform t;
  t.translate(centreX - metrics.horizontalAdvance(text) * k / 2.0, centreY + drop);
  t.scale(k, k);
  p.fillPath(t.map(glyph), c);
}

qreal cellStart(int i) { return kBoardX + kCell * i; }
qreal cellCentre(int i) { return kBoardX + kCell * i + kCell / 2.0; }

void drawTileAndPaper(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kTile);
  p.drawRoundedRect(QRectF(kTileX, kTileX, kTileSide, kTileSide), kTileRadius, kTileRadius);
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(kBoardX, kBoardX, kBoardSide, kBoardSide), kBoardRadius, kBoardRadius);
}

void drawBoxLines(QPainter& p, qreal width) {
  const qreal end = kBoardX + kBoardSide;
  p.setPen(QPen(kBold, width, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  for (int i : {3, 6}) {
    p.drawLine(QPointF(cellStart(i), kBoardX), QPointF(cellStart(i), end));
    p.drawLine(QPointF(kBoardX, cellStart(i)), QPointF(end, cellStart(i)));
  }
  p.drawRoundedRect(QRectF(kBoardX, kBoardX, kBoardSide, kBoardSide), kBoardRadius, kBoardRadius);
}

// Full detail, shape for shape as velmora.svg: nine by nine cells and all the given digits.
void drawDetailed(QPainter& p) {
  drawTileAndPaper(p);
  const qreal end = kBoardX + kBoardSide;
  p.setPen(QPen(kThin, 2.0, Qt::SolidLine, Qt::FlatCap));
  for (int i : {1, 2, 4, 5, 7, 8}) {
    p.drawLine(QPointF(cellStart(i), kBoardX), QPointF(cellStart(i), end));
    p.drawLine(QPointF(kBoardX, cellStart(i)), QPointF(end, cellStart(i)));
  }
  p.setPen(Qt::NoPen);
  for (const Given& g : kGivens) {
    if (g.lit) p.fillRect(QRectF(cellStart(g.col), cellStart(g.row), kCell, kCell), kTile);
  }
  drawBoxLines(p, 6.0);
  for (const Given& g : kGivens) {
    drawDigit(p, g.digit, 24.0, cellCentre(g.col), cellCentre(g.row), 8.75,
              g.lit ? kLitDigit : kDigit);
  }
}

// Pixel-fitted layout for the smaller sizes: whole-pixel widths from the edge inwards.
struct Fit {
  int side;     // image side
  int ring;     // warm tile showing around the board
  int frame;    // dark frame of the board (0: the tile is the frame)
  int line;     // dark line between boxes
  int box;      // side of one of the nine boxes
  qreal radius; // tile corner radius
};

// Small bitmap digits for the fitted sizes; each set holds 5, 2, 9, 4, 3 in that order.
template <size_t Rows>
using GlyphSet = std::array<std::array<std::string_view, Rows>, 5>;
constexpr GlyphSet<5> kDigits4x5 = {{
    {{"####", "#...", "###.", "...#", "###."}},
    {{"###.", "...#", ".##.", "#...", "####"}},
    {{".##.", "#..#", ".###", "...#", ".##."}},
    {{"#..#", "#..#", "####", "...#", "...#"}},
    {{"###.", "...#", ".##.", "...#", "###."}},
}};
constexpr GlyphSet<6> kDigits4x6 = {{
    {{"####", "#...", "###.", "...#", "#..#", ".##."}},
    {{".##.", "#..#", "...#", "..#.", ".#..", "####"}},
    {{".##.", "#..#", "#..#", ".###", "...#", ".##."}},
    {{"#..#", "#..#", "#..#", "####", "...#", "...#"}},
    {{"###.", "...#", ".##.", "...#", "...#", "###."}},
}};
constexpr GlyphSet<8> kDigits6x8 = {{
    {{"######", "##....", "#####.", "....##", "....##", "....##", "##..##", ".####."}},
    {{".####.", "##..##", "....##", "...##.", "..##..", ".##...", "##....", "######"}},
    {{".####.", "##..##", "##..##", ".#####", "....##", "....##", "##..##", ".####."}},
    {{"##..##", "##..##", "##..##", "######", "....##", "....##", "....##", "....##"}},
    {{".####.", "##..##", "....##", "..###.", "....##", "....##", "##..##", ".####."}},
}};

// The boxes that carry a digit at the fitted sizes, in the digit sets' order; the middle one is lit.
struct BoxDigit {
  int boxRow;
  int boxCol;
  char digit;
};
constexpr std::array<BoxDigit, 5> kBoxDigits = {{
    {0, 0, '5'}, {0, 2, '2'}, {1, 1, '9'}, {2, 0, '4'}, {2, 2, '3'}}};

void drawFitted(QPainter& p, const Fit& f) {
  const int s = f.side;
  p.setPen(Qt::NoPen);
  p.setBrush(kTile);
  p.drawRoundedRect(QRectF(0, 0, s, s), f.radius, f.radius);

  const int board = s - 2 * f.ring;
  fillPixels(p, f.ring, f.ring, board, board, kPaper);
  if (f.frame == 0) {
    // Without a frame the board's own corners are trimmed so it follows the tile's round.
    const int far = s - f.ring - 1;
    for (int x : {f.ring, far}) {
      for (int y : {f.ring, far}) fillPixels(p, x, y, 1, 1, kTile);
    }
  } else {
    fillPixels(p, f.ring, f.ring, board, f.frame, kBold);
    fillPixels(p, f.ring, s - f.ring - f.frame, board, f.frame, kBold);
    fillPixels(p, f.ring, f.ring, f.frame, board, kBold);
    fillPixels(p, s - f.ring - f.frame, f.ring, f.frame, board, kBold);
  }
  const int inner = f.ring + f.frame;
  const int span = 3 * f.box + 2 * f.line;
  auto boxStart = [&](int i) { return inner + i * (f.box + f.line); };
  for (int i = 1; i <= 2; ++i) {
    fillPixels(p, boxStart(i) - f.line, inner, f.line, span, kBold);
    fillPixels(p, inner, boxStart(i) - f.line, span, f.line, kBold);
  }
  fillPixels(p, boxStart(1), boxStart(1), f.box, f.box, kTile);

  for (size_t k = 0; k < kBoxDigits.size(); ++k) {
    const BoxDigit& d = kBoxDigits[k];
    const bool lit = d.boxRow == 1 && d.boxCol == 1;
    const QColor c = lit ? kLitDigit : kDigit;
    const int x = boxStart(d.boxCol);
    const int y = boxStart(d.boxRow);
    switch (f.box) {
    case 4: fillPixels(p, x + 1, y + 1, 2, 2, c); break;
    case 6: pixelGlyph(p, x + 1, y + 1, kDigits4x5[k], c); break;
    case 8: pixelGlyph(p, x + 2, y + 1, kDigits4x6[k], c); break;
    case 12: pixelGlyph(p, x + 3, y + 2, kDigits6x8[k], c); break;
    default:
      drawDigit(p, d.digit, f.box * 0.75, x + f.box / 2.0, y + f.box / 2.0, f.box * 0.75 * 0.3645,
                c);
      break;
    }
  }
}

// The fitted layouts; each adds up to its side: 2 * (ring + frame) + 3 * box + 2 * line.
constexpr std::array<Fit, 5> kFits = {{
    {16, 1, 0, 1, 4, 3.0},
    {24, 1, 1, 1, 6, 4.5},
    {32, 2, 1, 1, 8, 6.0},
    {48, 4, 1, 1, 12, 9.0},
    {64, 4, 2, 2, 16, 12.0},
}};

constexpr bool fitsAddUp() {
  for (const Fit& f : kFits) {
    if (2 * (f.ring + f.frame) + 3 * f.box + 2 * f.line != f.side) return false;
  }
  return true;
}
static_assert(fitsAddUp(), "a fitted layout does not fill its side");

} // namespace

QImage appIcon(int size) {
  QImage img = blankImage(size);
  QPainter p(&img);
  prepare(p);
  const Fit* fit = nullptr;
  for (const Fit& f : kFits) {
    if (f.side == size) fit = &f;
  }
  if (fit != nullptr) {
    drawFitted(p, *fit);
  } else {
    p.scale(size / 256.0, size / 256.0);
    drawDetailed(p);
  }
  p.end();
  return img;
}

} // namespace mkicons
