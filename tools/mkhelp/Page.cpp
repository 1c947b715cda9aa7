// The help page's layout and its texts.
#include "Page.h"

#include "forms/HelpText.h"

#include <QTextDocument>
#include <algorithm>

namespace mkhelp {

namespace {

const QString Face = QStringLiteral("WenQuanYi Micro Hei");
const int Margin = 14;
const QColor Ink(0x22, 0x22, 0x22);
const QColor HeadingInk(0x1F, 0x4E, 0x8C);
const QColor HeadingBand(0xE6, 0xEE, 0xF8);
const QColor FrameColour(0x9A, 0xA4, 0xB0);

QFont Font(int pixels, bool bold) {
  QFont f(Face);
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

}  // namespace

Page::Page(int scale) : image_(PageWidth * scale, PageHeight * scale, QImage::Format_RGB32) {
  image_.setDevicePixelRatio(scale);
  image_.fill(Qt::white);
  painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform);
  body_ = Font(13, false);
  heading_ = Font(16, true);
  title_ = Font(22, true);
  small_ = Font(12, false);
}

int Page::Text(const QString& text, int x, int y, int w, const QFont& font, const QColor& colour) {
  painter_.setFont(font);
  painter_.setPen(colour);
  QRect box(x, y, w, PageHeight);
  QRect used = painter_.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
  painter_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
  return used.height();
}

int Page::Bullets(const QStringList& bullets, int x, int y, int w) {
  int top = y;
  for (const QString& b : bullets) {
    painter_.setFont(body_);
    painter_.setPen(HeadingInk);
    painter_.drawText(QRect(x, y, 12, 20), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("•"));
    y += Text(b, x + 12, y, w - 12, body_, Ink) + 4;
  }
  return y - top - 4;
}

QRect Page::Framed(const QImage& picture, double scale, int x, int y) {
  QSizeF logical = picture.deviceIndependentSize() * scale;
  QSize size(qRound(logical.width()), qRound(logical.height()));
  QSize pixels = size * image_.devicePixelRatio();
  // Enlarged pictures keep their pixels sharp; reduced ones are smoothed so their text stays legible.
  QImage scaled = pixels == picture.size() ? picture
                  : pixels.width() > picture.width()
                      ? picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                      : picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(image_.devicePixelRatio());
  QRect r(x + 1, y + 1, size.width(), size.height());
  painter_.drawImage(r.topLeft(), scaled);
  painter_.setPen(FrameColour);
  painter_.setBrush(Qt::NoBrush);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.drawRect(r.adjusted(-1, -1, 0, 0));
  painter_.setRenderHint(QPainter::Antialiasing, true);
  return r.adjusted(-1, -1, 1, 1);
}

void Page::Title(const QString& text, const QString& subtitle) {
  painter_.fillRect(0, 0, PageWidth, 58, HeadingInk);
  painter_.setFont(title_);
  painter_.setPen(Qt::white);
  painter_.drawText(QRect(Margin, 8, PageWidth - 2 * Margin, 28), Qt::AlignLeft | Qt::AlignVCenter, text);
  painter_.setFont(small_);
  painter_.drawText(QRect(Margin, 36, PageWidth - 2 * Margin, 18), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
  y_ = 58 + 10;
}

void Page::Heading(const QString& text) {
  y_ += 4;
  painter_.fillRect(0, y_, PageWidth, 26, HeadingBand);
  painter_.fillRect(0, y_, 5, 26, HeadingInk);
  painter_.setFont(heading_);
  painter_.setPen(HeadingInk);
  painter_.drawText(QRect(Margin, y_, PageWidth - 2 * Margin, 26), Qt::AlignLeft | Qt::AlignVCenter, text);
  y_ += 26 + 8;
}

void Page::Paragraph(const QString& text) { y_ += Text(text, Margin, y_, PageWidth - 2 * Margin, body_, Ink) + 6; }

void Page::Picture(const QImage& picture, double scale) {
  int w = qRound(picture.deviceIndependentSize().width() * scale) + 2;
  QRect r = Framed(picture, scale, (PageWidth - w) / 2, y_);
  y_ = r.bottom() + 1 + 8;
}

void Page::PictureBeside(const QImage& picture, double scale, const QStringList& bullets) {
  QRect r = Framed(picture, scale, Margin, y_);
  int x = r.right() + 1 + 12;
  int h = Bullets(bullets, x, y_, PageWidth - Margin - x);
  y_ += std::max(r.height(), h) + 8;
}

void Page::ToolRow(const QImage& button, const QString& name, const QString& text) {
  const int column = 92;  // wide enough for the clock
  const QSizeF shown = button.deviceIndependentSize();
  painter_.drawImage(Margin + (shown.width() > 40 ? 0 : 4), y_, button);
  int x = Margin + column;
  // The name in bold and the description after it, wrapping under both.
  QTextDocument doc;
  doc.setDocumentMargin(0);
  doc.setDefaultFont(body_);
  doc.setTextWidth(PageWidth - Margin - x);
  doc.setHtml(QStringLiteral("<span style=\"color:%1; font-weight:bold\">%2：</span><span style=\"color:%3\">%4</span>")
                  .arg(HeadingInk.name(), name.toHtmlEscaped(), Ink.name(), text.toHtmlEscaped()));
  painter_.save();
  painter_.translate(x, y_ + 3);
  doc.drawContents(&painter_);
  painter_.restore();
  y_ += std::max(qRound(shown.height()), qRound(doc.size().height()) + 3) + 2;
}

QImage Page::Finish() {
  painter_.end();
  return image_;
}

void Page::Footer(const QString& text) {
  painter_.fillRect(0, PageHeight - 30, PageWidth, 30, HeadingBand);
  painter_.setFont(small_);
  painter_.setPen(HeadingInk);
  painter_.drawText(QRect(Margin, PageHeight - 30, PageWidth - 2 * Margin, 30), Qt::AlignCenter, text);
}

namespace {
QString Q(const char* s) { return QString::fromUtf8(s); }
QStringList Points(const velmora::HelpText::Section& section) {
  QStringList out;
  for (const char* p : section.Points)
    if (p) out << Q(p);
  return out;
}
}  // namespace

QImage HelpPage(const Shots& s, int scale, QString& error) {
  namespace text = velmora::HelpText;
  Page page(scale);
  page.Title(Q(text::Title), Q(text::Subtitle));

  page.Heading(Q(text::MainHeading));
  page.Picture(s.mainWindow, 0.5);
  for (const char* p : text::MainParagraphs) page.Paragraph(Q(p));

  page.Heading(Q(text::ToolHeading));
  if (s.tools.size() != std::size(text::Tools)) {
    error = QStringLiteral("expected %1 tool-bar pictures, got %2").arg(std::size(text::Tools)).arg(s.tools.size());
    return {};
  }
  for (std::size_t i = 0; i < s.tools.size(); ++i)
    page.ToolRow(s.tools[i], Q(text::Tools[i].Name), Q(text::Tools[i].Text));

  page.Heading(Q(text::PanelSection.Heading));
  page.PictureBeside(s.panel, 1.2, Points(text::PanelSection));
  page.Heading(Q(text::EditorSection.Heading));
  page.PictureBeside(s.editor, 0.3, Points(text::EditorSection));
  page.Heading(Q(text::CollectionSection.Heading));
  page.PictureBeside(s.collection, 0.3, Points(text::CollectionSection));

  page.Heading(Q(text::KeysHeading));
  for (const char* p : text::KeysParagraphs) page.Paragraph(Q(p));

  page.Footer(Q(text::Footer));
  if (page.Bottom() > PageHeight - 30) {
    error = QStringLiteral("the help text runs %1 pixels past the page").arg(page.Bottom() - (PageHeight - 30));
    return {};
  }
  return page.Finish();
}

}  // namespace mkhelp
