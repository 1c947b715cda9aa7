// Fonts, colours and the canvas, drawn with QPainter.
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include "toolkit/qt_p.h"

namespace toolkit {

TColor ColorToRGB(TColor c) {
  if ((c >> 24) != 0xFF) return c & 0xFFFFFF;
  QPalette pal = QApplication::palette();
  switch (c & 0xFF) {
    case 5: return FromQColor(pal.color(QPalette::Base));            // window background
    case 6: return clBlack;                                          // window frame
    case 8: return FromQColor(pal.color(QPalette::Text));            // window text
    case 15: return FromQColor(pal.color(QPalette::Button));         // button face
    case 16: return FromQColor(pal.color(QPalette::Dark));           // button shadow
    case 17: return FromQColor(pal.color(QPalette::Disabled, QPalette::Text));
    case 18: return FromQColor(pal.color(QPalette::ButtonText));
    case 20: return FromQColor(pal.color(QPalette::Light));          // button highlight
    default: return FromQColor(pal.color(QPalette::Window));
  }
}

QColor ToQColor(TColor c) {
  c = ColorToRGB(c);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor FromQColor(const QColor& c) {
  return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) | (static_cast<TColor>(c.blue()) << 16);
}

QFont ToQFont(const TFont& f) {
  // The classic faces stand for the platform's sans-serif face. The program carries the glyphs of
  // its own Chinese texts in a small face of its own, so the platform's whole Chinese font is loaded
  // only for text the player brings; fontconfig completes anything else.
  QFont q;
  if (f.Name() != "MS Sans Serif" && f.Name() != "System" && !f.Name().empty())
    q.setFamilies({QString::fromStdString(f.Name())});
  else
    q.setFamilies({QStringLiteral("Velmora UI"), QStringLiteral("Sans Serif")});
  q.setStyleHint(QFont::SansSerif);
  q.setPixelSize(f.PixelSize() > 0 ? f.PixelSize() : 11);
  q.setBold(f.Style().count(fsBold));
  q.setItalic(f.Style().count(fsItalic));
  q.setUnderline(f.Style().count(fsUnderline));
  q.setStrikeOut(f.Style().count(fsStrikeOut));
  return q;
}

void SetRole(QWidget* w, int role, TColor c) {
  QPalette pal = w->palette();
  QColor q = ToQColor(c);
  bool same = true;
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    auto r = static_cast<QPalette::ColorRole>(role);
    same = same && pal.color(group, r) == q;
    pal.setColor(group, r, q);
  }
  // A new palette repaints the widget and its children: only for a real change.
  if (!same) w->setPalette(pal);
}

void SetFont(QWidget* w, const TFont& font) {
  QFont q = ToQFont(font);
  if (!(w->font() == q)) w->setFont(q);
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

void TFont::set_Name(const std::string& v) {
  if (v == FName) return;
  FName = v;
  Changed();
}

void TFont::set_Height(int v) {
  if (v == FHeight) return;
  FHeight = v;
  Changed();
}

// Points at 96 dots per inch, rounded as the classic toolkit does (25 points: height -33).
int TFont::Size() const { return -((FHeight * 72 + (FHeight < 0 ? -48 : 48)) / 96); }

void TFont::set_Size(int points) { set_Height(-((points * 96 + 36) / 72)); }

void TFont::set_Color(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TFont::set_Style(const TFontStyles& v) {
  if (v == FStyle) return;
  FStyle = v;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (*this == other) return;
  FName = other.FName;
  FHeight = other.FHeight;
  FColor = other.FColor;
  FStyle = other.FStyle;
  Changed();
}

TCanvas::TCanvas(CanvasPainter* painter) : FPainter(painter) {}

namespace {
QPen ToQPen(const TPen& pen) {
  QPen q(ToQColor(pen.Color));
  q.setWidth(pen.Width);
  q.setStyle(pen.Style == psDot ? Qt::DotLine : Qt::SolidLine);
  q.setCapStyle(pen.Width <= 1 ? Qt::SquareCap : Qt::FlatCap);
  return q;
}
}  // namespace

void TCanvas::MoveTo(int X, int Y) {
  FX = X;
  FY = Y;
}

void TCanvas::LineTo(int X, int Y) {
  QPainter* p = FPainter->painter;
  p->setPen(ToQPen(Pen));
  // The end point itself is not drawn, as the classic LineTo: shorten the line by one pixel along its
  // main direction and draw both of its remaining ends.
  int dx = X - FX, dy = Y - FY;
  int ex = X, ey = Y;
  if (std::abs(dx) >= std::abs(dy) && dx != 0)
    ex -= dx > 0 ? 1 : -1;
  else if (dy != 0)
    ey -= dy > 0 ? 1 : -1;
  if (dx != 0 || dy != 0) p->drawLine(FX, FY, ex, ey);
  FX = X;
  FY = Y;
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  QPainter* p = FPainter->painter;
  p->fillRect(X1, Y1, X2 - X1, Y2 - Y1, ToQColor(Brush.Color));
  QPen pen = ToQPen(Pen);
  pen.setWidth(1);
  p->setPen(pen);
  p->setBrush(Qt::NoBrush);
  p->drawRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1);
}

void TCanvas::FillRect(int X1, int Y1, int X2, int Y2) {
  FPainter->painter->fillRect(X1, Y1, X2 - X1, Y2 - Y1, ToQColor(Brush.Color));
}

void TCanvas::TextOut(int X, int Y, const std::string& text) {
  QPainter* p = FPainter->painter;
  QFont f = ToQFont(Font);
  QFontMetrics fm(f);
  QString s = ToQString(text);
  p->fillRect(X, Y, fm.horizontalAdvance(s), fm.height(), ToQColor(Brush.Color));
  p->setFont(f);
  p->setPen(ToQColor(Font.Color()));
  p->drawText(X, Y + fm.ascent(), s);
}

int TCanvas::TextWidth(const std::string& text) {
  return QFontMetrics(ToQFont(Font)).horizontalAdvance(ToQString(text));
}

}  // namespace toolkit
