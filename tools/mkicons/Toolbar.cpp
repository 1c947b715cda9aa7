// The 16 x 16 tool-bar pictures of the main window, drawn by index.
#include "Toolbar.h"

#include "Draw.h"

#include <QPainterPath>

#include <array>

namespace mkicons {
namespace {

// One flat palette for every picture: each object has a fill and a darker edge of the same hue.
namespace ink {
const QColor folderBack(0xF0, 0xA8, 0x30);
const QColor folderFront(0xFF, 0xD2, 0x5E);
const QColor folderEdge(0xA8, 0x66, 0x0E);
const QColor paper(0xFF, 0xFF, 0xFF);
const QColor paperEdge(0x9A, 0xA5, 0xB1);
const QColor diskBody(0x3C, 0x7D, 0xD9);
const QColor diskEdge(0x1F, 0x4F, 0x97);
const QColor metal(0xDC, 0xE3, 0xEA);
const QColor labelLine(0xB8, 0xC4, 0xD0);
const QColor slate(0x60, 0x7D, 0x8B);
const QColor slateEdge(0x37, 0x47, 0x4F);
const QColor key(0xEC, 0xEF, 0xF1);
const QColor gridLine(0x90, 0xA4, 0xAE);
const QColor pencilBody(0xFF, 0xC1, 0x07);
const QColor pencilEdge(0x8D, 0x5A, 0x00);
const QColor wood(0xF6, 0xD9, 0xA8);
const QColor graphite(0x37, 0x47, 0x4F);
const QColor ferrule(0xB0, 0xBE, 0xC5);
const QColor eraser(0xF0, 0x7C, 0x9A);
const QColor replay(0x00, 0x89, 0x7B);
const QColor cardBack(0xB3, 0x9D, 0xDB);
const QColor cardMid(0xD1, 0xC4, 0xE9);
const QColor cardEdge(0x5E, 0x35, 0xB1);
const QColor accent(0xE8, 0x64, 0x3A);
const QColor glass(0xFF, 0xD5, 0x4F);
const QColor glassEdge(0xA8, 0x66, 0x0E);
const QColor glassShine(0xFF, 0xF6, 0xD0);
const QColor socket(0xB0, 0xBE, 0xC5);
const QColor socketEdge(0x54, 0x6E, 0x7A);
} // namespace ink

// The four difficulty colours, from level 1 to level 4.
struct LevelColours {
  QColor fill;
  QColor edge;
};
const std::array<LevelColours, 4> kLevels = {{
    {QColor(0x43, 0xA0, 0x47), QColor(0x2A, 0x6E, 0x2E)},  // beginner: green
    {QColor(0x1E, 0x88, 0xE5), QColor(0x12, 0x57, 0xA8)},  // intermediate: blue
    {QColor(0xF5, 0x8A, 0x07), QColor(0xB2, 0x5A, 0x00)},  // advanced: orange
    {QColor(0xE5, 0x39, 0x35), QColor(0xA3, 0x1B, 0x1B)},  // expert: red
}};

// 0: an open folder with a sheet of paper showing.
void drawLoad(QPainter& p) {
  QPainterPath back;
  back.moveTo(0.5, 13.5);
  back.lineTo(0.5, 2.5);
  back.lineTo(5.5, 2.5);
  back.lineTo(7.5, 4.5);
  back.lineTo(13.5, 4.5);
  back.lineTo(13.5, 13.5);
  back.closeSubpath();
  p.setPen(QPen(ink::folderEdge, 1.0));
  p.setBrush(ink::folderBack);
  p.drawPath(back);

  pixelBox(p, 3, 3, 9, 7, ink::paper, ink::paperEdge);
  fillPixels(p, 5, 5, 5, 1, ink::labelLine);
  fillPixels(p, 5, 7, 4, 1, ink::labelLine);

  QPainterPath front;
  front.moveTo(0.5, 13.5);
  front.lineTo(3.5, 7.5);
  front.lineTo(15.5, 7.5);
  front.lineTo(12.5, 13.5);
  front.closeSubpath();
  p.setPen(QPen(ink::folderEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(ink::folderFront);
  p.drawPath(front);
}

// 1: a floppy disk with its metal shutter and a paper label.
void drawSave(QPainter& p) {
  QPainterPath body;
  body.moveTo(1.5, 1.5);
  body.lineTo(12.5, 1.5);
  body.lineTo(14.5, 3.5);
  body.lineTo(14.5, 14.5);
  body.lineTo(1.5, 14.5);
  body.closeSubpath();
  p.setPen(QPen(ink::diskEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(ink::diskBody);
  p.drawPath(body);

  pixelBox(p, 4, 1, 8, 5, ink::metal, ink::diskEdge);
  fillPixels(p, 9, 2, 2, 3, ink::diskEdge);

  fillPixels(p, 3, 8, 10, 6, ink::paper);
  fillPixels(p, 4, 10, 8, 1, ink::labelLine);
  fillPixels(p, 4, 12, 8, 1, ink::labelLine);
}

// Bold 6 x 9 pixel digits for the level badges.
void levelDigit(QPainter& p, int level, int x, int y, const QColor& c) {
  switch (level) {
  case 1:
    pixelGlyph(p, x, y,
               {"..##..", ".###..", "####..", "..##..", "..##..", "..##..", "..##..", "..##..",
                "######"},
               c);
    break;
  case 2:
    pixelGlyph(p, x, y,
               {".####.", "##..##", "....##", "...##.", "..##..", ".##...", "##....", "##....",
                "######"},
               c);
    break;
  case 3:
    pixelGlyph(p, x, y,
               {".####.", "##..##", "....##", "....##", "..###.", "....##", "....##", "##..##",
                ".####."},
               c);
    break;
  default:
    pixelGlyph(p, x, y,
               {"##..##", "##..##", "##..##", "##..##", "######", "....##", "....##", "....##",
                "....##"},
               c);
    break;
  }
}

// 2..5: a rounded grid badge in the level's colour with the level number on it.
void drawLevel(QPainter& p, int level) {
  const LevelColours& lc = kLevels[static_cast<size_t>(level - 1)];
  roundBox(p, 0, 0, 16, 16, 3.0, lc.fill, lc.edge);
  const QColor faint = withAlpha(Qt::white, 55);
  fillPixels(p, 5, 1, 1, 14, faint);
  fillPixels(p, 10, 1, 1, 14, faint);
  fillPixels(p, 1, 5, 14, 1, faint);
  fillPixels(p, 1, 10, 14, 1, faint);
  levelDigit(p, level, 6, 4, withAlpha(lc.edge, 150));
  levelDigit(p, level, 5, 3, Qt::white);
}

// 6: a small keypad of nine keys, the middle one lit.
void drawCandidates(QPainter& p) {
  roundBox(p, 0, 0, 15, 15, 2.5, ink::slate, ink::slateEdge);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const bool lit = r == 1 && c == 1;
      fillPixels(p, 2 + 4 * c, 2 + 4 * r, 3, 3, lit ? ink::accent : ink::key);
    }
  }
}

// 7: a pencil lying over a small grid.
void drawCustom(QPainter& p) {
  pixelBox(p, 0, 3, 13, 13, ink::paper, ink::gridLine);
  fillPixels(p, 4, 4, 1, 11, ink::gridLine);
  fillPixels(p, 8, 4, 1, 11, ink::gridLine);
  fillPixels(p, 1, 7, 11, 1, ink::gridLine);
  fillPixels(p, 1, 11, 11, 1, ink::gridLine);

  // The pencil is drawn along its own axis: x runs from the point to the eraser.
  p.save();
  p.translate(3.0, 13.0);
  p.rotate(-45.0);
  const qreal half = 2.0;
  const qreal coneEnd = 4.0;
  const qreal bodyEnd = 12.5;
  const qreal ferruleEnd = 14.0;
  const qreal eraserEnd = 16.5;
  p.setPen(QPen(ink::pencilEdge, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

  QPainterPath cone;
  cone.moveTo(0.0, 0.0);
  cone.lineTo(coneEnd, -half);
  cone.lineTo(coneEnd, half);
  cone.closeSubpath();
  p.setBrush(ink::wood);
  p.drawPath(cone);

  QPainterPath lead;
  lead.moveTo(0.0, 0.0);
  lead.lineTo(1.6, -0.8);
  lead.lineTo(1.6, 0.8);
  lead.closeSubpath();
  p.setBrush(ink::graphite);
  p.drawPath(lead);

  p.setBrush(ink::pencilBody);
  p.drawRect(QRectF(coneEnd, -half, bodyEnd - coneEnd, 2 * half));
  p.setBrush(ink::ferrule);
  p.drawRect(QRectF(bodyEnd, -half, ferruleEnd - bodyEnd, 2 * half));
  p.setBrush(ink::eraser);
  p.drawRoundedRect(QRectF(ferruleEnd, -half, eraserEnd - ferruleEnd, 2 * half), 0.8, 0.8);
  p.restore();
}

// 8: an anticlockwise circular arrow whose head comes round over the top, pointing left.
void drawReplay(QPainter& p) {
  const QPointF centre(8.0, 9.0);
  const qreal radius = 5.0;
  const qreal start = 172.0;  // the tail, on the left
  const qreal span = 278.0;   // anticlockwise round to the top
  const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  QPainterPath arc;
  arc.arcMoveTo(circle, start);
  arc.arcTo(circle, start, span);
  p.setPen(QPen(ink::replay, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(arc);

  // The head: its upright back edge sits on a pixel edge so it stays sharp.
  const qreal top = centre.y() - radius;
  QPolygonF head;
  head << QPointF(centre.x() + 1.0, top - 3.0) << QPointF(centre.x() + 1.0, top + 3.0)
       << QPointF(centre.x() - 3.0, top);
  p.setPen(Qt::NoPen);
  p.setBrush(ink::replay);
  p.drawPolygon(head);
}

// 9: a stack of puzzle cards, the front one showing a grid.
void drawCollection(QPainter& p) {
  roundBox(p, 4, 0, 12, 12, 1.5, ink::cardBack, ink::cardEdge);
  roundBox(p, 2, 2, 12, 12, 1.5, ink::cardMid, ink::cardEdge);
  roundBox(p, 0, 4, 12, 12, 1.5, ink::paper, ink::cardEdge);
  fillPixels(p, 4, 6, 1, 8, ink::cardEdge);
  fillPixels(p, 7, 6, 1, 8, ink::cardEdge);
  fillPixels(p, 2, 8, 8, 1, ink::cardEdge);
  fillPixels(p, 2, 11, 8, 1, ink::cardEdge);
}

// 10: a hooked arrow, its head on the upper run pointing left; the run turns down and comes back.
void drawUndo(QPainter& p) {
  const qreal line = 6.0;        // the upper run, the head's axis
  const qreal turnX = 9.5;       // where the run starts to bend down
  const qreal turnRadius = 3.5;  // so the lower run lies at line + 7
  QPainterPath shaft;
  shaft.moveTo(5.0, line);
  shaft.lineTo(turnX, line);
  shaft.arcTo(QRectF(turnX - turnRadius, line, 2 * turnRadius, 2 * turnRadius), 90.0, -180.0);
  shaft.lineTo(5.0, line + 2 * turnRadius);
  p.setPen(QPen(ink::replay, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shaft);

  // The head: its upright back edge sits on a pixel edge so it stays sharp.
  QPolygonF head;
  head << QPointF(6.0, line - 4.0) << QPointF(6.0, line + 4.0) << QPointF(1.0, line);
  p.setPen(Qt::NoPen);
  p.setBrush(ink::replay);
  p.drawPolygon(head);
}

// 11: the undo arrow mirrored, its head pointing right.
void drawRedo(QPainter& p) {
  p.save();
  p.translate(kToolbarSide, 0.0);
  p.scale(-1.0, 1.0);
  drawUndo(p);
  p.restore();
}

// 12: a light bulb: a round glass narrowing to a screw socket, with a shine on the glass.
void drawHint(QPainter& p) {
  QPainterPath glass;
  glass.moveTo(5.5, 10.5);
  glass.cubicTo(5.5, 8.5, 2.5, 8.0, 2.5, 5.5);
  glass.arcTo(QRectF(2.5, 0.5, 11.0, 10.0), 180.0, -180.0);
  glass.cubicTo(13.5, 8.0, 10.5, 8.5, 10.5, 10.5);
  glass.closeSubpath();
  p.setPen(QPen(ink::glassEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
  p.setBrush(ink::glass);
  p.drawPath(glass);

  const QRectF shineRound(4.5, 2.5, 7.0, 6.0);
  QPainterPath shine;
  shine.arcMoveTo(shineRound, 110.0);
  shine.arcTo(shineRound, 110.0, 60.0);
  p.setPen(QPen(ink::glassShine, 1.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shine);

  // The socket covers the neck: two thread rings between dark bands, then the contact below.
  pixelBox(p, 5, 10, 6, 5, ink::socket, ink::socketEdge);
  fillPixels(p, 6, 12, 4, 1, ink::socketEdge);
  fillPixels(p, 7, 15, 2, 1, ink::socketEdge);
}

} // namespace

QImage toolbarPicture(int index, int scale) {
  // Drawn in the 16 x 16 picture's own coordinates onto `scale` times as many pixels.
  QImage img = blankImage(kToolbarSide * scale);
  img.setDevicePixelRatio(scale);
  QPainter p(&img);
  prepare(p);
  switch (index) {
  case 0: drawLoad(p); break;
  case 1: drawSave(p); break;
  case 2: drawLevel(p, 2); break;
  case 3: drawLevel(p, 3); break;
  case 4: drawLevel(p, 4); break;
  case 5: drawLevel(p, 1); break;
  case 6: drawCandidates(p); break;
  case 7: drawCustom(p); break;
  case 8: drawReplay(p); break;
  case 9: drawCollection(p); break;
  case 10: drawUndo(p); break;
  case 11: drawRedo(p); break;
  case 12: drawHint(p); break;
  default: break;
  }
  p.end();
  return img;
}

QImage toolbarStrip() {
  QImage strip(kToolbarSide * kToolbarCount, kToolbarSide, QImage::Format_ARGB32_Premultiplied);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  for (int i = 0; i < kToolbarCount; ++i) p.drawImage(i * kToolbarSide, 0, toolbarPicture(i));
  p.end();
  return strip;
}

} // namespace mkicons
