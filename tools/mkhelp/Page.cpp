// The help page's layout and its texts.
#include "Page.h"

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
  y_ += 6;
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
  y_ += std::max(qRound(shown.height()), qRound(doc.size().height()) + 3) + 5;
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

QImage HelpPage(const Shots& s, int scale, QString& error) {
  Page page(scale);
  page.Title(QStringLiteral("Velmora 数独 · 帮助"),
             QStringLiteral("在每一行、每一列和每个九宫格里填入 1 到 9，每个数字各一次。"));

  page.Heading(QStringLiteral("一、主窗口"));
  page.Picture(s.mainWindow, 0.6);
  page.Paragraph(QStringLiteral("上面是工具栏，左边是棋盘，右边是游戏说明，最下面是作者的联系方式。"
                                "黑色粗体数字是题目给出的，不能改；在空格里输入 1–9，显示为蓝色大字；"
                                "一格里输入几个数字，就成为小号的候选标记。"));
  page.Paragraph(QStringLiteral("同一行、列或九宫格里有重复的数字时，这两格变成红色。"
                                "鼠标所在的行和列会加上底色。填满 81 格且没有重复，棋盘锁定、计时停止，"
                                "并显示“恭喜你完成任务”；用时打破本级记录时，可以在排行榜上留下名字。"));

  page.Heading(QStringLiteral("二、工具栏按钮"));
  const QString texts[] = {
      QStringLiteral("打开存盘的文本文件，接着玩那一局。装载的游戏不进排行榜。"),
      QStringLiteral("把棋盘上的题目和已填的数字存成文本文件。"),
      QStringLiteral("打开自定义游戏编辑器，自己输入题目（见第四节）。"),
      QStringLiteral("新开一局初级游戏，空出 37–40 格。"),
      QStringLiteral("新开一局中级游戏，空出 42–47 格。"),
      QStringLiteral("新开一局高级游戏，空出 49–52 格。"),
      QStringLiteral("新开一局骨灰级游戏，空出 54–60 格，最难。"),
      QStringLiteral("从题库里挑一道题来玩（见第五节）。"),
      QStringLiteral("按下后，单击空格就弹出候选数面板（见第三节）；再按一次关闭。"),
      QStringLiteral("显示本局用时（时:分:秒），完成时停止。"),
      QStringLiteral("清空自己填的数字，从头再做这道题，重新计时。"),
  };
  if (s.tools.size() != std::size(texts)) {
    error = QStringLiteral("expected %1 tool-bar pictures, got %2").arg(std::size(texts)).arg(s.tools.size());
    return {};
  }
  for (std::size_t i = 0; i < s.tools.size(); ++i) page.ToolRow(s.tools[i].picture, s.tools[i].name, texts[i]);

  page.Heading(QStringLiteral("三、候选数面板"));
  page.PictureBeside(s.panel, 2.0,
                     {QStringLiteral("白色数字是这一格的候选数，灰色数字已在同一行、列或九宫格里出现过。"),
                      QStringLiteral("单击一个数字，就把它填进这一格。"),
                      QStringLiteral("“H”把全部白色数字作为候选标记填进这一格。"),
                      QStringLiteral("“N”关闭面板，什么也不填。")});

  page.Heading(QStringLiteral("四、自定义游戏"));
  page.PictureBeside(s.editor, 0.4,
                     {QStringLiteral("在空棋盘上输入一道题，每格一个数字。"),
                      QStringLiteral("“保存”把题目存成文件，以后用“装载游戏”打开。"),
                      QStringLiteral("“进行游戏”马上在主窗口里玩这道题。"),
                      QStringLiteral("“清除”清空棋盘；“退出”关闭编辑器，题目会留着。")});

  page.Heading(QStringLiteral("五、精选题目"));
  page.PictureBeside(s.collection, 0.4,
                     {QStringLiteral("左边列出题库文件 tk.vlm 里的题目，单击题名，右边就显示这道题。"),
                      QStringLiteral("“确定”开始玩这道题，按中级计时和记录；“退出”回到游戏。")});

  page.Footer(QStringLiteral("菜单“游戏”里有排行榜；菜单“帮助”→“About”里有作者的联系方式。"));
  if (page.Bottom() > PageHeight - 30) {
    error = QStringLiteral("the help text runs %1 pixels past the page").arg(page.Bottom() - (PageHeight - 30));
    return {};
  }
  return page.Finish();
}

}  // namespace mkhelp
